// The IC definition of the worksheet: its state, its box, its file text and its save; taking it
// from an opened definition file.
#include "files/ic_definition_file.h"

#include "files/atomic_file.h"
#include "files/circuit_file.h"
#include "files/circuit_writer.h"
#include "files/file_lines.h"
#include "files/ic_definition.h"
#include "files/ic_folder.h"
#include "files/ic_size.h"
#include "files/text_codec.h"
#include "files/text_helpers.h"
#include "files/working_folders.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/place_ic.h"

#include <algorithm>
#include <limits>

namespace kardo {

std::vector<std::string> gICAnschlussZellen(1);
std::vector<std::string> gICAnschluesse(1);
std::int16_t gAnzICAnschluesse = 0;
std::vector<std::string> gTags(1);
std::string gICNotizen;
std::int16_t gICBoxMinX = 0;
std::int16_t gICBoxMaxX = 0;
std::int16_t gICBoxMinY = 0;
std::int16_t gICBoxMaxY = 0;

namespace {

constexpr std::string_view kCrLf = "\r\n";

void Line(std::string& out, std::string_view text) {
    out.append(text);
    out.append(kCrLf);
}

// Reads tokens 1 and 2 of a line as whole numbers; false when either is missing or no number.
bool TwoNumbers(std::string_view line, long long& a, long long& b) {
    const FileTokens t(line);
    constexpr long long kLimit = std::numeric_limits<std::int16_t>::max();
    return t.Count() >= 2 && !TrimBlanks(t[1]).empty() && !TrimBlanks(t[2]).empty() &&
           ReadFileNumber(t[1], -kLimit, kLimit, a) && ReadFileNumber(t[2], -kLimit, kLimit, b);
}

std::string PinText(int k, std::string_view name) {
    return "Anschluss " + std::to_string(k) + " (" + std::string(name) + ")";
}

} // namespace

void ResetICDefinitionState() {
    gICAnschlussZellen.assign(1, std::string());
    gICAnschluesse.assign(1, std::string());
    gAnzICAnschluesse = 0;
    gTags.assign(1, std::string());
    gICNotizen.clear();
    gICBoxMinX = gICBoxMaxX = gICBoxMinY = gICBoxMaxY = 0;
}

std::string ICPinName(int k) {
    if (k < 1 || k > gAnzICAnschluesse || static_cast<std::size_t>(k) >= gICAnschlussZellen.size())
        return {};
    return GetNextToken(gICAnschlussZellen[static_cast<std::size_t>(k)], 3);
}

bool GetICPinPlace(int k, int& a, int& b) {
    if (k < 1 || static_cast<std::size_t>(k) >= gICAnschluesse.size())
        return false;
    long long la = 0;
    long long lb = 0;
    if (!TwoNumbers(gICAnschluesse[static_cast<std::size_t>(k)], la, lb))
        return false;
    a = static_cast<int>(la);
    b = static_cast<int>(lb);
    return true;
}

std::string ICPlaceLine(int a, int b, std::string_view name) {
    return std::to_string(a) + ";" + std::to_string(b) + ";" + std::string(name) + ";";
}

bool BuildICPinLists() {
    int minX = std::numeric_limits<int>::max();
    int minY = minX;
    int maxX = -1;
    int maxY = -1;
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            if (gGrid(x, y).Typ == 0)
                continue;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    if (maxX < 0)
        return false;
    gICBoxMinY = static_cast<std::int16_t>(minY - 2);
    gICBoxMaxY = static_cast<std::int16_t>(maxY < gFeldHoehe ? maxY + 2 : maxY);
    gICBoxMinX = static_cast<std::int16_t>(minX - 2);
    gICBoxMaxX = static_cast<std::int16_t>(maxX <= gFeldBreite - 2 ? maxX + 2 : maxX);
    return true;
}

void WriteICDefinitionText(std::string& out) {
    const int ox = gICBoxMinX;
    const int oy = gICBoxMinY;
    out.clear();
    out.reserve(256 + static_cast<std::size_t>(gAnzElemente) * 64);

    Line(out, "[Name]");
    Line(out, gICName);
    Line(out, "[Feld]");
    Line(out, std::to_string(gICBoxMaxX - gICBoxMinX) + ";" +
                  std::to_string(gICBoxMaxY - gICBoxMinY) + ";");

    Line(out, "[Punkte]");
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            const CellRecord& c = gGrid(x, y);
            if (c.Typ != 0)
                AppendCellLine(out, x - ox, y - oy, c);
        }
    }

    Line(out, "[Elemente]");
    std::string inputs;
    std::string outputs;
    const auto relative = [&](const PinList& list, std::string& text) {
        text.clear();
        for (const GridPoint p : list.Points())
            text += PinEntry(p.x - ox, p.y - oy);
    };
    for (int k = 1; k <= gAnzElemente; ++k) {
        const ElementRecord& e = gElements[static_cast<std::size_t>(k)];
        relative(e.Eingaenge, inputs);
        relative(e.Ausgaenge, outputs);
        AppendElementLine(out, e, inputs, outputs);
    }

    Line(out, "[Anschlüsse]");
    for (int k = 1; k <= gAnzICAnschluesse; ++k) {
        const std::string& pin = gICAnschlussZellen[static_cast<std::size_t>(k)];
        const long long x = static_cast<long long>(Val(GetNextToken(pin, 1)));
        const long long y = static_cast<long long>(Val(GetNextToken(pin, 2)));
        Line(out, std::to_string(x - ox) + ";" + std::to_string(y - oy) + ";" + ICPinName(k) + ";");
    }

    Line(out, "[Maße]");
    Line(out, "X" + CStrTrim(static_cast<int>(gICBreite)));
    Line(out, "Y" + CStrTrim(static_cast<int>(gICHoehe)));

    Line(out, "[Graphische Anschlüsse]");
    for (int k = 1; k <= gAnzICAnschluesse; ++k) {
        const auto i = static_cast<std::size_t>(k);
        Line(out, i < gICAnschluesse.size() ? gICAnschluesse[i] : std::string());
    }

    Line(out, "[IC]");
    for (int i = 1; i <= gICInstanceMax && static_cast<std::size_t>(i) < gICInstances.size(); ++i) {
        const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(i)];
        if (ic.Tiefe == 0 && !ic.Name.empty())
            AppendICLine(out, ICLine{ic.Name, ic.ElementNr});
    }

    Line(out, "[Tags]");
    for (int k = 1; k <= gAnzICAnschluesse; ++k) {
        const auto i = static_cast<std::size_t>(k);
        Line(out, i < gTags.size() ? gTags[i] : std::string());
    }

    Line(out, "[Notizen]");
    if (!gICNotizen.empty())
        Line(out, gICNotizen);
}

std::string ICDefinitionPath(std::string_view name) {
    const std::string& folder = gVerzeichnisse[1];
    if (const std::optional<std::string> found = FindICFile(folder, name))
        return *found;
    return folder + std::string(name) + ".icd";
}

bool SaveIC(std::string& reason) {
    const std::string path = ICDefinitionPath(gICName);
    std::string text;
    WriteICDefinitionText(text);
    if (!WriteFileAtomically(path, EncodeFileText(text), reason))
        return false;
    gDateiPfad = path;
    return true;
}

bool IsSavableICName(std::string_view name, std::string& reason) {
    if (TrimBlanks(name).empty()) {
        reason = "Bitte geben Sie dem IC einen Namen.";
        return false;
    }
    if (name == "IC-Neu" || name == "<Name>") {
        reason = "Der Name \"" + std::string(name) + "\" ist für ein IC nicht erlaubt.";
        return false;
    }
    std::string bytes;
    if (!IsPlainICName(name) || name.front() == '[' || EncodeWindows1252(name, bytes) != 0) {
        reason = "Der Name \"" + std::string(name) +
                 "\" ist kein gültiger Dateiname. Ein IC-Name darf keine Zeichen wie "
                 "/ \\ : * ? \" < > | ; enthalten, nicht mit Leerzeichen oder \"[\" beginnen "
                 "und höchstens 200 Zeichen lang sein.";
        return false;
    }
    return true;
}

bool CheckICDefinitionSections(const CircuitDocument& doc, ReadProblem& problem) {
    problem = ReadProblem{};
    const bool named = !doc.ICName.empty() && doc.ICName != "IC-Neu";
    if (named) {
        if (!IsPlainICName(doc.ICName) || doc.ICName.front() == '[') {
            problem.Text = "der IC-Name \"" + doc.ICName + "\" ist kein einfacher Dateiname";
            return false;
        }
        if (doc.ICBreite < kMinICSize || doc.ICBreite > kMaxICSize || doc.ICHoehe < kMinICSize ||
            doc.ICHoehe > kMaxICSize) {
            problem.Text = "die Gehäusegröße ([Maße] X und Y) fehlt oder liegt außerhalb von 1 "
                           "bis " +
                           std::to_string(kMaxICSize);
            return false;
        }
    }
    if (doc.ICAnschlussZellen.size() > static_cast<std::size_t>(kMaxICPins)) {
        problem.Text = "mehr als " + std::to_string(kMaxICPins) + " Anschlüsse";
        return false;
    }
    for (std::size_t i = 0; i < doc.ICAnschlussZellen.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        const std::string& line = doc.ICAnschlussZellen[i];
        const std::string pin = PinText(k, GetNextToken(line, 3));
        GridPoint p;
        if (!ParsePinLine(line, k, p, problem.Text))
            return false;
        const int x = p.x;
        const int y = p.y;
        if (x > doc.FeldBreite || y > doc.FeldHoehe || doc.Cells(x, y).ICPin != k) {
            problem.Text = pin + ": Zelle (" + std::to_string(x) + ", " + std::to_string(y) +
                           ") trägt diese Anschlussnummer nicht";
            return false;
        }
    }
    return true;
}

void TakeICDefinition(const CircuitDocument& doc) {
    ResetICDefinitionState();
    gICName = doc.ICName;
    gICNotizen = doc.ICNotizen;
    const bool named = !doc.ICName.empty() && doc.ICName != "IC-Neu";
    if (named) {
        gICBreite = doc.ICBreite;
        gICHoehe = doc.ICHoehe;
    }
    const int n = static_cast<int>(doc.ICAnschlussZellen.size());
    gAnzICAnschluesse = static_cast<std::int16_t>(n);
    for (int k = 1; k <= n; ++k) {
        const auto i = static_cast<std::size_t>(k) - 1;
        gICAnschlussZellen.push_back(doc.ICAnschlussZellen[i]);
        gTags.push_back(i < doc.Tags.size() ? doc.Tags[i] : std::string());
        // Only a place on the package's outline that no earlier pin holds is kept.
        std::string place;
        long long a = 0;
        long long b = 0;
        if (named && i < doc.ICAnschluesse.size() && TwoNumbers(doc.ICAnschluesse[i], a, b) &&
            a >= 0 && b >= 0 && a <= gICBreite && b <= gICHoehe &&
            (a == 0 || b == 0 || a == gICBreite || b == gICHoehe)) {
            place = ICPlaceLine(static_cast<int>(a), static_cast<int>(b), ICPinName(k));
            for (int j = 1; j < k; ++j) {
                int aj = 0;
                int bj = 0;
                if (GetICPinPlace(j, aj, bj) && aj == a && bj == b)
                    place.clear();
            }
        }
        gICAnschluesse.push_back(place);
    }
}

} // namespace kardo
