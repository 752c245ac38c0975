// Entering, leaving and clearing the IC-definition view, and the definition of an opened file.
#include "app/permissions.h"
#include "editor/overlays.h"
#include "editor/selection.h"
#include "files/ic_definition_file.h"
#include "files/ic_folder.h"
#include "files/ic_size.h"
#include "files/working_folders.h"
#include "ic/ic_choice.h"
#include "ic/ic_definition_mode.h"
#include "ic/pin_labels.h"
#include "model/codes.h"
#include "model/place_ic.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "platform/control_names.h"
#include "platform/platform.h"

namespace kardo {

namespace {

std::string MenuName(int i) { return ctl::mBauteil(i); }

} // namespace

void ShowICView() {
    if (gPowerOn || !gFunktionRechte[kRechtICDefinieren])
        return;
    HostWindow& host = Host();
    SelectNone();
    gOverlays.picRahmen.Visible = false;
    gMouseMode = kToolICView;
    for (std::string_view key : kToolbar2Keys)
        host.SetChecked(key, false);
    for (int i = 1; i <= 25; ++i)
        host.SetChecked(MenuName(i), false);
    host.ChangePropertyWindow({});
    host.SetEnabled(ctl::mDefIC, false);
    host.SetEnabled(ctl::cmdICView, false);
    host.ChangeSelPicture(kToolICView);
    // The places kept from before must lie on the package the view starts with.
    KeepICPlacesOnOutline();
    host.ShowICEditor(true);
    host.RefreshICEditor();
}

void CloseICView() {
    HostWindow& host = Host();
    if (gMouseMode == kToolICView) {
        gMouseMode = kToolWire;
        host.ChangeSelPicture(kToolWire);
        host.SetChecked(ctl::cmdLeitungen, true);
        host.SetChecked(MenuName(1), true);
        host.ChangePropertyWindow({});
    }
    host.SetEnabled(ctl::mDefIC, true);
    host.SetEnabled(ctl::cmdICView, true);
    host.ShowICEditor(false);
    gOverlays.picBox.Visible = false;
    ClearICPinHighlight();
    gAktAnschluss = 0;
    // The IC tool places the IC named here: a saved definition stays chosen, a name without
    // one is no choice.
    if (!gICName.empty() && FindICFile(gVerzeichnisse[1], gICName))
        ChooseIC(gICName);
    else
        gICName.clear();
}

void mDefIC_Click() {
    if (gPowerOn || !gFunktionRechte[kRechtICDefinieren])
        return;
    gICName.clear();
    gICBreite = 7;
    gICHoehe = 4;
    ShowICView();
}

void ClearICDefinition() {
    const bool inView = gMouseMode == kToolICView;
    ResetICPinLabels();
    ResetICDefinitionState();
    gICName.clear();
    gICBreite = 0;
    gICHoehe = 0;
    HostWindow& host = Host();
    host.RefreshICPinLabels();
    if (inView)
        CloseICView();
    host.RefreshICEditor();
}

void ApplyICDefinition(const CircuitDocument& doc) {
    TakeICDefinition(doc);
    PlaceDefinitionPinLabels();
    const bool named = !gICName.empty() && gICName != "IC-Neu";
    if (named && gFunktionRechte[kRechtICDefinieren] && !gPowerOn) {
        gICBoxMinX = 0;
        gICBoxMinY = 0;
        ShowICView();
    }
}

} // namespace kardo
