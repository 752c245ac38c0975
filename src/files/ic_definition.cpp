// IC definition reader: one pass over the lines into an ICDefinition, then the checks that make
// it safe to build a level from and to cross its pins.
#include "files/ic_definition.h"

#include "files/atomic_file.h"
#include "files/circuit_file.h"
#include "files/file_lines.h"
#include "files/text_codec.h"
#include "files/text_helpers.h"
#include "model/codes.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace kardo {

namespace {

std::string Cell(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

class DefReader {
  public:
    DefReader(ICDefinition& def, ReadProblem& problem)
        : m_def(def), m_problem(problem), m_elementLines(1, 0), m_pinLines(1, 0) {}

    bool Line(std::string_view raw, int lineNr);
    bool Finish();
    void ReserveNotes(std::size_t bytes) { m_notes.reserve(bytes); }

  private:
    bool Fail(int line, std::string text) {
        m_problem.Line = line;
        m_problem.Text = std::move(text);
        return false;
    }
    bool Data(std::string_view item, int lineNr);
    bool Feld(std::string_view item, int lineNr);
    bool Punkte(std::string_view item, int lineNr);
    bool Elemente(std::string_view item, int lineNr);
    bool Nested(std::string_view item, int lineNr);
    bool Pin(std::string_view item, int lineNr);
    bool Masse(std::string_view item, int lineNr);
    bool CheckElements();
    bool CheckNested();
    bool CheckPins();
    bool CheckPlaces();

    ICDefinition& m_def;
    ReadProblem& m_problem;
    // Sections of circuit files ([Jump], [Timer]) and [Links] are no part of an IC level: their
    // lines are skipped, as are the lines before the first header.
    FileSection m_section = FileSection::None;
    bool m_haveFeld = false;         // a [Feld] line was read
    int m_feldLine = 0;              // its line
    std::vector<int> m_elementLines; // file line of element k (entry 0 unused)
    std::vector<int> m_pinLines;     // file line of pin k (entry 0 unused)
    std::vector<int> m_placeLines;   // file line of place line k (0-based)
    int m_masseLine = 0;             // line of the [Maße] header
    std::vector<std::pair<GridPoint, CellRecord>> m_cells; // cells in file order
    std::vector<int> m_cellLines;                          // their lines
    std::string m_notes; // [Notizen] so far; the definition shares them with its instances
};

bool DefReader::Line(std::string_view raw, int lineNr) {
    m_def.Lines = lineNr;
    const std::string_view item = TrimBlanksLeft(raw);
    if (const std::optional<FileSection> header = SectionOfHeader(TrimBlanksRight(item))) {
        m_section = *header;
        if (m_section == FileSection::Masse)
            m_masseLine = lineNr;
        return true;
    }
    // A note line keeps its leading blanks: notes come back as they were typed.
    return Data(m_section == FileSection::Notizen ? raw : item, lineNr);
}

bool DefReader::Data(std::string_view item, int lineNr) {
    switch (m_section) {
    case FileSection::Name:
        m_def.LevelName = std::string(TrimBlanks(item));
        return true;
    case FileSection::GrafAnschluesse:
        // An empty line is a pin without a place on the outline.
        m_def.PlaceLines.emplace_back(TrimBlanksRight(item));
        m_placeLines.push_back(lineNr);
        return true;
    case FileSection::Tags:
        m_def.Tags.emplace_back(item);
        return true;
    case FileSection::Notizen:
        m_notes.append(item);
        return true;
    default:
        break;
    }
    if (TrimBlanksRight(item).empty())
        return true;
    switch (m_section) {
    case FileSection::Feld:
        return Feld(item, lineNr);
    case FileSection::Punkte:
        return Punkte(item, lineNr);
    case FileSection::Elemente:
        return Elemente(item, lineNr);
    case FileSection::IC:
        return Nested(item, lineNr);
    case FileSection::Anschluesse:
        return Pin(item, lineNr);
    case FileSection::Masse:
        return Masse(item, lineNr);
    default:
        return true;
    }
}

bool DefReader::Feld(std::string_view item, int lineNr) {
    // A size line after cells would empty the grid they were read into.
    if (!m_cells.empty())
        return Fail(lineNr, "[Feld] steht nach [Punkte]");
    std::string problem;
    if (!ParseFeldLine(item, kMinICSize, kMaxICSize, m_def.FeldBreite, m_def.FeldHoehe, problem))
        return Fail(lineNr, std::move(problem));
    m_haveFeld = true;
    m_feldLine = lineNr;
    return true;
}

bool DefReader::Punkte(std::string_view item, int lineNr) {
    if (!m_haveFeld)
        return Fail(lineNr, "[Punkte] steht vor [Feld]");
    int x = 0;
    int y = 0;
    CellRecord cell;
    std::string problem;
    if (!ParseCellLine(item, x, y, cell, problem))
        return Fail(lineNr, std::move(problem));
    if (x < 0 || y < 0 || x > m_def.FeldBreite || y > m_def.FeldHoehe)
        return Fail(lineNr, "Zelle " + Cell(x, y) + " liegt außerhalb des IC-Feldes");
    m_cells.emplace_back(GridPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)},
                         cell);
    m_cellLines.push_back(lineNr);
    return true;
}

bool DefReader::Elemente(std::string_view item, int lineNr) {
    std::string problem;
    if (!AppendElementLine(item, m_def.Elements, problem))
        return Fail(lineNr, std::move(problem));
    m_elementLines.push_back(lineNr);
    return true;
}

bool DefReader::Nested(std::string_view item, int lineNr) {
    ICLine line;
    std::string problem;
    if (!ParseICLine(item, line, problem))
        return Fail(lineNr, std::move(problem));
    m_def.Nested.push_back(std::move(line));
    m_def.NestedLines.push_back(lineNr);
    return true;
}

bool DefReader::Pin(std::string_view item, int lineNr) {
    if (m_def.PinCount() >= kMaxICPins)
        return Fail(lineNr, "mehr als " + std::to_string(kMaxICPins) + " Anschlüsse");
    GridPoint cell;
    std::string problem;
    if (!ParsePinLine(item, m_def.PinCount() + 1, cell, problem))
        return Fail(lineNr, std::move(problem));
    m_def.PinLines.emplace_back(TrimBlanksRight(item));
    m_def.PinCells.push_back(cell);
    m_pinLines.push_back(lineNr);
    return true;
}

bool DefReader::Masse(std::string_view item, int lineNr) {
    std::string problem;
    if (!ParseMasseLine(item, m_def.Breite, m_def.Hoehe, problem))
        return Fail(lineNr, std::move(problem));
    return true;
}

bool DefReader::CheckElements() {
    const int n = static_cast<int>(m_def.Elements.size()) - 1;
    int faulty = 0;
    std::string problem;
    if (!CheckElementList(m_def.Elements, m_def.FeldBreite, m_def.FeldHoehe, faulty, problem))
        return Fail(m_elementLines[static_cast<std::size_t>(faulty)], std::move(problem));
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        const CellRecord& c = m_cells[i].second;
        if (c.ElementNr > n)
            return Fail(m_cellLines[i], CellElementText(c.ElementNr, n));
    }
    if (!CheckICPackages(m_def.Cells, m_def.Elements, faulty, problem))
        return Fail(m_elementLines[static_cast<std::size_t>(faulty)], std::move(problem));
    return true;
}

bool DefReader::CheckNested() {
    int icElements = 0;
    for (const ElementRecord& e : m_def.Elements)
        icElements += e.Typ == kTypeIC ? 1 : 0;
    const int n = static_cast<int>(m_def.Elements.size()) - 1;
    for (std::size_t k = 0; k < m_def.Nested.size(); ++k) {
        const int nr = m_def.Nested[k].ElementNr;
        bool repeated = false;
        for (std::size_t j = 0; j < k; ++j)
            repeated = repeated || m_def.Nested[j].ElementNr == nr;
        if (nr > n || m_def.Elements[static_cast<std::size_t>(nr)].Typ != kTypeIC || repeated) {
            return Fail(m_def.NestedLines[k], "IC \"" + m_def.Nested[k].Name +
                                                  "\" verweist auf Element " + std::to_string(nr) +
                                                  ", das kein eigenes IC ist");
        }
    }
    if (static_cast<std::size_t>(icElements) != m_def.Nested.size())
        return Fail(0, std::to_string(icElements) + " IC-Elemente, aber " +
                           std::to_string(m_def.Nested.size()) + " IC-Einträge");
    return true;
}

// A pin's cell lies in the IC's own grid; what stands there, and which cells carry which pin
// number, is the inner circuit's affair: a level crosses in at the pin's cell and out at any wire
// cell with a pin number, and a cell without a wire passes nothing on.
bool DefReader::CheckPins() {
    for (int k = 1; k <= m_def.PinCount(); ++k) {
        const GridPoint p = m_def.PinCells[static_cast<std::size_t>(k)];
        if (p.x > m_def.FeldBreite || p.y > m_def.FeldHoehe) {
            return Fail(m_pinLines[static_cast<std::size_t>(k)],
                        "Anschluss " + std::to_string(k) + " (" + m_def.PinName(k) + "): Zelle " +
                            Cell(p.x, p.y) + " liegt außerhalb des IC-Feldes");
        }
    }
    return true;
}

// Each pin has a place line. A pin has a place on the package only when its line puts it on the
// outline and no earlier pin holds that place; any other pin is drawn nowhere, has no cell on the
// package and so takes no level in or out, as a pin with an empty line.
bool DefReader::CheckPlaces() {
    const int n = m_def.PinCount();
    if (m_def.Breite < kMinICSize || m_def.Hoehe < kMinICSize)
        return Fail(m_masseLine, "die Gehäusegröße ([Maße] X und Y) fehlt");
    if (static_cast<int>(m_def.PlaceLines.size()) < n) {
        return Fail(0, "zu wenige Zeilen in [Graphische Anschlüsse]: " +
                           std::to_string(m_def.PlaceLines.size()) + " für " + std::to_string(n) +
                           " Anschlüsse");
    }
    m_def.Places.assign(static_cast<std::size_t>(n) + 1, ICPinPlace{});
    m_def.PinListIndex.assign(static_cast<std::size_t>(n) + 1, -1);
    m_def.PlacedPins = 0;
    const int w = m_def.Breite;
    const int h = m_def.Hoehe;
    for (int k = 1; k <= n; ++k) {
        const std::string& text = m_def.PlaceLines[static_cast<std::size_t>(k) - 1];
        if (text.empty())
            continue;
        const FileTokens t(text);
        long long a = 0;
        long long b = 0;
        if (t.Count() < 2 || !ReadFileNumber(t[1], -32768, 32767, a) ||
            !ReadFileNumber(t[2], -32768, 32767, b)) {
            return Fail(m_placeLines[static_cast<std::size_t>(k) - 1],
                        "Anschluss " + std::to_string(k) + " (" + m_def.PinName(k) +
                            "): Platz am Gehäuse ist unlesbar");
        }
        const bool onOutline =
            a >= 0 && b >= 0 && a <= w && b <= h && (a == 0 || a == w || b == 0 || b == h);
        bool taken = false;
        for (int j = 1; j < k && !taken; ++j) {
            const ICPinPlace& o = m_def.Places[static_cast<std::size_t>(j)];
            taken = o.Placed && o.A == a && o.B == b;
        }
        if (!onOutline || taken)
            continue;
        m_def.Places[static_cast<std::size_t>(k)] =
            ICPinPlace{true, static_cast<std::int16_t>(a), static_cast<std::int16_t>(b)};
        m_def.PinListIndex[static_cast<std::size_t>(k)] =
            static_cast<std::int16_t>(m_def.PlacedPins++);
    }
    return true;
}

bool DefReader::Finish() {
    if (!m_haveFeld)
        return Fail(0, "der Abschnitt [Feld] fehlt");
    m_def.Notizen = SharedText(std::move(m_notes));
    m_def.Cells.Create(m_def.FeldBreite + 1, m_def.FeldHoehe + 1);
    for (auto& [p, cell] : m_cells) {
        // Only the pin cells of nested ICs name an instance; a stray level number elsewhere
        // would lead nowhere and is dropped.
        if (cell.Typ != kTypeIC || cell.ICPin == 0)
            cell.ICLevel = 0;
        m_def.Cells(p.x, p.y) = cell;
    }
    return CheckElements() && CheckNested() && CheckPins() && CheckPlaces();
}

} // namespace

std::string ICDefinition::PinName(int k) const {
    if (k < 1 || static_cast<std::size_t>(k) > PinLines.size())
        return {};
    return GetNextToken(PinLines[static_cast<std::size_t>(k) - 1], 3);
}

bool ReadICDefinitionText(std::string_view text, ICDefinition& def, ReadProblem& problem) {
    def = ICDefinition{};
    def.Elements.resize(1);
    def.PinCells.resize(1);
    problem = ReadProblem{};
    DefReader reader(def, problem);
    // The notes stand at the end as a rule: room for them at once rather than by doubling, which
    // would need twice their size.
    if (const std::size_t at = text.rfind("[Notizen]"); at != std::string_view::npos)
        reader.ReserveNotes(text.size() - at);
    if (!ForEachFileLine(
            text, [&](std::string_view line, int lineNr) { return reader.Line(line, lineNr); }))
        return false;
    return reader.Finish();
}

bool ReadICDefinitionFile(const std::string& path, ICDefinition& def, ReadProblem& problem) {
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(path, kMaxCircuitFileBytes, bytes, reason)) {
        problem = ReadProblem{0, "die Datei konnte nicht gelesen werden: " + reason};
        return false;
    }
    const std::string text = DecodeFileText(bytes);
    bytes = std::string(); // a large file is not held twice while it is read
    const bool ok = ReadICDefinitionText(text, def, problem);
    def.Path = path;
    return ok;
}

bool CheckICPackages(const Grid& cells, const std::vector<ElementRecord>& elements, int& faulty,
                     std::string& problem) {
    struct Box {
        int count = 0;    // cells of the element
        int x1 = INT_MAX; // bounding box of those cells
        int y1 = INT_MAX;
        int x2 = -1;
        int y2 = -1;
    };
    const auto isIC = [&](int e) {
        return e >= 1 && static_cast<std::size_t>(e) < elements.size() &&
               elements[static_cast<std::size_t>(e)].Typ == kTypeIC;
    };
    std::vector<Box> boxes;
    for (int y = 0; y <= cells.UBoundY(); ++y) {
        for (int x = 0; x <= cells.UBoundX(); ++x) {
            const CellRecord& c = cells(x, y);
            if (!isIC(c.ElementNr))
                continue;
            faulty = c.ElementNr;
            if (c.Typ != kTypeIC) {
                problem = "Zelle " + Cell(x, y) + " gehört zum IC-Element " +
                          std::to_string(c.ElementNr) + ", ist aber keine IC-Zelle";
                return false;
            }
            if (boxes.empty())
                boxes.resize(elements.size());
            Box& b = boxes[static_cast<std::size_t>(c.ElementNr)];
            ++b.count;
            b.x1 = std::min(b.x1, x);
            b.y1 = std::min(b.y1, y);
            b.x2 = std::max(b.x2, x);
            b.y2 = std::max(b.y2, y);
        }
    }
    for (int k = 1; static_cast<std::size_t>(k) < elements.size(); ++k) {
        if (!isIC(k))
            continue;
        faulty = k;
        const Box b = boxes.empty() ? Box{} : boxes[static_cast<std::size_t>(k)];
        const std::string what = "IC-Element " + std::to_string(k);
        if (b.count == 0) {
            problem = what + " hat keine Zellen";
            return false;
        }
        // Every cell of the element lies in its box: as many cells as the box holds fill it.
        if (b.count != (b.x2 - b.x1 + 1) * (b.y2 - b.y1 + 1)) {
            problem = what + ": die Zellen bilden kein Rechteck";
            return false;
        }
        const ElementRecord& e = elements[static_cast<std::size_t>(k)];
        for (const PinList* pins : {&e.Eingaenge, &e.Ausgaenge}) {
            for (const GridPoint p : pins->Points()) {
                if (p.x < b.x1 || p.x > b.x2 || p.y < b.y1 || p.y > b.y2) {
                    problem = what + ": Anschluss X" + std::to_string(p.x) + "Y" +
                              std::to_string(p.y) + " liegt außerhalb des Gehäuses";
                    return false;
                }
            }
        }
    }
    faulty = 0;
    return true;
}

void AssignICInstances(Grid& cells, const std::vector<std::uint8_t>& instanceOf) {
    for (int y = 0; y <= cells.UBoundY(); ++y) {
        for (int x = 0; x <= cells.UBoundX(); ++x) {
            CellRecord& c = cells(x, y);
            const auto e = static_cast<std::size_t>(c.ElementNr);
            const bool pin = c.Typ == kTypeIC && c.ICPin != 0 && c.ElementNr > 0;
            c.ICLevel = pin && e < instanceOf.size() ? instanceOf[e] : std::uint8_t{0};
        }
    }
}

} // namespace kardo
