// Circuit file reader: splits the text into lines and sections, parses every data line into a
// CircuitDocument, then checks that cells, elements, clocks and ICs fit together.
#include "files/circuit_reader.h"

#include "files/text_helpers.h"
#include "model/codes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace kardo {

namespace {

enum class Section {
    None,
    Name,
    Feld,
    Punkte,
    Jump,
    Elemente,
    IC,
    Timer,
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

constexpr std::array<Header, 12> kHeaders = {{
    {"[Feld]", Section::Feld},
    {"[Punkte]", Section::Punkte},
    {"[Jump]", Section::Jump},
    {"[Elemente]", Section::Elemente},
    {"[IC]", Section::IC},
    {"[Timer]", Section::Timer},
    {"[Name]", Section::Name},
    {"[Anschlüsse]", Section::Anschluesse},
    {"[Maße]", Section::Masse},
    {"[Graphische Anschlüsse]", Section::GrafAnschluesse},
    {"[Tags]", Section::Tags},
    {"[Notizen]", Section::Notizen},
}};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// The ";"-closed tokens of a line, split once. Text after the last ";" is not a token.
class Tokens {
  public:
    explicit Tokens(std::string_view line) {
        std::size_t start = 0;
        while (m_count < m_tokens.size()) {
            const std::size_t semi = line.find(';', start);
            if (semi == std::string_view::npos)
                break;
            m_tokens[m_count++] = line.substr(start, semi - start);
            start = semi + 1;
        }
    }
    std::size_t Count() const { return m_count; }
    // Token n, 1-based; n must be at most Count().
    std::string_view operator[](std::size_t n) const { return m_tokens[n - 1]; }

  private:
    std::array<std::string_view, 12> m_tokens{}; // the first twelve tokens
    std::size_t m_count = 0;                     // closed tokens found, at most 12
};

// The number at the start of a token as the old Val read it, rounded to the nearest integer
// (a half to the even neighbour). False when it lies outside lo..hi.
bool ReadNumber(std::string_view token, long long lo, long long hi, long long& out) {
    std::size_t i = 0;
    while (i < token.size() && IsBlank(token[i]))
        ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '-' || token[i] == '+'))
        negative = token[i++] == '-';
    long long value = 0;
    std::size_t digits = 0;
    while (i < token.size() && token[i] >= '0' && token[i] <= '9' && digits < 15) {
        value = value * 10 + (token[i++] - '0');
        ++digits;
    }
    const bool plain = i == token.size() || (token[i] != '.' && token[i] != 'e' &&
                                             token[i] != 'E' && (token[i] < '0' || token[i] > '9'));
    if (plain) {
        out = negative ? -value : value;
    } else {
        // Decimal fractions, exponents and long digit runs take the general reader.
        const double v = std::nearbyint(Val(token));
        if (!(v >= static_cast<double>(lo) && v <= static_cast<double>(hi)))
            return false;
        out = static_cast<long long>(v);
    }
    return out >= lo && out <= hi;
}

bool IsElementType(long long t) {
    switch (t) {
    case kTypeLed:
    case kTypeSwitch:
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
    case kTypeInverter:
    case kTypeClock:
    case kTypeHalfAdder:
    case kTypeFullAdder:
    case kTypeTriState:
    case kTypeMultiplexer:
    case kTypeDecoder:
    case kTypeFlipFlop:
    case kTypeShiftRegister:
    case kTypeNumberDisplay:
    case kTypeIC:
    case kTypeText:
    case kTypeAnalysisPoint:
        return true;
    default:
        return false;
    }
}

bool IsCellType(long long t) { return t == kTypeEmpty || t == kTypeWire || IsElementType(t); }

// Kinds whose symbol and pins depend on an orientation 1..4; the others may carry 0.
bool NeedsOrientation(std::uint8_t t) {
    return t != kTypeLed && t != kTypeSwitch && t != kTypeNumberDisplay && t != kTypeIC &&
           t != kTypeText && t != kTypeAnalysisPoint;
}

// Checks a pin-list text strictly: entries "X<x>Y<y>:" with 0 <= x <= w and 0 <= y <= h,
// blanks around the whole text allowed.
bool CheckPinList(std::string_view text, int w, int h, std::string& problem) {
    text = Trim(text);
    std::size_t i = 0;
    auto number = [&](long long& v) {
        const std::size_t start = i;
        v = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 6)
            v = v * 10 + (text[i++] - '0');
        return i > start && (i == text.size() || text[i] < '0' || text[i] > '9');
    };
    while (i < text.size()) {
        long long x = 0;
        long long y = 0;
        if (text[i] != 'X') {
            problem = "Anschlussliste \"" + std::string(text) + "\" ist ungültig";
            return false;
        }
        ++i;
        if (!number(x) || i >= text.size() || text[i] != 'Y') {
            problem = "Anschlussliste \"" + std::string(text) + "\" ist ungültig";
            return false;
        }
        ++i;
        if (!number(y) || i >= text.size() || text[i] != ':') {
            problem = "Anschlussliste \"" + std::string(text) + "\" ist ungültig";
            return false;
        }
        ++i;
        if (x > w || y > h) {
            problem = "Anschluss X" + std::to_string(x) + "Y" + std::to_string(y) +
                      " liegt außerhalb des Arbeitsfeldes";
            return false;
        }
    }
    return true;
}

std::string OutOfRange(std::string_view field, std::string_view token) {
    return "Wert \"" + std::string(Trim(token)) + "\" für " + std::string(field) +
           " außerhalb des gültigen Bereichs";
}

std::string Missing(std::string_view what, std::size_t need, std::size_t have) {
    return std::string(what) + " unvollständig: " + std::to_string(need) + " Felder erwartet, " +
           std::to_string(have) + " gefunden";
}

} // namespace

bool IsPlainICName(std::string_view name) {
    if (name.empty() || name.size() > 200 || name == "." || name == "..")
        return false;
    if (name != Trim(name))
        return false;
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F)
            return false;
        if (std::string_view("/\\:*?\"<>|;").find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

bool ParseCellLine(std::string_view line, int& x, int& y, CellRecord& cell, std::string& problem) {
    const Tokens t(line);
    if (t.Count() < 11) {
        problem = Missing("Zelle", 11, t.Count());
        return false;
    }
    long long v[12] = {};
    struct Field {
        const char* name;
        long long lo;
        long long hi;
    };
    static constexpr Field kFields[11] = {
        {"Spalte", 0, 32767},     {"Zeile", 0, 32767},       {"Typ", 0, 255},
        {"links", -32768, 32767}, {"rechts", -32768, 32767}, {"oben", -32768, 32767},
        {"unten", -32768, 32767}, {"Punkt", -1, 1},          {"Elementnummer", 0, 32767},
        {"IC-Anschluss", 0, 255}, {"IC-Ebene", 0, 255},
    };
    for (std::size_t k = 0; k < 11; ++k) {
        if (!ReadNumber(t[k + 1], kFields[k].lo, kFields[k].hi, v[k])) {
            problem = OutOfRange(kFields[k].name, t[k + 1]);
            return false;
        }
    }
    if (!IsCellType(v[2])) {
        problem = "unbekannter Zelltyp " + std::to_string(v[2]);
        return false;
    }
    x = static_cast<int>(v[0]);
    y = static_cast<int>(v[1]);
    cell = CellRecord{};
    cell.Typ = static_cast<std::uint8_t>(v[2]);
    cell.Links = TruthValue(v[3] != 0);
    cell.Rechts = TruthValue(v[4] != 0);
    cell.Oben = TruthValue(v[5] != 0);
    cell.Unten = TruthValue(v[6] != 0);
    cell.Punkt = static_cast<std::int16_t>(v[7]);
    cell.ElementNr = static_cast<std::int16_t>(v[8]);
    cell.ICPin = static_cast<std::uint8_t>(v[9]);
    cell.ICLevel = static_cast<std::uint8_t>(v[10]);
    return true;
}

bool ParseElementLine(std::string_view line, ElementRecord& element, std::string& problem) {
    const Tokens t(line);
    const std::size_t lastSemi = line.rfind(';');
    if (t.Count() < 7) {
        problem = Missing("Element", 7, t.Count());
        return false;
    }
    long long typ = 0;
    long long richtung = 0;
    long long farbe = 0;
    long long nr = 0;
    if (!ReadNumber(t[1], 0, 255, typ) || !IsElementType(typ)) {
        problem = "unbekannter Elementtyp \"" + std::string(Trim(t[1])) + "\"";
        return false;
    }
    if (!ReadNumber(t[2], 0, 4, richtung)) {
        problem = OutOfRange("Richtung", t[2]);
        return false;
    }
    if (richtung == 0 && NeedsOrientation(static_cast<std::uint8_t>(typ))) {
        problem = "Element vom Typ " + std::to_string(typ) + " ohne Richtung";
        return false;
    }
    if (!ReadNumber(t[5], std::numeric_limits<std::int32_t>::min(),
                    std::numeric_limits<std::int32_t>::max(), farbe)) {
        problem = OutOfRange("Farbe", t[5]);
        return false;
    }
    if (!ReadNumber(t[6], 0, 32767, nr)) {
        problem = OutOfRange("Elementnummer", t[6]);
        return false;
    }
    element = ElementRecord{};
    element.Typ = static_cast<std::uint8_t>(typ);
    element.Richtung = static_cast<std::uint8_t>(richtung);
    element.Eingaenge = std::string(Trim(t[3]));
    element.Ausgaenge = std::string(Trim(t[4]));
    element.Farbe = static_cast<std::int32_t>(farbe);
    element.Nr = static_cast<std::int16_t>(nr);
    // The text runs from behind the sixth ";" to the last one: the whole rest of the line.
    const std::size_t textStart =
        static_cast<std::size_t>(t[6].data() - line.data()) + t[6].size() + 1;
    element.Text = std::string(line.substr(textStart, lastSemi - textStart));
    return true;
}

namespace {

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
    bool CheckElements();
    bool CheckClocks();
    bool CheckICs();

    CircuitDocument& m_doc;            // document being filled
    ReadProblem& m_problem;            // the first problem found
    Section m_section = Section::None; // section of the lines being read
    int m_timerLine = 0;               // data lines of the current [Timer] section so far
    std::size_t m_clockEntries = 0;    // clock entries read in the current [Timer] section
    int m_timerHeaderLine = 0;         // line of the last [Timer] header
    std::vector<int> m_elementLines;   // file line of element k (entry 0 unused)
    std::vector<int> m_icLines;        // file line of IC line k (0-based)
    int m_maxElementNr = 0;            // highest element number in a cell
    int m_maxElementNrLine = 0;        // its line
    int m_firstICLevelLine = 0;        // first cell line with an IC level, 0 none
    // Cells read since the last size line, in file order. The grid is filled once at the end,
    // so that many size lines in a row cost no more than one.
    std::vector<std::pair<GridPoint, CellRecord>> m_cells;
};

bool Reader::Line(std::string_view raw, int lineNr) {
    // An item starts after leading blanks; a header is recognised by the whole item.
    const std::string_view item = TrimLeft(raw);
    const std::string_view key = TrimRight(item);
    if (!key.empty() && key.front() == '[') {
        for (const Header& h : kHeaders) {
            if (key == h.text) {
                m_section = h.section;
                if (h.section == Section::Jump)
                    m_doc.HasJump = true;
                if (h.section == Section::Timer) {
                    m_timerLine = 0;
                    m_clockEntries = 0;
                    m_timerHeaderLine = lineNr;
                }
                return true;
            }
        }
    }
    return Data(item, lineNr);
}

bool Reader::Data(std::string_view item, int lineNr) {
    switch (m_section) {
    case Section::None:
        return true; // lines before the first header
    case Section::Name:
        m_doc.ICName = std::string(Trim(item));
        return true;
    case Section::Anschluesse:
        m_doc.ICAnschlussZellen.emplace_back(item);
        return true;
    case Section::GrafAnschluesse:
        m_doc.ICAnschluesse.emplace_back(item);
        return true;
    case Section::Tags:
        m_doc.Tags.emplace_back(item);
        return true;
    case Section::Notizen:
        m_doc.ICNotizen.append(item).append("\r\n");
        return true;
    case Section::Masse: {
        long long v = 0;
        if (item.empty() || (item.front() != 'X' && item.front() != 'Y'))
            return true;
        if (!ReadNumber(item.substr(1), -32768, 32767, v))
            return Fail(lineNr, OutOfRange("die IC-Größe", item.substr(1)));
        (item.front() == 'X' ? m_doc.ICBreite : m_doc.ICHoehe) = static_cast<std::int16_t>(v);
        return true;
    }
    default:
        break;
    }
    // The numeric sections have no empty lines of their own; the writer never produces one.
    if (TrimRight(item).empty())
        return true;
    switch (m_section) {
    case Section::Feld:
        return Feld(item, lineNr);
    case Section::Punkte:
        return Punkte(item, lineNr);
    case Section::Jump:
        return Jump(item, lineNr);
    case Section::Elemente:
        return Elemente(item, lineNr);
    case Section::IC:
        return IC(item, lineNr);
    case Section::Timer:
        return Timer(item, lineNr);
    default:
        return true;
    }
}

bool Reader::Feld(std::string_view item, int lineNr) {
    const Tokens t(item);
    long long w = 0;
    long long h = 0;
    if (t.Count() < 2)
        return Fail(lineNr, Missing("Feldgröße", 2, t.Count()));
    if (!ReadNumber(t[1], kMinFileSheetSize, kMaxFileSheetSize, w))
        return Fail(lineNr, OutOfRange("die Breite", t[1]));
    if (!ReadNumber(t[2], kMinFileSheetSize, kMaxFileSheetSize, h))
        return Fail(lineNr, OutOfRange("die Höhe", t[2]));
    // A size line empties the sheet and the wire runs read so far.
    m_doc.FeldBreite = static_cast<std::int16_t>(w);
    m_doc.FeldHoehe = static_cast<std::int16_t>(h);
    m_cells.clear();
    m_doc.Jumps.clear();
    m_maxElementNr = 0;
    m_maxElementNrLine = 0;
    m_firstICLevelLine = 0;
    return true;
}

bool Reader::Punkte(std::string_view item, int lineNr) {
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
    if (cell.ICLevel != 0 && m_firstICLevelLine == 0)
        m_firstICLevelLine = lineNr;
    m_cells.emplace_back(GridPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)},
                         cell);
    return true;
}

bool Reader::Jump(std::string_view item, int lineNr) {
    const Tokens t(item);
    if (t.Count() < 4)
        return Fail(lineNr, Missing("Leitungszug", 4, t.Count()));
    long long x = 0;
    long long y = 0;
    long long ex = 0;
    long long ey = 0;
    if (!ReadNumber(t[1], 0, m_doc.FeldBreite, x) || !ReadNumber(t[2], 0, m_doc.FeldHoehe, y))
        return Fail(lineNr, "Leitungszug beginnt außerhalb des Arbeitsfeldes");
    // A run ends at or behind its first cell and inside the sheet; 0 means no run.
    if (!ReadNumber(t[3], 0, m_doc.FeldBreite, ex) || (ex != 0 && ex < x))
        return Fail(lineNr, OutOfRange("das Leitungsende", t[3]));
    if (!ReadNumber(t[4], 0, m_doc.FeldHoehe, ey) || (ey != 0 && ey < y))
        return Fail(lineNr, OutOfRange("das Leitungsende", t[4]));
    m_doc.Jumps.push_back(JumpLine{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                                   static_cast<std::int16_t>(ex), static_cast<std::int16_t>(ey)});
    return true;
}

bool Reader::Elemente(std::string_view item, int lineNr) {
    if (m_doc.AnzElemente() >= 32767)
        return Fail(lineNr, "zu viele Elemente");
    ElementRecord e;
    std::string problem;
    if (!ParseElementLine(item, e, problem))
        return Fail(lineNr, std::move(problem));
    m_doc.Elements.push_back(std::move(e));
    m_elementLines.push_back(lineNr);
    return true;
}

bool Reader::IC(std::string_view item, int lineNr) {
    const Tokens t(item);
    if (t.Count() < 2)
        return Fail(lineNr, Missing("IC-Eintrag", 2, t.Count()));
    long long nr = 0;
    if (!ReadNumber(t[2], 0, 32767, nr))
        return Fail(lineNr, OutOfRange("die Elementnummer", t[2]));
    const std::string_view name = Trim(t[1]);
    if (!IsPlainICName(name))
        return Fail(lineNr, "IC-Name \"" + std::string(name) + "\" ist kein einfacher Dateiname");
    m_doc.ICs.push_back(ICLine{std::string(name), static_cast<std::int16_t>(nr)});
    m_icLines.push_back(lineNr);
    return true;
}

bool Reader::Timer(std::string_view item, int lineNr) {
    ++m_timerLine;
    if (m_timerLine == 1) {
        long long n = 0;
        if (!ReadNumber(item, 0, 255, n))
            return Fail(lineNr, OutOfRange("die Anzahl der Taktgeber", item));
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
                return Fail(lineNr, Missing("Taktgeberliste", m_doc.AnzTaktgeber, k));
            long long nr = 0;
            if (!ReadNumber(item.substr(start, semi - start), 1, 32767, nr))
                return Fail(lineNr, OutOfRange("die Taktgeber-Elementnummer",
                                               item.substr(start, semi - start)));
            m_doc.TaktElement[k] = static_cast<std::int16_t>(nr);
            start = semi + 1;
        }
        return true;
    }
    const std::size_t k = static_cast<std::size_t>(m_timerLine - 3);
    if (k >= m_doc.Takte.size())
        return Fail(lineNr, "mehr Taktgeber-Zeilen als Taktgeber");
    const Tokens t(item);
    if (t.Count() < 4)
        return Fail(lineNr, Missing("Taktgeber", 4, t.Count()));
    long long hi = 0;
    long long lo = 0;
    long long link = 0;
    long long pulses = 0;
    if (!ReadNumber(t[1], 0, 32767, hi))
        return Fail(lineNr, OutOfRange("die High-Zeit", t[1]));
    if (!ReadNumber(t[2], 0, 32767, lo))
        return Fail(lineNr, OutOfRange("die Low-Zeit", t[2]));
    if (!ReadNumber(t[3], -32768, 32767, link))
        return Fail(lineNr, OutOfRange("die Kopplung", t[3]));
    if (!ReadNumber(t[4], 0, 255, pulses))
        return Fail(lineNr, OutOfRange("die Impulszahl", t[4]));
    m_doc.Takte[k] = ClockLine{static_cast<std::int16_t>(hi), static_cast<std::int16_t>(lo),
                               TruthValue(link != 0), static_cast<std::uint8_t>(pulses)};
    m_clockEntries = k + 1;
    return true;
}

bool Reader::CheckElements() {
    const int n = m_doc.AnzElemente();
    std::array<bool, 10> analysisTaken{};
    for (int k = 1; k <= n; ++k) {
        const ElementRecord& e = m_doc.Elements[static_cast<std::size_t>(k)];
        const int line = m_elementLines[static_cast<std::size_t>(k)];
        if (e.Nr != k) {
            return Fail(line, "Elementnummer " + std::to_string(e.Nr) + " an Position " +
                                  std::to_string(k));
        }
        std::string problem;
        if (!CheckPinList(e.Eingaenge.Text(), m_doc.FeldBreite, m_doc.FeldHoehe, problem) ||
            !CheckPinList(e.Ausgaenge.Text(), m_doc.FeldBreite, m_doc.FeldHoehe, problem))
            return Fail(line, std::move(problem));
        if (e.Typ == kTypeAnalysisPoint) {
            long long nr = 0;
            if (!ReadNumber(e.Text, 1, 9, nr) || analysisTaken[static_cast<std::size_t>(nr)])
                return Fail(line, "ungültige Analysepunkt-Nummer \"" + e.Text + "\"");
            analysisTaken[static_cast<std::size_t>(nr)] = true;
        }
    }
    if (m_maxElementNr > n) {
        return Fail(m_maxElementNrLine, "Zelle verweist auf Element " +
                                            std::to_string(m_maxElementNr) + ", es gibt nur " +
                                            std::to_string(n));
    }
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
        if (nr < 1 || nr > m_doc.AnzElemente() ||
            m_doc.Elements[static_cast<std::size_t>(nr)].Typ != kTypeIC || repeated) {
            return Fail(m_icLines[k], "IC \"" + m_doc.ICs[k].Name + "\" verweist auf Element " +
                                          std::to_string(nr) + ", das kein eigenes IC ist");
        }
    }
    if (static_cast<std::size_t>(icElements) != m_doc.ICs.size())
        return Fail(0, std::to_string(icElements) + " IC-Elemente, aber " +
                           std::to_string(m_doc.ICs.size()) + " IC-Einträge");
    if (m_doc.ICs.empty() && m_firstICLevelLine != 0)
        return Fail(m_firstICLevelLine, "Zelle verweist auf eine IC-Ebene, es gibt keine ICs");
    return true;
}

bool Reader::Finish() {
    m_doc.Cells.Create(m_doc.FeldBreite + 1, m_doc.FeldHoehe + 1);
    for (const auto& [p, cell] : m_cells)
        m_doc.Cells(p.x, p.y) = cell;
    if (m_doc.ICNotizen.size() > 2)
        m_doc.ICNotizen.resize(m_doc.ICNotizen.size() - 2);
    return CheckElements() && CheckClocks() && CheckICs();
}

} // namespace

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
