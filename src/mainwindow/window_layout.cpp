// Main window layout: Form_Resize, the viewport the view works with, the panel menu entries and
// the formula input line. The panels themselves stack in ResizeProperties.
#include "mainwindow/window_layout.h"

#include "app/main_state.h"
#include "app/settings.h"
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
    for (int i = 0; i <= 5; ++i) {
        auto* a = window.findChild<QAction*>(QString("mPanel_%1").arg(i));
        // The entries act through mPanel_Click, which knows the quick-help mode and the
        // formula line.
        QObject::disconnect(a, &QAction::triggered, &window, nullptr);
        QObject::connect(a, &QAction::triggered, &window, [&window, i] { window.mPanel_Click(i); });
    }
    // "cmdPanel5" shows or closes the formula line; in the quick-help mode the main toolbar's
    // handler shows its help instead.
    auto* key5 = window.findChild<QAction*>("cmdPanel5");
    QObject::connect(key5, &QAction::triggered, &window, [&window] {
        if (gMouseMode == kToolQuickHelp)
            return;
        if (window.IsVisible("cmdCloseFormel"))
            window.CloseFormelPanel();
        else
            window.ShowFormelPanel();
    });
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

void frmKardo::mPanel_Click(int index) {
    const bool formula = index == 5;
    if (gMouseMode == kToolQuickHelp) {
        // The entry shows its help and keeps its mark.
        SetChecked("mPanel_" + std::to_string(index),
                   formula ? IsVisible("cmdCloseFormel")
                           : gPanelVisible[static_cast<std::size_t>(index)] != 0);
        ShowQuickHelp("picPanel" + std::to_string(index));
        return;
    }
    if (formula) {
        if (IsVisible("cmdCloseFormel"))
            CloseFormelPanel();
        else
            ShowFormelPanel();
        return;
    }
    if (index >= 0 && index < 5)
        PanelCommand(index, IsChecked("mPanel_" + std::to_string(index)) ? -1 : 0);
}

void frmKardo::CloseFormelPanel() {
    EndGestureForView();
    for (const char* c : {"cmdFormel", "cmbFormel", "cmdCloseFormel", "picFormel"})
        SetVisible(c, false);
    SetChecked("cmdPanel5", false);
    SetChecked("mPanel_5", false);
    ResizeWorksheet();
}

void frmKardo::ShowFormelPanel() {
    EndGestureForView();
    for (const char* c : {"picFormel", "cmdFormel", "cmbFormel", "cmdCloseFormel"})
        SetVisible(c, true);
    SetChecked("cmdPanel5", true);
    SetChecked("mPanel_5", true);
    ResizeWorksheet();
}

} // namespace kardo
