// The IC choice and its nesting check.
#include "ic/ic_choice.h"

#include "files/ic_loader.h"
#include "files/ic_size.h"
#include "files/working_folders.h"
#include "platform/control_names.h"
#include "platform/platform.h"

namespace kardo {

std::string gICFehlerText;

void ResetICChoice() { gICFehlerText.clear(); }

bool CheckICNesting(std::string_view name) {
    gICAuswahlOK = false;
    gICFehlerText.clear();
    if (name.empty() || name == "<Name>")
        return false;
    ICLoader loader(gVerzeichnisse[1]);
    ICLoadProblem problem;
    // The definition's own soundness; whether the sheet has room for more instances is the
    // placing's concern.
    gICAuswahlOK = loader.Check(name, 0, 0, problem);
    if (!gICAuswahlOK) {
        gICFehlerText = "IC \"" + problem.IC + "\"";
        if (!problem.File.empty())
            gICFehlerText += ", " + problem.File;
        if (problem.Line > 0)
            gICFehlerText += ", Zeile " + std::to_string(problem.Line);
        gICFehlerText += ": " + problem.Text;
    }
    return gICAuswahlOK;
}

void ChooseIC(std::string_view name) {
    gICName = std::string(name);
    bool ok = true;
    if (!gICName.empty() && gICName != "<Name>") {
        GetICSize(gICName);
        ok = CheckICNesting(gICName);
    } else {
        gICAuswahlOK = false;
        gICFehlerText.clear();
    }
    if (gPlatform && gPlatform->host) {
        HostWindow& host = Host();
        host.SetVisible(ctl::lblICFehler, !ok);
        host.SetStatusText(2, ok ? std::string_view() : std::string_view(gICFehlerText));
    }
}

} // namespace kardo
