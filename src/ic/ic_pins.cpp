// Naming, renaming and removing the pins of the IC being defined.
#include "files/file_lines.h"
#include "files/ic_definition.h"
#include "files/ic_definition_file.h"
#include "files/text_codec.h"
#include "ic/ic_definition_mode.h"
#include "ic/pin_labels.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "render/grafik.h"

namespace kardo {

namespace {

constexpr std::string_view kTitle = "IC-Definition";

bool IsOwnPin(const CellRecord& c) { return c.ICPin != 0 && c.ICLevel == 0 && c.Typ != kTypeIC; }

std::string PinLine(int x, int y, std::string_view name) {
    return std::to_string(x) + ";" + std::to_string(y) + ";" + std::string(name) + ";";
}

// Characters of a UTF-8 text (continuation bytes not counted).
int CharCount(std::string_view s) {
    int n = 0;
    for (const char c : s)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

void Refresh() {
    PlaceDefinitionPinLabels();
    HostWindow& host = Host();
    host.RefreshICEditor();
    host.RefreshWorksheet();
}

// Asks the pin-naming dialog until it gives an allowed name; nothing when cancelled.
std::optional<std::string> AskName(int k, std::string current) {
    HostWindow& host = Host();
    for (;;) {
        const std::optional<std::string> answer = host.AskICPinName(k, current);
        if (!answer)
            return std::nullopt;
        const std::string name(TrimBlanks(*answer));
        std::string reason;
        if (CheckICPinName(name, k, reason))
            return name;
        host.MessageBox(reason, MsgButtons::Ok, MsgIcon::Exclamation, kTitle);
        current = *answer;
    }
}

} // namespace

std::vector<GridPoint> FindICPinCells(int k) {
    std::vector<GridPoint> cells;
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            const CellRecord& c = gGrid(x, y);
            if (IsOwnPin(c) && c.ICPin == k)
                cells.push_back(
                    GridPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)});
        }
    }
    return cells;
}

bool CheckICPinName(std::string_view name, int k, std::string& reason) {
    if (name.empty()) {
        reason = "Bitte geben Sie dem Anschluss einen Namen.";
        return false;
    }
    if (CharCount(name) > kMaxICPinName) {
        reason = "Der Name eines Anschlusses darf höchstens " + std::to_string(kMaxICPinName) +
                 " Zeichen lang sein.";
        return false;
    }
    bool control = false;
    for (const char c : name)
        control = control || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    std::string bytes;
    if (name.find(';') != std::string_view::npos || control ||
        EncodeWindows1252(name, bytes) != 0) {
        reason = "Der Name \"" + std::string(name) +
                 "\" enthält ein Zeichen, das in einem Anschlussnamen nicht erlaubt ist "
                 "(zum Beispiel \";\").";
        return false;
    }
    for (int j = 1; j <= gAnzICAnschluesse; ++j) {
        if (j != k && ICPinName(j) == name) {
            reason = "Es gibt schon einen Anschluss mit dem Namen \"" + std::string(name) + "\".";
            return false;
        }
    }
    return true;
}

void CreateICAnschluss() {
    if (gMouseMode != kToolICView || !gGrid.Contains(gCursorX, gCursorY))
        return;
    const int x = gCursorX;
    const int y = gCursorY;
    const CellRecord& cell = gGrid(x, y);
    const bool rename = IsOwnPin(cell) && cell.ICPin <= gAnzICAnschluesse;
    if (!rename) {
        if (cell.Typ != kTypeWire || cell.ICLevel != 0 || cell.ICPin != 0 ||
            CountConnections(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)) != 1)
            return;
        if (gAnzICAnschluesse >= kMaxICPins) {
            Host().MessageBox("Ein IC kann höchstens " + std::to_string(kMaxICPins) +
                                  " Anschlüsse haben.",
                              MsgButtons::Ok, MsgIcon::Exclamation, kTitle);
            return;
        }
    }
    const int k = rename ? cell.ICPin : gAnzICAnschluesse + 1;
    const std::optional<std::string> name = AskName(k, rename ? ICPinName(k) : std::string());
    if (!name)
        return;
    const auto i = static_cast<std::size_t>(k);
    if (rename) {
        gICAnschlussZellen[i] = PinLine(x, y, *name);
        int a = 0;
        int b = 0;
        if (GetICPinPlace(k, a, b))
            gICAnschluesse[i] = ICPlaceLine(a, b, *name);
    } else {
        gGrid(x, y).ICPin = static_cast<std::uint8_t>(k);
        gAnzICAnschluesse = static_cast<std::int16_t>(k);
        gICAnschlussZellen.resize(i);
        gICAnschluesse.resize(i);
        gTags.resize(i);
        gICAnschlussZellen.push_back(PinLine(x, y, *name));
        gICAnschluesse.emplace_back();
        gTags.emplace_back();
        gGrafik.DrawICInOut(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    }
    Refresh();
}

void DeleteICAnschluss() {
    if (!gGrid.Contains(gCursorX, gCursorY))
        return;
    const CellRecord& cell = gGrid(gCursorX, gCursorY);
    const int k = cell.ICPin;
    if (!IsOwnPin(cell) || k > gAnzICAnschluesse)
        return;
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            CellRecord& c = gGrid(x, y);
            if (!IsOwnPin(c) || c.ICPin < k)
                continue;
            c.ICPin = static_cast<std::uint8_t>(c.ICPin == k ? 0 : c.ICPin - 1);
        }
    }
    const auto erase = [k](std::vector<std::string>& list) {
        if (static_cast<std::size_t>(k) < list.size())
            list.erase(list.begin() + k);
    };
    erase(gICAnschlussZellen);
    erase(gICAnschluesse);
    erase(gTags);
    gAnzICAnschluesse = static_cast<std::int16_t>(gAnzICAnschluesse - 1);
    if (gAktAnschluss == k)
        gAktAnschluss = 0;
    else if (gAktAnschluss > k)
        --gAktAnschluss;
    Refresh();
}

} // namespace kardo
