// Circuit file reader: splits the text into lines and sections, parses every data line into a
// CircuitDocument, then checks that cells, elements, clocks and ICs fit together.
#include "files/circuit_reader.h"

#include "files/circuit_consistency.h"
#include "files/file_lines.h"
#include "files/ic_definition.h"
#include "model/codes.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace kardo {

namespace {

// An IC has at most 255 pins, so no pin section of a sound file has more lines; the limit keeps
// the memory of a load bounded by the file.
constexpr std::size_t kMaxPinSectionLines = kMaxICPins;

// Parser state over the lines of one file.
class Reader {
  public:
    Reader(CircuitDocument& doc, ReadProblem& problem)
        : m_doc(doc), m_problem(problem), m_elementLines(1, 0) {}

    bool Line(std::string_view raw, int lineNr);
    bool Finish();

  private:
    bool Fail(int line, std::string text) {
        m_problem.Line = line;
        m_problem.Text = std::move(text);
        return false;
    }
    bool Data(std::string_view item, int lineNr);
    bool Feld(std::string_view item, int lineNr);
    bool Punkte(std::string_view item, int lineNr);
    bool Jump(std::string_view item, int lineNr);
    bool Elemente(std::string_view item, int lineNr);
    bool IC(std::string_view item, int lineNr);
    bool Timer(std::string_view item, int lineNr);
    bool PinSectionLine(std::vector<std::string>& lines, std::string_view item, int lineNr);
    bool CheckElements();
    bool CheckConsistency();
    bool CheckClocks();
    bool CheckICs();
    // The IC level names the IC instance of a placed IC's pin cell, and the loading of the ICs
    // sets it there afresh. On any other cell it carries nothing and is cleared, so that the
    // cell is judged, and saved, as what it is. Needs the element numbers checked.
    void ClearStrayICLevels();
    int LineOfCell(GridPoint p) const;
    void LayRuns();

    CircuitDocument& m_doc;                    // document being filled
    ReadProblem& m_problem;                    // the first problem found
    FileSection m_section = FileSection::None; // section of the lines being read
    int m_timerLine = 0;                       // data lines of the current [Timer] section so far
    std::size_t m_clockEntries = 0;            // clock entries read in the current [Timer] section
    int m_timerHeaderLine = 0;                 // line of the last [Timer] header
    std::vector<int> m_elementLines;           // file line of element k (entry 0 unused)
    std::vector<int> m_icLines;                // file line of IC line k (0-based)
    int m_maxElementNr = 0;                    // highest element number in a cell
    int m_maxElementNrLine = 0;                // its line
    int m_knownHeaders = 0;                    // known section headers read
    bool m_hasFeld = false;                    // a [Feld] line was read
    // Cells read since the last size line with their file lines, in file order. The grid is
    // filled once at the end, so that many size lines in a row cost no more than one.
    std::vector<std::pair<GridPoint, std::pair<CellRecord, int>>> m_cells;
};

bool Reader::Line(std::string_view raw, int lineNr) {
    // An item starts after leading blanks (a note line keeps them: notes come back as typed); a
    // header is recognised by the whole item. [Links] belongs to the pin reader of IC
    // definitions: here it is a data line like any unknown header.
    const std::string_view item = TrimBlanksLeft(raw);
    const std::optional<FileSection> header = SectionOfHeader(TrimBlanksRight(item));
    if (!header || *header == FileSection::Links)
        return Data(m_section == FileSection::Notizen ? raw : item, lineNr);
    ++m_knownHeaders;
    m_section = *header;
    if (m_section == FileSection::Jump)
        m_doc.HasJump = true;
    if (m_section == FileSection::Timer) {
        m_timerLine = 0;
        m_clockEntries = 0;
        m_timerHeaderLine = lineNr;
    }
    return true;
}

bool Reader::PinSectionLine(std::vector<std::string>& lines, std::string_view item, int lineNr) {
    if (lines.size() >= kMaxPinSectionLines)
        return Fail(lineNr, "mehr als 255 Zeilen in einem Abschnitt der IC-Anschlüsse");
    lines.emplace_back(item);
    return true;
}

bool Reader::Data(std::string_view item, int lineNr) {
    // The notes keep their empty lines (two bytes each in memory). So do the place and tag
    // lines of the pins: they pair with the pins by position, and an empty one is a pin without
    // a place or a tag. Every other section skips blank lines, which no writer produces there.
    if (m_section == FileSection::Notizen) {
        m_doc.ICNotizen.append(item).append("\r\n");
        return true;
    }
    if (m_section == FileSection::GrafAnschluesse)
        return PinSectionLine(m_doc.ICAnschluesse, item, lineNr);
    if (m_section == FileSection::Tags)
        return PinSectionLine(m_doc.Tags, item, lineNr);
    if (TrimBlanksRight(item).empty())
        return true;
    switch (m_section) {
    case FileSection::None:
        return true; // lines before the first header
    case FileSection::Name:
        m_doc.ICName = std::string(TrimBlanks(item));
        return true;
    case FileSection::Anschluesse:
        return PinSectionLine(m_doc.ICAnschlussZellen, item, lineNr);
    case FileSection::Masse: {
        std::string problem;
        if (!ParseMasseLine(item, m_doc.ICBreite, m_doc.ICHoehe, problem))
            return Fail(lineNr, std::move(problem));
        return true;
    }
    default:
        break;
    }
    switch (m_section) {
    case FileSection::Feld:
        return Feld(item, lineNr);
    case FileSection::Punkte:
        return Punkte(item, lineNr);
    case FileSection::Jump:
        return Jump(item, lineNr);
    case FileSection::Elemente:
        return Elemente(item, lineNr);
    case FileSection::IC:
        return IC(item, lineNr);
    case FileSection::Timer:
        return Timer(item, lineNr);
    default:
        return true;
    }
}

bool Reader::Feld(std::string_view item, int lineNr) {
    std::string problem;
    if (!ParseFeldLine(item, kMinFileSheetSize, kMaxFileSheetSize, m_doc.FeldBreite,
                       m_doc.FeldHoehe, problem))
        return Fail(lineNr, std::move(problem));
    // A size line empties the sheet and the wire runs read so far.
    m_hasFeld = true;
    m_cells.clear();
    m_doc.Jumps.clear();
    m_maxElementNr = 0;
    m_maxElementNrLine = 0;
    return true;
}

bool Reader::Punkte(std::string_view item, int lineNr) {
    // Cells are judged against the size this file gives, never against the sheet that is open.
    if (!m_hasFeld)
        return Fail(lineNr, "Zellen stehen vor der Feldgröße ([Feld])");
    int x = 0;
    int y = 0;
    CellRecord cell;
    std::string problem;
    if (!ParseCellLine(item, x, y, cell, problem))
        return Fail(lineNr, std::move(problem));
    if (x > m_doc.FeldBreite || y > m_doc.FeldHoehe) {
        return Fail(lineNr, "Zelle (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") liegt außerhalb des Arbeitsfeldes");
    }
    if (cell.ElementNr > m_maxElementNr) {
        m_maxElementNr = cell.ElementNr;
        m_maxElementNrLine = lineNr;
    }
    m_cells.emplace_back(GridPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)},
                         std::pair{cell, lineNr});
    return true;
}

bool Reader::Jump(std::string_view item, int lineNr) {
    if (!m_hasFeld)
        return Fail(lineNr, "Leitungszüge stehen vor der Feldgröße ([Feld])");
    const FileTokens t(item);
    if (t.Count() < 4)
        return Fail(lineNr, MissingText("Leitungszug", 4, t.Count()));
    long long x = 0;
    long long y = 0;
    long long ex = 0;
    long long ey = 0;
    if (!ReadFileNumber(t[1], 0, m_doc.FeldBreite, x) ||
        !ReadFileNumber(t[2], 0, m_doc.FeldHoehe, y))
        return Fail(lineNr, "Leitungszug beginnt außerhalb des Arbeitsfeldes");
    // A run ends at or behind its first cell and inside the sheet; 0 means no run.
    if (!ReadFileNumber(t[3], 0, m_doc.FeldBreite, ex) || (ex != 0 && ex < x))
        return Fail(lineNr, OutOfRangeText("das Leitungsende", t[3]));
    if (!ReadFileNumber(t[4], 0, m_doc.FeldHoehe, ey) || (ey != 0 && ey < y))
        return Fail(lineNr, OutOfRangeText("das Leitungsende", t[4]));
    m_doc.Jumps.push_back(JumpLine{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                                   static_cast<std::int16_t>(ex), static_cast<std::int16_t>(ey)});
    return true;
}

bool Reader::Elemente(std::string_view item, int lineNr) {
    std::string problem;
    if (!AppendElementLine(item, m_doc.Elements, problem))
        return Fail(lineNr, std::move(problem));
    m_elementLines.push_back(lineNr);
    return true;
}

bool Reader::IC(std::string_view item, int lineNr) {
    ICLine line;
    std::string problem;
    if (!ParseICLine(item, line, problem))
        return Fail(lineNr, std::move(problem));
    m_doc.ICs.push_back(std::move(line));
    m_icLines.push_back(lineNr);
    return true;
}

bool Reader::Timer(std::string_view item, int lineNr) {
    ++m_timerLine;
    if (m_timerLine == 1) {
        long long n = 0;
        if (!ReadFileNumber(item, 0, 255, n))
            return Fail(lineNr, OutOfRangeText("die Anzahl der Taktgeber", item));
        m_doc.AnzTaktgeber = static_cast<std::uint8_t>(n);
        const std::size_t entries = n == 0 ? 1 : static_cast<std::size_t>(n);
        m_doc.TaktElement.assign(entries, 0);
        m_doc.Takte.assign(entries, ClockLine{});
        return true;
    }
    if (m_timerLine == 2) {
        // The element numbers of clocks 0..n-1; the single "0;" without clocks is not read.
        std::size_t start = 0;
        for (std::size_t k = 0; k < m_doc.AnzTaktgeber; ++k) {
            const std::size_t semi = item.find(';', start);
            if (semi == std::string_view::npos)
                return Fail(lineNr, MissingText("Taktgeberliste", m_doc.AnzTaktgeber, k));
            long long nr = 0;
            if (!ReadFileNumber(item.substr(start, semi - start), 1, 32767, nr))
                return Fail(lineNr, OutOfRangeText("die Taktgeber-Elementnummer",
                                                   item.substr(start, semi - start)));
            m_doc.TaktElement[k] = static_cast<std::int16_t>(nr);
            start = semi + 1;
        }
        return true;
    }
    const std::size_t k = static_cast<std::size_t>(m_timerLine - 3);
    if (k >= m_doc.Takte.size())
        return Fail(lineNr, "mehr Taktgeber-Zeilen als Taktgeber");
    const FileTokens t(item);
    if (t.Count() < 4)
        return Fail(lineNr, MissingText("Taktgeber", 4, t.Count()));
    long long hi = 0;
    long long lo = 0;
    long long link = 0;
    long long pulses = 0;
    if (!ReadFileNumber(t[1], 0, 32767, hi))
        return Fail(lineNr, OutOfRangeText("die High-Zeit", t[1]));
    if (!ReadFileNumber(t[2], 0, 32767, lo))
        return Fail(lineNr, OutOfRangeText("die Low-Zeit", t[2]));
    if (!ReadFileNumber(t[3], -32768, 32767, link))
        return Fail(lineNr, OutOfRangeText("die Kopplung", t[3]));
    if (!ReadFileNumber(t[4], 0, 255, pulses))
        return Fail(lineNr, OutOfRangeText("die Impulszahl", t[4]));
    m_doc.Takte[k] = ClockLine{static_cast<std::int16_t>(hi), static_cast<std::int16_t>(lo),
                               TruthValue(link != 0), static_cast<std::uint8_t>(pulses)};
    m_clockEntries = k + 1;
    return true;
}

bool Reader::CheckElements() {
    const int n = m_doc.AnzElemente();
    int faulty = 0;
    std::string problem;
    if (!CheckElementList(m_doc.Elements, m_doc.FeldBreite, m_doc.FeldHoehe, faulty, problem))
        return Fail(m_elementLines[static_cast<std::size_t>(faulty)], std::move(problem));
    std::array<bool, 10> analysisTaken{};
    for (int k = 1; k <= n; ++k) {
        const ElementRecord& e = m_doc.Elements[static_cast<std::size_t>(k)];
        if (e.Typ == kTypeAnalysisPoint) {
            long long nr = 0;
            if (!ReadFileNumber(e.Text, 1, 9, nr) || analysisTaken[static_cast<std::size_t>(nr)])
                return Fail(m_elementLines[static_cast<std::size_t>(k)],
                            "ungültige Analysepunkt-Nummer \"" + e.Text + "\"");
            analysisTaken[static_cast<std::size_t>(nr)] = true;
        }
    }
    if (m_maxElementNr > n)
        return Fail(m_maxElementNrLine, CellElementText(m_maxElementNr, n));
    return true;
}

bool Reader::CheckClocks() {
    const std::size_t n = m_doc.AnzTaktgeber;
    int clockElements = 0;
    for (const ElementRecord& e : m_doc.Elements)
        clockElements += e.Typ == kTypeClock ? 1 : 0;
    if (static_cast<std::size_t>(clockElements) != n) {
        return Fail(m_timerHeaderLine, std::to_string(n) + " Taktgeber angegeben, aber " +
                                           std::to_string(clockElements) + " Taktgeber-Elemente");
    }
    if (n > 0 && m_clockEntries < n)
        return Fail(m_timerHeaderLine, "Einstellungen von Taktgebern fehlen");
    for (std::size_t k = 0; k < n; ++k) {
        const int nr = m_doc.TaktElement[k];
        const bool isClock = nr >= 1 && nr <= m_doc.AnzElemente() &&
                             m_doc.Elements[static_cast<std::size_t>(nr)].Typ == kTypeClock;
        const bool repeated =
            std::find(m_doc.TaktElement.begin(), m_doc.TaktElement.begin() + static_cast<long>(k),
                      nr) != m_doc.TaktElement.begin() + static_cast<long>(k);
        if (!isClock || repeated) {
            return Fail(m_timerHeaderLine, "Taktgeber " + std::to_string(k) +
                                               " verweist auf Element " + std::to_string(nr) +
                                               ", das kein eigener Taktgeber ist");
        }
    }
    return true;
}

bool Reader::CheckICs() {
    int icElements = 0;
    for (const ElementRecord& e : m_doc.Elements)
        icElements += e.Typ == kTypeIC ? 1 : 0;
    for (std::size_t k = 0; k < m_doc.ICs.size(); ++k) {
        const int nr = m_doc.ICs[k].ElementNr;
        bool repeated = false;
        for (std::size_t j = 0; j < k; ++j)
            repeated = repeated || m_doc.ICs[j].ElementNr == nr;
        if (nr > m_doc.AnzElemente() ||
            m_doc.Elements[static_cast<std::size_t>(nr)].Typ != kTypeIC || repeated) {
            return Fail(m_icLines[k], "IC \"" + m_doc.ICs[k].Name + "\" verweist auf Element " +
                                          std::to_string(nr) + ", das kein eigenes IC ist");
        }
    }
    if (static_cast<std::size_t>(icElements) != m_doc.ICs.size())
        return Fail(0, std::to_string(icElements) + " IC-Elemente, aber " +
                           std::to_string(m_doc.ICs.size()) + " IC-Einträge");
    int faulty = 0;
    std::string problem;
    if (!CheckICPackages(m_doc.Cells, m_doc.Elements, faulty, problem))
        return Fail(m_elementLines[static_cast<std::size_t>(faulty)], std::move(problem));
    return true;
}

void Reader::ClearStrayICLevels() {
    Grid& cells = m_doc.Cells;
    for (int y = 0; y <= cells.UBoundY(); ++y) {
        for (int x = 0; x <= cells.UBoundX(); ++x) {
            CellRecord& c = cells(x, y);
            if (c.ICLevel != 0 &&
                (c.Typ != kTypeIC || c.ICPin == 0 ||
                 m_doc.Elements[static_cast<std::size_t>(c.ElementNr)].Typ != kTypeIC))
                c.ICLevel = 0;
        }
    }
}

void Reader::LayRuns() {
    // One run line per start cell, the last one read, in the order the writer writes them.
    std::vector<JumpLine>& jumps = m_doc.Jumps;
    std::stable_sort(jumps.begin(), jumps.end(), [](const JumpLine& a, const JumpLine& b) {
        return a.X != b.X ? a.X < b.X : a.Y < b.Y;
    });
    std::vector<JumpLine> unique;
    unique.reserve(jumps.size());
    for (const JumpLine& j : jumps) {
        if (!unique.empty() && unique.back().X == j.X && unique.back().Y == j.Y)
            unique.back() = j;
        else
            unique.push_back(j);
    }
    jumps = std::move(unique);
    for (const JumpLine& j : jumps) {
        if (j.EndX != 0)
            LayWireRun(m_doc.Cells, j.X, j.Y, j.EndX, true);
        if (j.EndY != 0)
            LayWireRun(m_doc.Cells, j.X, j.Y, j.EndY, false);
    }
}

int Reader::LineOfCell(GridPoint p) const {
    // The last line of a cell is the one that counts.
    for (auto it = m_cells.rbegin(); it != m_cells.rend(); ++it)
        if (it->first == p)
            return it->second.second;
    return 0;
}

bool Reader::CheckConsistency() {
    ConsistencyProblem found;
    if (CheckCellsAndElements(m_doc, found))
        return true;
    int line = found.Cell.x >= 0 ? LineOfCell(found.Cell) : 0;
    if (line == 0 && found.Element > 0)
        line = m_elementLines[static_cast<std::size_t>(found.Element)];
    return Fail(line, std::move(found.Text));
}

bool Reader::Finish() {
    if (m_knownHeaders == 0) {
        m_problem.WrongFormat = true;
        return Fail(0, "kein bekannter Abschnitt");
    }
    m_doc.Cells.Create(m_doc.FeldBreite + 1, m_doc.FeldHoehe + 1);
    for (const auto& [p, cell] : m_cells)
        m_doc.Cells(p.x, p.y) = cell.first;
    if (m_doc.HasJump)
        LayRuns();
    if (m_doc.ICNotizen.size() > 2)
        m_doc.ICNotizen.resize(m_doc.ICNotizen.size() - 2);
    if (!CheckElements())
        return false;
    ClearStrayICLevels();
    return CheckClocks() && CheckICs() && CheckConsistency();
}

} // namespace

void LayWireRun(Grid& cells, int x, int y, int end, bool horizontal) {
    const int start = horizontal ? x : y;
    for (int i = start; i <= end; ++i) {
        CellRecord& c = cells(horizontal ? i : x, horizontal ? y : i);
        if (i < end)
            (horizontal ? c.Rechts : c.Unten) = kTrue;
        if (i > start)
            (horizontal ? c.Links : c.Oben) = kTrue;
        if (c.Typ == kTypeEmpty)
            c.Typ = kTypeWire;
    }
}

void CircuitDocument::Reset(std::int16_t width, std::int16_t height) {
    *this = CircuitDocument{};
    FeldBreite = width;
    FeldHoehe = height;
    Elements.resize(1);
    TaktElement.assign(1, 0);
    Takte.assign(1, ClockLine{0, 0, kTrue, 1});
}

bool ReadCircuitText(std::string_view text, std::int16_t width, std::int16_t height,
                     CircuitDocument& doc, ReadProblem& problem) {
    doc.Reset(width, height);
    problem = ReadProblem{};
    // A circuit file is text: control characters other than tabs and line ends (a NUL in
    // UTF-16 or in a picture, the bytes of a program) mean it is something else.
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && c != '\t' && c != '\r' && c != '\n') || b == 0x7F) {
            problem.WrongFormat = true;
            problem.Text = "keine Textdatei";
            return false;
        }
    }
    Reader reader(doc, problem);
    int lineNr = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++lineNr;
        if (!reader.Line(line, lineNr))
            return false;
        start = next;
    }
    return reader.Finish();
}

} // namespace kardo
