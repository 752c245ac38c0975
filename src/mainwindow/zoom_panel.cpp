// Zoom keys, percentage box and zoom menu entries.
#include "mainwindow/zoom_panel.h"

#include "mainwindow/main_window.h"
#include "render/grafik.h"
#include "render/view.h"
#include "render/zoom.h"

#include <string>

#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>

namespace kardo {

namespace {

QString Utf8(const char* s) { return QString::fromUtf8(s); }

struct ZoomKey {
    const char* toolbar; // tlbZoom or tlbZoomInOut
    const char* key;     // key text and object name
    const char* tooltip;
    ZoomPanel::Command command;
    const char* mark; // drawn in the magnifier
};

constexpr ZoomKey kKeys[] = {
    {"tlbZoom", "cmdZoom100", "Originalgröße", ZoomPanel::Command::Zoom100, "1:1"},
    {"tlbZoom", "cmdZoomFull", "Auf Arbeitsfläche zoomen", ZoomPanel::Command::Full, "[ ]"},
    {"tlbZoom", "cmdZoomHeight", "Auf Höhe zoomen", ZoomPanel::Command::Height, "|"},
    {"tlbZoom", "cmdZoomWidth", "Auf Breite zoomen", ZoomPanel::Command::Width, "-"},
    {"tlbZoomInOut", "cmdZoomIn", "Vergrößern", ZoomPanel::Command::In, "+"},
    {"tlbZoomInOut", "cmdZoomOut", "Verkleinern", ZoomPanel::Command::Out, "−"},
};

// The menu entries with their keys (F3 .. F8 are set on the entries).
constexpr std::pair<const char*, ZoomPanel::Command> kEntries[] = {
    {"mZoomOut", ZoomPanel::Command::Out},    {"mZoomIn", ZoomPanel::Command::In},
    {"mZoom_0", ZoomPanel::Command::Zoom100}, {"mZoom_1", ZoomPanel::Command::Full},
    {"mZoom_2", ZoomPanel::Command::Height},  {"mZoom_3", ZoomPanel::Command::Width},
};

constexpr const char* kBoxList[] = {"60%",  "70%",  "80%",  "90%",  "100%", "110%",
                                    "125%", "150%", "175%", "200%", "250%"};

// A magnifying glass with a mark in its lens.
QIcon ZoomIcon(const char* mark) {
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(64, 64, 64), 2));
    p.drawLine(15, 15, 21, 21);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(224, 240, 255));
    p.drawEllipse(QPoint(10, 10), 8, 8);
    QFont f = p.font();
    f.setPixelSize(8);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(2, 2, 16, 16), Qt::AlignCenter, Utf8(mark));
    return QIcon(pm);
}

} // namespace

ZoomPanel::ZoomPanel(frmKardo& window) : QObject(&window), m_window(window) {
    setObjectName("ZoomPanel");
    for (const ZoomKey& k : kKeys) {
        auto* bar = window.findChild<QToolBar*>(k.toolbar);
        QAction* a = bar->addAction(ZoomIcon(k.mark), Utf8(k.tooltip));
        a->setObjectName(k.key);
        a->setToolTip(Utf8(k.tooltip));
        const Command c = k.command;
        connect(a, &QAction::triggered, this, [this, c] { Run(c); });
    }
    for (const auto& [name, command] : kEntries) {
        auto* a = window.findChild<QAction*>(name);
        const Command c = command;
        connect(a, &QAction::triggered, this, [this, c] { Run(c); });
    }

    auto* inOut = window.findChild<QToolBar*>("tlbZoomInOut");
    m_box = new QComboBox(inOut->parentWidget());
    m_box->setObjectName("cmbZoom");
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    // The typed number counts: completing "20" to the entry "200%" would zoom ten times as far.
    m_box->setCompleter(nullptr);
    for (const char* entry : kBoxList)
        m_box->addItem(Utf8(entry));
    m_box->setEditText("100%");
    inOut->parentWidget()->layout()->addWidget(m_box);
    connect(m_box, &QComboBox::activated, this, &ZoomPanel::BoxChosen);
    // The line edit's focus proxy is the combo box: typed keys and focus changes reach the combo
    // box, which hands them to the line edit directly, past any filter on the line edit.
    m_box->installEventFilter(this);
    m_box->lineEdit()->installEventFilter(this);
}

void ZoomPanel::Run(Command command) {
    EndGestureForView();
    switch (command) {
    case Command::Zoom100:
        gGrafik.Zoom100();
        break;
    case Command::Full:
        gGrafik.ZoomFull();
        break;
    case Command::Height:
        gGrafik.ZoomHeight();
        break;
    case Command::Width:
        gGrafik.ZoomWidth();
        break;
    case Command::In:
        SetZoom(ZoomStepIn(gGrafik.GridMode));
        break;
    case Command::Out:
        SetZoom(ZoomStepOut(gGrafik.GridMode));
        break;
    }
    ShowZoom();
}

void ZoomPanel::ShowZoom() {
    m_box->setEditText(QString::fromStdString(ZoomPercentText(gGrafik.GridMode)));
}

void ZoomPanel::BoxChosen(int index) {
    ApplyChoice(ZoomBoxChoose(m_box->itemText(index).toStdString(), gGrafik.GridMode, false));
}

void ZoomPanel::BoxEntered() {
    ApplyChoice(ZoomBoxChoose(m_box->currentText().toStdString(), gGrafik.GridMode, true));
}

void ZoomPanel::ApplyChoice(const ZoomBoxChoice& c) {
    m_box->setEditText(QString::fromStdString(c.text));
    if (!c.change)
        return;
    EndGestureForView();
    SetZoom(c.zoom);
    // The picture's budget may have held the zoom below the one asked for.
    if (gGrafik.GridMode != c.zoom)
        ShowZoom();
}

void ZoomPanel::BoxLeft() {
    m_box->setEditText(
        QString::fromStdString(ZoomBoxLeave(m_box->currentText().toStdString(), gGrafik.GridMode)));
}

bool ZoomPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            BoxEntered();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        BoxLeft();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kardo
