// Main window: one event filter over the controls of the hover-reset table. A mouse move over
// one of them takes its steps; a toolbar's keys count as the toolbar.
#include "editor/hover_reset.h"
#include "mainwindow/main_window.h"
#include "platform/platform.h"

#include <QEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>

namespace kardo {

namespace {

constexpr const char* kStepsProperty = "kardoHoverSteps";

class HoverFilter : public QObject {
  public:
    using QObject::QObject;

    void Watch(QWidget* w, std::uint8_t steps) {
        w->setProperty(kStepsProperty, static_cast<int>(steps));
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

  protected:
    // Each control reacts to the mouse over itself only: a move over a control inside it (which
    // Qt passes on to the parents) belongs to that control.
    static bool DirectlyOver(QObject* watched, QEvent* event) {
        auto* w = qobject_cast<QWidget*>(watched);
        const auto* move = static_cast<QMouseEvent*>(event);
        return w != nullptr && w->childAt(move->position().toPoint()) == nullptr;
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove && DirectlyOver(watched, event)) {
            const auto steps = static_cast<std::uint8_t>(watched->property(kStepsProperty).toInt());
            if (HoverReset(steps) && gPlatform != nullptr && gPlatform->host != nullptr)
                gPlatform->host->RefreshWorksheet();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void frmKardo::InstallHoverFilter() {
    auto* filter = new HoverFilter(this);
    for (const HoverMember& m : HoverMembers()) {
        const QString name =
            QString::fromUtf8(m.name.data(), static_cast<qsizetype>(m.name.size()));
        // The control itself, or the elements of a control array ("cmdColor_0" ...).
        const QRegularExpression pattern(
            QRegularExpression::anchoredPattern(QRegularExpression::escape(name) + "(_\\d+)?"));
        QList<QWidget*> found = findChildren<QWidget*>(pattern);
        if (objectName() == name)
            found.append(this);
        for (QWidget* w : found) {
            filter->Watch(w, m.steps);
            if (qobject_cast<QToolBar*>(w) != nullptr)
                for (QToolButton* key : w->findChildren<QToolButton*>())
                    filter->Watch(key, m.steps);
        }
    }
}

} // namespace kardo
