// Main window: the switch between editing and powered mode, the property sections of the tool,
// the stacking of the side panels and the clock toolbar.
#include "app/settings.h"
#include "editor/overlays.h"
#include "editor/panel_hooks.h"
#include "mainwindow/main_window.h"
#include "mainwindow/tool_table.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/placement.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "render/view.h"

#include <QAction>
#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

namespace kardo {

namespace {

constexpr const char* kEditingOnlyFileEntries[] = {"mNeu", "mOpen", "mSave", "mSaveAs"};

void ProcessEventsOnce() {
    if (gPlatform != nullptr && gPlatform->pump != nullptr)
        Pump().DoEvents();
}

} // namespace

void frmKardo::ChangeGUI(bool editing) {
    if (editing) {
        SetCaption("lblTaktgeber", "");
        if (IsVisible("shpSelectedTimer"))
            SetVisible("shpSelectedTimer", false);
        for (int i = 0; i < 4; ++i)
            SetEnabled("mUsedFiles_" + std::to_string(i), true);
        for (int i = 1; i <= 10; ++i) {
            QObject* key = FindControl("Toolbar_" + std::to_string(i));
            const QString name = key != nullptr ? key->objectName() : QString();
            if (name != "cmdUndo" && name != "cmdUndoList")
                SetEnabled("Toolbar_" + std::to_string(i), true);
        }
        SetChecked("cmdRaster", gShowGrid);
        SetEnabled("cmdRaster", true);
        SetEnabled("cmdICView", true);

        SetVisible("Toolbar2", true);
        SetVisible("picOnOff", false);
        for (const char* entry : kEditingOnlyFileEntries)
            SetEnabled(entry, true);
        SetEnabled("mPrint", true);
        SetVisible("mBauelemente", true);
        SetVisible("mBearbeiten", true);
        SetCaption("mOnOff", "&Einschalten");
        SetChecked("mAnsichtItem_3", gShowGrid);
        SetEnabled("mAnsichtItem_3", true);

        // With every step taken back the history reports data, but there is nothing to undo.
        if (!gUndo.NoUndoData() && gUndo.CurrentIndex() <= gUndo.Undos()) {
            for (const char* c : {"mUndo", "mUndoList", "cmdUndo", "cmdUndoList"})
                SetEnabled(c, true);
        }
        SetEnabled("mDelete", true);
        SetEnabled("mDefIC", true);
        SetVisible("mOptionen", true);
        SetEnabled("mICAuswahl", true);
        SetEnabled("cmdICAuswahl", true);

        for (int i = 1; i <= 25; ++i) {
            if (IsBauteilSeparator(i))
                continue;
            SetRadioMenuChecks(qobject_cast<QAction*>(FindControl("mBauteil_" + std::to_string(i))),
                               i - 1);
        }

        for (const char* c : {"txtX", "txtY", "updSizeX", "updSizeY"})
            SetEnabled(c, true);
        SetVisible("picSize", gPanelVisible[2] != 0);
        ResizeProperties(false);
        ProcessEventsOnce();

        SetVisible("picEigenschaft_3", false);
        for (int i = 1; i <= 4; ++i)
            SetEnabled("Toolbar3_" + std::to_string(i), false);
        SetCaption("lblAllgemein_2", "Auswahl:");

        RestoreToolState();
        ChangeSelPicture(gMouseMode);
        EndLockedTool();
        ICAuswahlForMode(true);
        return;
    }

    SetEnabled("cmdICView", false);
    for (int i = 0; i < 4; ++i)
        SetEnabled("mUsedFiles_" + std::to_string(i), false);
    for (int i = 1; i <= 10; ++i)
        SetEnabled("Toolbar_" + std::to_string(i), false);
    SetChecked("cmdRaster", false);
    SetEnabled("cmdRaster", false);
    SetEnabled("cmdUndo", false);

    SetVisible("Toolbar2", false);
    SetVisible("picOnOff", true);
    SetVisible("picRot", true);
    SetVisible("picGrün", false);
    SetCaption("lblOnOff", "Anfangszustand wird berechnet ...");

    SetVisible("picSize", false);
    SetEnabled("updSizeX", false);
    SetEnabled("updSizeY", false);

    // The sheet-size panel is left out of the stacking while powered; its state comes back
    // unchanged for the editing mode.
    const std::int16_t sizeState = gPanelVisible[2];
    gPanelVisible[2] = 0;
    ResizeProperties(false);
    gPanelVisible[2] = sizeState;

    ChangeSelPicture(kToolPowered);

    for (const char* entry : kEditingOnlyFileEntries)
        SetEnabled(entry, false);
    SetCaption("mOnOff", "&Ausschalten");
    SetChecked("mAnsichtItem_3", false);
    SetEnabled("mAnsichtItem_3", false);
    SetVisible("mBauelemente", false);
    SetVisible("mBearbeiten", false);
    for (const char* c : {"mUndo", "mUndoList", "mDelete", "mDefIC"})
        SetEnabled(c, false);
    SetVisible("mOptionen", false);
    for (const char* c : {"mPrint", "mICAuswahl", "cmdICAuswahl"})
        SetEnabled(c, false);
    ICAuswahlForMode(false);

    for (const char* c : {"picOrientation", "picAnschlüsse", "picKomplex"})
        SetVisible(c, false);
    auto* tabs = findChild<QTabWidget*>("SSTab1");
    tabs->setCurrentIndex(0);
    for (int i = 0; i <= 2; ++i)
        SetVisible("picEigenschaft_" + std::to_string(i), false);
    SetVisible("picEigenschaft_3", true);
    SetEnabled("txtX", false);
    SetEnabled("txtY", false);

    bool hasClock = false;
    for (int n = 1; n <= gAnzElemente; ++n) {
        if (gElements[static_cast<std::size_t>(n)].Typ != kTypeClock)
            continue;
        hasClock = true;
        SetEnabled("Toolbar3_1", true);
        SetEnabled("Toolbar3_2", true);
        // The marker goes on clock 0 as in the editing mode.
        gPowerOn = !gPowerOn;
        SelectTimer(0);
        gAktTakt = 0;
        gPowerOn = !gPowerOn;
        break;
    }
    tabs->setTabEnabled(1, hasClock);
    SetEnabled("txtAnzTakte", hasClock);
    SetEnabled("cmdAnzTakte", hasClock);
    SetVisible("lblTaktgeber", hasClock);
    SetVisible("SSTab1", hasClock);
    if (hasClock)
        ChangeToolbar3();
}

void frmKardo::ChangePropertyWindow(const std::array<std::int16_t, 8>& flags) {
    const bool vOrientation = flags[0] != 0;
    const bool vInput = flags[1] != 0;
    const bool vNormal = flags[2] != 0;
    const bool vIC = flags[3] != 0;
    const bool vColors = flags[4] != 0;
    const bool vTakt = flags[7] != 0;

    // Every tool change switches the step delay off.
    findChild<QSlider*>("sldDelay")->setValue(0);
    auto* delay = findChild<QLabel*>("lblDelay");
    delay->setText("[Aus]");
    delay->setStyleSheet("color: #808080");

    auto show = [this](const char* name, bool visible) {
        if (IsVisible(name) != visible)
            SetVisible(name, visible);
    };
    show("picOrientation", vOrientation);
    show("picAnschlüsse", vInput);
    ProcessEventsOnce();
    show("picEigenschaft_2", vNormal);
    show("picEigenschaft_0", vIC);
    show("picEigenschaft_1", vColors);
    show("picEigenschaft_4", vTakt);
    if (IsVisible("picOrientation"))
        SetOrientationKeysEnabled(true);
    show("picKomplex", IsKomplexTool(gMouseMode));
    gPropertyFlags = flags;
}

// The panels follow their states: shown, collapsed to the title bar, or hidden; the layout of
// the column stacks them. While powered the sheet-size panel keeps its place and visibility.
void frmKardo::ResizeProperties(bool resize) {
    const bool quickHelp = gMouseMode == kToolQuickHelp;
    if (!resize && quickHelp) {
        for (int i = 0; i < 5; ++i)
            SetChecked("cmdPanel" + std::to_string(i),
                       gPanelVisible[static_cast<std::size_t>(i)] != 0);
        return;
    }
    bool any = false;
    for (int i = 0; i < 5; ++i) {
        const std::int16_t state = gPanelVisible[static_cast<std::size_t>(i)];
        Panel& p = m_panels[static_cast<std::size_t>(i)];
        if (i == 2 && gPowerOn) {
            any = any || !p.frame->isHidden();
            continue;
        }
        if (state == 0) {
            p.frame->setVisible(false);
            continue;
        }
        any = true;
        const bool collapsed = state == 1 && p.minKey != nullptr;
        if (p.minKey != nullptr)
            p.minKey->setChecked(collapsed);
        p.body->setVisible(!collapsed);
        p.frame->setVisible(true);
    }
    m_column->setVisible(any);
    // A shown levels panel fills the rest of the column; otherwise the panels sit at the top.
    auto* column = static_cast<QBoxLayout*>(m_column->layout());
    const bool fill = gPanelVisible[4] == -1 && !m_panels[4].frame->isHidden();
    column->setStretchFactor(m_panels[4].frame, fill ? 1 : 0);
    column->setStretch(column->count() - 1, fill ? 0 : 1);
    for (int i = 0; i < 5; ++i)
        SetChecked("mPanel_" + std::to_string(i), gPanelVisible[static_cast<std::size_t>(i)] != 0);
    if (!(quickHelp && resize)) {
        for (int i = 0; i < 5; ++i)
            SetChecked("cmdPanel" + std::to_string(i),
                       gPanelVisible[static_cast<std::size_t>(i)] != 0);
    }
}

void frmKardo::PanelCommand(int index, int state) {
    if (index < 0 || index > 4)
        return;
    EndGestureForView();
    gPanelVisible[static_cast<std::size_t>(index)] = static_cast<std::int16_t>(state);
    ResizeProperties(false);
}

void frmKardo::ChooseColor(int index) {
    static constexpr std::int32_t kColors[9] = {0x0000FF, 0x00FFFF, 0x00FF00, 0xFF0000, 0xFFFF00,
                                                0xFF00FF, 0x0080FF, 0x808080, 0x000000};
    if (index < 0 || index > 8)
        return;
    for (int i = 0; i < 9; ++i)
        SetChecked("cmdColor_" + std::to_string(i), i == index);
    gFarbe = kColors[index];
}

void frmKardo::HideDecoder() {
    bool changed = false;
    for (int i = 1; i <= 4; ++i) {
        changed = changed || gOverlays.LineRahmen[static_cast<std::size_t>(i)].Visible;
        gOverlays.LineRahmen[static_cast<std::size_t>(i)].Visible = false;
    }
    if (changed)
        m_canvas->update();
}

void frmKardo::ChangeToolbar3() {
    const int n = gAktTakt;
    if (n < 0 || n >= static_cast<int>(gTaktZeit1.size()))
        return;
    const std::string tag = n <= Timer2().UBound() ? Timer2()[n].Tag : std::string();
    const bool high =
        n < static_cast<int>(gTaktAusgang.size()) && gTaktAusgang[static_cast<std::size_t>(n)] != 0;
    int stop = -1; // -1 unchanged, 0 disabled, 1 enabled
    if (tag == "Dauertakt" || (tag == "Einzeltakt" && high))
        stop = 1;
    else if (tag == "Einzeltakt" || tag == "Stop" || tag.empty())
        stop = 0;
    if (stop >= 0) {
        SetEnabled("Toolbar3_3", stop == 1);
        SetEnabled("Toolbar3_1", stop == 0);
        SetEnabled("Toolbar3_2", stop == 0);
    }
    SetCaption("txtAnzTakte", std::to_string(gAnzTakte[static_cast<std::size_t>(n)]));
    auto* s1 = findChild<QSlider*>("Slider1");
    auto* s0 = findChild<QSlider*>("Slider0");
    const QSignalBlocker b1(s1);
    const QSignalBlocker b0(s0);
    s1->setValue(10000 - gTaktZeit1[static_cast<std::size_t>(n)]);
    s0->setValue(10000 - gTaktZeit0[static_cast<std::size_t>(n)]);
    SetCaption("lbl0", ClockTimeCaption(s0->value()));
    SetCaption("lbl1", ClockTimeCaption(s1->value()));
    SetCaption("lblTaktgeber", "Taktgeber: " + std::to_string(n + 1));
}

} // namespace kardo
