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
#include <array>
#include <utility>

namespace kardo {

namespace {

enum class Section {
    None,
    Skip, // sections of circuit files ([Jump], [Timer]) and [Links]: not part of an IC level
    Name,
    Feld,
    Punkte,
    Elemente,
    IC,
    Anschluesse,
    Masse,
    GrafAnschluesse,
    Tags,
    Notizen,
};

struct Header {
    std::string_view text; // header line as written (UTF-8)
    Section section;       // section it opens
};

constexpr std::array<Header, 13> kHeaders = {{
    {"[Name]", Section::Name},
    {"[Feld]", Section::Feld},
    {"[Punkte]", Section::Punkte},
    {"[Elemente]", Section::Elemente},
    {"[IC]", Section::IC},
    {"[Anschlüsse]", Section::Anschluesse},
    {"[Maße]", Section::Masse},
    {"[Graphische Anschlüsse]", Section::GrafAnschluesse},
    {"[Tags]", Section::Tags},
    {"[Notizen]", Section::Notizen},
    {"[Jump]", Section::Skip},
    {"[Timer]", Section::Skip},
    {"[Links]", Section::Skip},
}};

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
    Section m_section = Section::None;
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
    const std::string_view item = TrimBlanksLeft(raw);
    const std::string_view key = TrimBlanksRight(item);
    if (!key.empty() && key.front() == '[') {
        for (const Header& h : kHeaders) {
            if (key == h.text) {
                m_section = h.section;
                if (h.section == Section::Masse)
                    m_masseLine = lineNr;
                return true;
            }
        }
    }
    return Data(item, lineNr);
}

bool DefReader::Data(std::string_view item, int lineNr) {
    switch (m_section) {
    case Section::None:
    case Section::Skip:
        return true;
    case Section::Name:
        m_def.LevelName = std::string(TrimBlanks(item));
        return true;
    case Section::GrafAnschluesse:
        // An empty line is a pin without a place on the outline.
        m_def.PlaceLines.emplace_back(TrimBlanksRight(item));
        m_placeLines.push_back(lineNr);
        return true;
    case Section::Tags:
        m_def.Tags.emplace_back(item);
        return true;
    case Section::Notizen:
        m_notes.append(item);
        return true;
    default:
        break;
    }
    if (TrimBlanksRight(item).empty())
        return true;
    switch (m_section) {
    case Section::Feld:
        return Feld(item, lineNr);
    case Section::Punkte:
        return Punkte(item, lineNr);
    case Section::Elemente:
        return Elemente(item, lineNr);
    case Section::IC:
        return Nested(item, lineNr);
    case Section::Anschluesse:
        return Pin(item, lineNr);
    case Section::Masse:
        return Masse(item, lineNr);
    default:
        return true;
    }
}

bool DefReader::Feld(std::string_view item, int lineNr) {
    // A size line after cells would empty the grid they were read into.
    if (!m_cells.empty())
        return Fail(lineNr, "[Feld] steht nach [Punkte]");
    const FileTokens t(item);
    if (t.Count() < 2)
        return Fail(lineNr, MissingText("Feldgröße", 2, t.Count()));
    long long w = 0;
    long long h = 0;
    if (!ReadFileNumber(t[1], kMinICSize, kMaxICSize, w))
        return Fail(lineNr, OutOfRangeText("die Breite", t[1]));
    if (!ReadFileNumber(t[2], kMinICSize, kMaxICSize, h))
        return Fail(lineNr, OutOfRangeText("die Höhe", t[2]));
    m_def.FeldBreite = static_cast<std::int16_t>(w);
    m_def.FeldHoehe = static_cast<std::int16_t>(h);
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
    if (m_def.Elements.size() > 32767)
        return Fail(lineNr, "zu viele Elemente");
    ElementRecord e;
    std::string problem;
    if (!ParseElementLine(item, e, problem))
        return Fail(lineNr, std::move(problem));
    m_def.Elements.push_back(std::move(e));
    m_elementLines.push_back(lineNr);
    return true;
}

bool DefReader::Nested(std::string_view item, int lineNr) {
    const FileTokens t(item);
    if (t.Count() < 2)
        return Fail(lineNr, MissingText("IC-Eintrag", 2, t.Count()));
    long long nr = 0;
    if (!ReadFileNumber(t[2], 1, 32767, nr))
        return Fail(lineNr, OutOfRangeText("die Elementnummer", t[2]));
    const std::string_view name = TrimBlanks(t[1]);
    if (!IsPlainICName(name))
        return Fail(lineNr, "IC-Name \"" + std::string(name) + "\" ist kein einfacher Dateiname");
    m_def.Nested.push_back(ICLine{std::string(name), static_cast<std::int16_t>(nr)});
    m_def.NestedLines.push_back(lineNr);
    return true;
}

bool DefReader::Pin(std::string_view item, int lineNr) {
    if (m_def.PinCount() >= kMaxICPins)
        return Fail(lineNr, "mehr als " + std::to_string(kMaxICPins) + " Anschlüsse");
    const FileTokens t(item);
    if (t.Count() < 2)
        return Fail(lineNr, MissingText("Anschluss", 3, t.Count()));
    long long x = 0;
    long long y = 0;
    if (!ReadFileNumber(t[1], 0, kMaxICSize, x) || !ReadFileNumber(t[2], 0, kMaxICSize, y))
        return Fail(lineNr, "Anschluss " + std::to_string(m_def.PinCount() + 1) +
                                " liegt außerhalb des IC-Feldes");
    m_def.PinLines.emplace_back(TrimBlanksRight(item));
    m_def.PinCells.push_back(GridPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)});
    m_pinLines.push_back(lineNr);
    return true;
}

bool DefReader::Masse(std::string_view item, int lineNr) {
    if (item.front() != 'X' && item.front() != 'Y')
        return true;
    long long v = 0;
    if (!ReadFileNumber(item.substr(1), kMinICSize, kMaxICSize, v))
        return Fail(lineNr, OutOfRangeText("die Gehäusegröße", item.substr(1)));
    (item.front() == 'X' ? m_def.Breite : m_def.Hoehe) = static_cast<std::int16_t>(v);
    return true;
}

bool DefReader::CheckElements() {
    const int n = static_cast<int>(m_def.Elements.size()) - 1;
    for (int k = 1; k <= n; ++k) {
        const ElementRecord& e = m_def.Elements[static_cast<std::size_t>(k)];
        const int line = m_elementLines[static_cast<std::size_t>(k)];
        if (e.Nr != k) {
            return Fail(line, "Elementnummer " + std::to_string(e.Nr) + " an Position " +
                                  std::to_string(k));
        }
        std::string problem;
        if (!CheckPinListText(e.Eingaenge.Text(), m_def.FeldBreite, m_def.FeldHoehe, problem) ||
            !CheckPinListText(e.Ausgaenge.Text(), m_def.FeldBreite, m_def.FeldHoehe, problem))
            return Fail(line, std::move(problem));
    }
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        const CellRecord& c = m_cells[i].second;
        if (c.ElementNr > n) {
            return Fail(m_cellLines[i], "Zelle verweist auf Element " +
                                            std::to_string(c.ElementNr) + ", es gibt nur " +
                                            std::to_string(n));
        }
    }
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

bool DefReader::CheckPins() {
    const int n = m_def.PinCount();
    if (n < 1)
        return Fail(0, "das IC hat keine Anschlüsse");
    for (int k = 1; k <= n; ++k) {
        const GridPoint p = m_def.PinCells[static_cast<std::size_t>(k)];
        const int line = m_pinLines[static_cast<std::size_t>(k)];
        const std::string pin = "Anschluss " + std::to_string(k) + " (" + m_def.PinName(k) + ")";
        if (p.x > m_def.FeldBreite || p.y > m_def.FeldHoehe)
            return Fail(line, pin + ": Zelle " + Cell(p.x, p.y) + " liegt außerhalb des IC-Feldes");
        const CellRecord& c = m_def.Cells(p.x, p.y);
        if (c.Typ != kTypeWire || c.ICPin != k) {
            return Fail(line, pin + ": Zelle " + Cell(p.x, p.y) +
                                  " ist keine Leitung mit dieser Anschlussnummer");
        }
    }
    // Every other pin number on the grid belongs to a nested IC's package.
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        const auto [p, c] = m_cells[i];
        if (c.ICPin == 0 || c.Typ == kTypeIC)
            continue;
        const bool own = c.ICPin <= n && m_def.PinCells[c.ICPin] == p;
        if (!own) {
            return Fail(m_cellLines[i], "Zelle " + Cell(p.x, p.y) + " trägt Anschlussnummer " +
                                            std::to_string(c.ICPin) +
                                            ", ist aber nicht dieser Anschluss");
        }
    }
    return true;
}

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
        const int line = m_placeLines[static_cast<std::size_t>(k) - 1];
        if (text.empty())
            continue;
        const std::string pin = "Anschluss " + std::to_string(k) + " (" + m_def.PinName(k) + ")";
        const FileTokens t(text);
        long long a = 0;
        long long b = 0;
        if (t.Count() < 2 || !ReadFileNumber(t[1], -32768, 32767, a) ||
            !ReadFileNumber(t[2], -32768, 32767, b))
            return Fail(line, pin + ": Platz am Gehäuse ist unlesbar");
        if (a < 0 || b < 0 || a > w || b > h || (a != 0 && a != w && b != 0 && b != h)) {
            return Fail(line, pin + ": Platz (" + std::to_string(a) + ", " + std::to_string(b) +
                                  ") liegt nicht auf dem Rand des Gehäuses");
        }
        for (int j = 1; j < k; ++j) {
            const ICPinPlace& o = m_def.Places[static_cast<std::size_t>(j)];
            if (o.Placed && o.A == a && o.B == b) {
                return Fail(line,
                            pin + ": derselbe Platz am Gehäuse wie Anschluss " + std::to_string(j));
            }
        }
        m_def.Places[static_cast<std::size_t>(k)] =
            ICPinPlace{true, static_cast<std::int16_t>(a), static_cast<std::int16_t>(b)};
        m_def.PinListIndex[static_cast<std::size_t>(k)] =
            static_cast<std::int16_t>(m_def.PlacedPins++);
    }
    if (m_def.PlacedPins == 0)
        return Fail(0, "kein Anschluss hat einen Platz am Gehäuse");
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

std::vector<int> CountElementCells(const Grid& cells, int elementCount) {
    std::vector<int> counts(static_cast<std::size_t>(std::max(elementCount, 0)) + 1, 0);
    for (int y = 0; y <= cells.UBoundY(); ++y) {
        for (int x = 0; x <= cells.UBoundX(); ++x) {
            const int e = cells(x, y).ElementNr;
            if (e >= 0 && e <= elementCount)
                ++counts[static_cast<std::size_t>(e)];
        }
    }
    return counts;
}

namespace {

// Top-left cell of IC element nr's package, from its first pin and the first placed pin.
GridPoint PackageOrigin(const ElementRecord& e, const ICDefinition& def) {
    int first = 1;
    while (!def.Places[static_cast<std::size_t>(first)].Placed)
        ++first;
    const ICPinPlace& anchor = def.Places[static_cast<std::size_t>(first)];
    const GridPoint p0 = e.Eingaenge.Points()[0];
    return GridPoint{static_cast<std::int16_t>(p0.x - anchor.A),
                     static_cast<std::int16_t>(p0.y - anchor.B)};
}

} // namespace

bool CheckICElement(const Grid& cells, const std::vector<ElementRecord>& elements, int nr,
                    const ICDefinition& def, const std::vector<int>& cellCounts,
                    std::string& problem) {
    const ElementRecord& e = elements[static_cast<std::size_t>(nr)];
    const std::span<const GridPoint> points = e.Eingaenge.Points();
    if (static_cast<int>(points.size()) != def.PlacedPins) {
        problem = "die Zahl der Anschlüsse am Gehäuse hat sich geändert (Schaltung: " +
                  std::to_string(points.size()) +
                  ", Definition: " + std::to_string(def.PlacedPins) + ")";
        return false;
    }
    const GridPoint o = PackageOrigin(e, def);
    const int ox = o.x;
    const int oy = o.y;
    const int w = def.Breite;
    const int h = def.Hoehe;
    const auto packageChanged = [&] {
        problem = "das Gehäuse hat nicht mehr die Größe der Definition (" + std::to_string(w + 1) +
                  " x " + std::to_string(h + 1) + " Zellen)";
        return false;
    };
    if (static_cast<std::size_t>(nr) >= cellCounts.size() ||
        cellCounts[static_cast<std::size_t>(nr)] != (w + 1) * (h + 1))
        return packageChanged();
    for (int k = 1; k <= def.PinCount(); ++k) {
        const ICPinPlace& place = def.Places[static_cast<std::size_t>(k)];
        if (!place.Placed)
            continue;
        const int i = def.PinListIndex[static_cast<std::size_t>(k)];
        const GridPoint at{static_cast<std::int16_t>(ox + place.A),
                           static_cast<std::int16_t>(oy + place.B)};
        if (points[static_cast<std::size_t>(i)] != at || !cells.Contains(at.x, at.y) ||
            cells(at.x, at.y).ICPin != k) {
            problem = "Anschluss " + std::to_string(k) + " (" + def.PinName(k) +
                      ") liegt nicht mehr dort, wo die Definition ihn vorsieht";
            return false;
        }
    }
    if (ox < 0 || oy < 0 || ox + w > cells.UBoundX() || oy + h > cells.UBoundY())
        return packageChanged();
    int pinCells = 0;
    for (int y = oy; y <= oy + h; ++y) {
        for (int x = ox; x <= ox + w; ++x) {
            const CellRecord& c = cells(x, y);
            if (c.ElementNr != nr || c.Typ != kTypeIC)
                return packageChanged();
            pinCells += c.ICPin != 0 ? 1 : 0;
        }
    }
    if (pinCells != def.PlacedPins) {
        problem = "das Gehäuse trägt Anschlüsse, die die Definition nicht vorsieht";
        return false;
    }
    return true;
}

void SetICElementInstance(Grid& cells, const std::vector<ElementRecord>& elements, int nr,
                          const ICDefinition& def, std::uint8_t instance) {
    const GridPoint o = PackageOrigin(elements[static_cast<std::size_t>(nr)], def);
    for (int y = o.y; y <= o.y + def.Hoehe; ++y) {
        for (int x = o.x; x <= o.x + def.Breite; ++x) {
            CellRecord& c = cells(x, y);
            c.ICLevel = c.ICPin != 0 ? instance : std::uint8_t{0};
        }
    }
}

} // namespace kardo
