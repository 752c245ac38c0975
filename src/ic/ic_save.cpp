// Saving the IC being defined: the checks that keep a definition loadable, then the file.
#include "files/circuit_file.h"
#include "files/file_lines.h"
#include "files/ic_definition.h"
#include "files/ic_definition_file.h"
#include "files/ic_notes.h"
#include "files/ic_size.h"
#include "files/text_helpers.h"
#include "ic/ic_definition_mode.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/place_ic.h"
#include "platform/platform.h"

#include <algorithm>
#include <cctype>

namespace kardo {

namespace {

constexpr std::string_view kTitle = "IC-Definition";

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Why the definition cannot be saved as it is; "" when it can. Each pin line is brought up to
// the cell that carries the pin now.
std::string Refusal() {
    std::string reason;
    if (!IsSavableICName(gICName, reason))
        return reason;
    if (gAnzICAnschluesse < 1)
        return "Das IC hat noch keine Anschlüsse. Klicken Sie auf die Leitungsenden, die "
               "Anschlüsse werden sollen, und geben Sie ihnen einen Namen.";
    int placed = 0;
    for (int k = 1; k <= gAnzICAnschluesse; ++k) {
        int a = 0;
        int b = 0;
        placed += GetICPinPlace(k, a, b) ? 1 : 0;
    }
    if (placed == 0)
        return "Kein Anschluss liegt am Gehäuse. Ziehen Sie die Anschlüsse im IC-Assistenten "
               "auf den Rand des Gehäuses.";
    for (int k = 1; k <= gAnzICAnschluesse; ++k) {
        const std::vector<GridPoint> cells = FindICPinCells(k);
        const bool end = cells.size() == 1 && gGrid(cells[0].x, cells[0].y).Typ == kTypeWire &&
                         CountConnections(cells[0].x, cells[0].y) == 1;
        if (!end)
            return "Der Anschluss \"" + ICPinName(k) +
                   "\" liegt nicht mehr auf einem Leitungsende. Seine Leitung wurde gelöscht "
                   "oder verändert; entfernen Sie den Anschluss (rechte Maustaste) oder "
                   "benennen Sie ein Leitungsende neu.";
        gICAnschlussZellen[static_cast<std::size_t>(k)] = std::to_string(cells[0].x) + ";" +
                                                          std::to_string(cells[0].y) + ";" +
                                                          ICPinName(k) + ";";
    }
    if (const std::string_view line = HeaderLikeNoteLine(gICNotizen); !line.empty())
        return HeaderLineProblem(line);
    for (int e = 1; e <= gAnzElemente; ++e) {
        if (gElements[static_cast<std::size_t>(e)].Typ == kTypeClock)
            return "Ein IC kann keinen Taktgeber enthalten: Taktgeber gehören zur Schaltung und "
                   "würden in einem IC nie takten. Führen Sie den Takt über einen Anschluss in "
                   "das IC.";
    }
    for (int i = 1; i <= gICInstanceMax && static_cast<std::size_t>(i) < gICInstances.size(); ++i) {
        if (SameName(gICInstances[static_cast<std::size_t>(i)].Name, gICName))
            return "Das IC \"" + gICName +
                   "\" würde sich selbst enthalten: auf dem Arbeitsfeld liegt ein IC dieses "
                   "Namens (oder ein IC, das es enthält).";
    }
    if (1 + gICInstanceMax > kMaxICInstances)
        return "Das IC enthielte mit den ICs darin mehr als " + std::to_string(kMaxICInstances) +
               " ICs und könnte nirgends gesetzt werden.";
    BuildICPinLists();
    if (gICBoxMaxX - gICBoxMinX > kMaxICSize || gICBoxMaxY - gICBoxMinY > kMaxICSize)
        return "Die Schaltung ist für ein IC zu groß (höchstens " + std::to_string(kMaxICSize) +
               " Zellen je Seite).";
    return {};
}

} // namespace

bool SaveICDefinition() {
    HostWindow& host = Host();
    gICName = std::string(TrimBlanks(gICName));
    const std::string refusal = Refusal();
    if (!refusal.empty()) {
        host.MessageBox(refusal, MsgButtons::Ok, MsgIcon::Exclamation, kTitle);
        return false;
    }
    // The definition that was opened or saved last is the one being edited: no question.
    const std::string path = ICDefinitionPath(gICName);
    if (FileExists(path) && path != gDateiPfad) {
        const std::string question =
            "Das IC \"" + gICName + "\" existiert bereits.\r\nMöchten Sie es ersetzen?";
        if (host.MessageBox(question, MsgButtons::YesNo, MsgIcon::Question, kTitle) !=
            MsgResult::Yes)
            return false;
    }
    std::string reason;
    if (!SaveIC(reason)) {
        host.MessageBox("Das IC \"" + gICName + "\" konnte nicht gespeichert werden: " + reason +
                            ".",
                        MsgButtons::Ok, MsgIcon::Exclamation, "Dateifehler");
        return false;
    }
    host.MessageBox("IC '" + gICName + "' wurde gespeichert", MsgButtons::Ok, MsgIcon::Information,
                    kTitle);
    host.RefreshICLists();
    host.RefreshICEditor();
    return true;
}

} // namespace kardo
