// Main window: the quick-help panel picQuickHelp with its headline and text, placed beside the
// control it explains and sized to its text.
#include "app/quick_help.h"
#include "mainwindow/main_window.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "render/view.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QRegularExpression>
#include <QToolBar>

namespace kardo {

namespace {

constexpr int kLabelLeft = 8; // both labels' left edge inside the panel
constexpr int kLabelTop = 6;  // the headline's top edge
constexpr int kLabelGap = 6;  // between headline and text

QString Display(std::string_view text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace("\r\n", "\n");
    return s;
}

// The panel takes no keyboard focus, which stays where it was: in place of its losing the focus,
// a press anywhere, on the panel or its labels included, hides it. The program-wide watch lasts
// while the panel is shown.
class QuickHelpEvents : public QObject {
  public:
    QuickHelpEvents(QWidget* panel) : QObject(panel), m_panel(panel) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_panel->hide();
            break;
        case QEvent::Show:
            if (watched == m_panel)
                qApp->installEventFilter(this);
            break;
        case QEvent::Hide:
            if (watched == m_panel)
                qApp->removeEventFilter(this);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* m_panel; // picQuickHelp
};

// In quick-help mode a press on the power panel or the property panel explains the panel.
class PanelHelpEvents : public QObject {
  public:
    explicit PanelHelpEvents(frmKardo* window) : QObject(window), m_window(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress || gMouseMode != kToolQuickHelp)
            return QObject::eventFilter(watched, event);
        m_window->ShowQuickHelp(watched->objectName() == "picEinAus" ? "picPanel0" : "picPanel1");
        return true;
    }

  private:
    frmKardo* m_window; // the main window
};

} // namespace

void frmKardo::BuildQuickHelpPanel() {
    auto* panel = findChild<QFrame*>("picQuickHelp");
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 225));
    pal.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(pal);
    panel->setFocusPolicy(Qt::NoFocus);
    auto* headline = panel->findChild<QLabel*>("lblHeadline");
    QFont bold = headline->font();
    bold.setBold(true);
    headline->setFont(bold);
    panel->installEventFilter(new QuickHelpEvents(panel));

    auto* panels = new PanelHelpEvents(this);
    const QRegularExpression targets(QRegularExpression::anchoredPattern(
        "picEinAus|picEigenschaften|lblAktElement|picEigenschaft_\\d+"));
    for (QWidget* w : findChildren<QWidget*>(targets))
        w->installEventFilter(panels);
}

void frmKardo::ShowQuickHelp(std::string_view key) {
    const QuickHelpEntry& entry = QuickHelpFor(key);
    PositionQuickHelp(entry.headline, entry.text, key);
}

std::optional<QPoint> frmKardo::QuickHelpAnchor(std::string_view key) const {
    auto origin = [this](const QWidget* w) { return w->mapTo(this, QPoint(0, 0)); };
    auto below = [&](const char* name) {
        const auto* w = findChild<QWidget*>(name);
        return origin(w).y() + w->height();
    };
    auto keyLeft = [&](const char* toolbar) {
        const auto* bar = findChild<QToolBar*>(toolbar);
        QAction* a = Key(toolbar, key);
        const QWidget* button = a != nullptr ? bar->widgetForAction(a) : nullptr;
        return origin(button != nullptr ? button : bar).x();
    };
    switch (QuickHelpPlaceOf(key)) {
    case QuickHelpPlace::MainToolbar:
        return QPoint(keyLeft("Toolbar"), below("Toolbar"));
    case QuickHelpPlace::ToolToolbar:
        return QPoint(keyLeft("Toolbar2"), below("Toolbar2"));
    case QuickHelpPlace::Worksheet:
        // The cell's centre as the worksheet shows it now, scrolled part included.
        return m_canvas->mapTo(this, QPoint(GridToPixel(gCursorX) + PictureLeft(),
                                            GridToPixel(gCursorY) + PictureTop()));
    case QuickHelpPlace::PowerButton: {
        const auto* button = qobject_cast<const QWidget*>(FindControl(key));
        return QPoint(origin(button).x(), below("picEinAus"));
    }
    case QuickHelpPlace::PowerPanel:
        return QPoint(origin(findChild<QWidget*>("picEinAus")).x(), below("picEinAus"));
    case QuickHelpPlace::PropertyPanel:
        return QPoint(origin(findChild<QWidget*>("picEinAus")).x(), below("picEigenschaften"));
    case QuickHelpPlace::Unchanged:
        break;
    }
    return std::nullopt;
}

void frmKardo::ResizeQuickHelp() {
    auto* panel = findChild<QFrame*>("picQuickHelp");
    auto* headline = panel->findChild<QLabel*>("lblHeadline");
    auto* text = panel->findChild<QLabel*>("lblQText");
    headline->adjustSize();
    headline->move(kLabelLeft, kLabelTop);
    text->adjustSize();
    text->move(kLabelLeft, kLabelTop + headline->height() + kLabelGap);
    const auto label = [](const QLabel* l) {
        return QuickHelpLabel{l->x(), l->y(), l->width(), l->height()};
    };
    const QuickHelpSize size = SizeQuickHelp(label(headline), label(text));
    panel->resize(size.width, size.height);
}

void frmKardo::PositionQuickHelp(std::string_view headline, std::string_view text,
                                 std::string_view key) {
    auto* panel = findChild<QFrame*>("picQuickHelp");
    if (panel->isVisible())
        panel->hide();
    if (const std::optional<QPoint> at = QuickHelpAnchor(key))
        panel->move(*at);
    panel->findChild<QLabel*>("lblHeadline")->setText(Display(headline));
    panel->findChild<QLabel*>("lblQText")->setText(Display(text));
    ResizeQuickHelp();
    panel->move(QuickHelpLeft(panel->x(), panel->width(), width()),
                QuickHelpTop(panel->y(), panel->height(), height()));
    panel->raise();
    panel->show();
}

} // namespace kardo
