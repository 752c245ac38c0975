// Main window layout: Form_Resize, the viewport the view works with, the panel menu entries and
// the formula input line. The panels themselves stack in ResizeProperties.
#include "mainwindow/window_layout.h"

#include "app/main_state.h"
#include "app/permissions.h"
#include "editor/qt/text_label_editor.h"
#include "mainwindow/main_window.h"
#include "mainwindow/property_panel.h"
#include "mainwindow/worksheet_canvas.h"
#include "mainwindow/worksheet_view.h"
#include "model/codes.h"
#include "model/utilities.h"
#include "render/view.h"

#include <string>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolButton>

namespace kardo {

void ConnectWindowLayout(frmKardo& window) {
    window.setMinimumSize(kMinWindowWidth, kMinWindowHeight);
    // "cmdPanel5" and the panel menu's entry 5 show or close the formula line; in the quick-help
    // mode their own handlers show their help instead.
    const auto toggle = [&window] {
        if (gMouseMode == kToolQuickHelp)
            return;
        if (window.IsVisible("cmdCloseFormel"))
            window.CloseFormelPanel();
        else
            window.DisplayEingabezeile();
    };
    for (const char* name : {"cmdPanel5", "mPanel_5"})
        QObject::connect(window.findChild<QAction*>(name), &QAction::triggered, &window, toggle);
    auto* close = window.findChild<QToolButton*>("cmdCloseFormel");
    QObject::connect(close, &QToolButton::clicked, &window,
                     [&window] { window.CloseFormelPanel(); });
    auto* formel = window.findChild<QPushButton*>("cmdFormel");
    QObject::connect(formel, &QPushButton::released, &window, [&window] {
        if (auto* box = window.findChild<QComboBox*>("cmbFormel"))
            box->setFocus();
    });
}

ViewportMetrics frmKardo::Viewport() const {
    const int state = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    return {m_canvas->width(), m_canvas->height(), state};
}

void frmKardo::ScrollChanged() {
    m_container->SyncScrollBars();
    m_canvas->update();
    // The label editor stays over its label.
    m_canvas->TextEditor()->SyncFromState();
    // The IC pin labels stay beside their pins.
    RefreshICPinLabels();
    if (auto* panel = findChild<PropertyPanel*>("PropertyPanel"))
        panel->SyncSizeBoxes();
}

void frmKardo::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

// The viewport and the scroll bars follow the canvas's own size (WorksheetView); this lays out
// the rest.
void frmKardo::Form_Resize() {
    if (isMinimized())
        return;
    if (gAktiviert == 0)
        gAktiviert = 255;
    SetCaption("lblTime", std::to_string(GetVisibleArea(2)));
    if (!isMaximized() && !isFullScreen() && y() < 0)
        move(x(), 10);
    ResizeProperties(true);
    GetVisibleP();
    if (gMouseMode == kToolWire)
        SetChecked("cmdLeitungen", true);
}

namespace {

// Shows or hides the formula line's row; its key and menu entry follow.
void ShowFormelLine(frmKardo& window, bool shown) {
    EndGestureForView();
    for (const char* c : {"picFormel", "cmdFormel", "cmbFormel", "cmdCloseFormel"})
        window.SetVisible(c, shown);
    window.SetChecked("cmdPanel5", shown);
    window.SetChecked("mPanel_5", shown);
    ResizeWorksheet();
}

} // namespace

void frmKardo::CloseFormelPanel() { ShowFormelLine(*this, false); }

void frmKardo::DisplayEingabezeile() {
    if (gFunktionRechte[kRechtEingabezeile])
        ShowFormelLine(*this, true);
}

} // namespace kardo
