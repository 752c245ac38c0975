// Fields of circuit file lines: tokens, numbers read as stored files need them, type codes, pin
// lists, section headers and the parsers of the lines both readers share.
#include "files/file_lines.h"

#include "files/text_helpers.h"
#include "model/codes.h"

#include <cmath>
#include <limits>

namespace kardo {

std::optional<FileSection> SectionOfHeader(std::string_view item) {
    struct Header {
        std::string_view text; // header line as written (UTF-8)
        FileSection section;   // section it opens
    };
    static constexpr std::array<Header, 13> kHeaders = {{
        {"[Feld]", FileSection::Feld},
        {"[Punkte]", FileSection::Punkte},
        {"[Jump]", FileSection::Jump},
        {"[Elemente]", FileSection::Elemente},
        {"[IC]", FileSection::IC},
        {"[Timer]", FileSection::Timer},
        {"[Name]", FileSection::Name},
        {"[Anschlüsse]", FileSection::Anschluesse},
        {"[Maße]", FileSection::Masse},
        {"[Graphische Anschlüsse]", FileSection::GrafAnschluesse},
        {"[Tags]", FileSection::Tags},
        {"[Notizen]", FileSection::Notizen},
        {"[Links]", FileSection::Links},
    }};
    if (item.empty() || item.front() != '[')
        return std::nullopt;
    for (const Header& h : kHeaders)
        if (item == h.text)
            return h.section;
    return std::nullopt;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanksLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimBlanksRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view TrimBlanks(std::string_view s) { return TrimBlanksRight(TrimBlanksLeft(s)); }

bool ReadFileNumber(std::string_view token, long long lo, long long hi, long long& out) {
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

bool IsElementTypeCode(long long t) {
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

bool IsCellTypeCode(long long t) {
    return t == kTypeEmpty || t == kTypeWire || IsElementTypeCode(t);
}

namespace {

// Kinds whose symbol and pins depend on an orientation 1..4; the others may carry 0.
bool NeedsOrientation(std::uint8_t t) {
    return t != kTypeLed && t != kTypeSwitch && t != kTypeNumberDisplay && t != kTypeIC &&
           t != kTypeText && t != kTypeAnalysisPoint;
}

} // namespace

bool CheckPinListText(std::string_view text, int w, int h, std::string& problem) {
    text = TrimBlanks(text);
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

std::string OutOfRangeText(std::string_view field, std::string_view token) {
    return "Wert \"" + std::string(TrimBlanks(token)) + "\" für " + std::string(field) +
           " außerhalb des gültigen Bereichs";
}

std::string MissingText(std::string_view what, std::size_t need, std::size_t have) {
    return std::string(what) + " unvollständig: " + std::to_string(need) + " Felder erwartet, " +
           std::to_string(have) + " gefunden";
}

bool ParseFeldLine(std::string_view line, int lo, int hi, std::int16_t& w, std::int16_t& h,
                   std::string& problem) {
    const FileTokens t(line);
    if (t.Count() < 2) {
        problem = MissingText("Feldgröße", 2, t.Count());
        return false;
    }
    long long vw = 0;
    long long vh = 0;
    if (!ReadFileNumber(t[1], lo, hi, vw)) {
        problem = OutOfRangeText("die Breite", t[1]);
        return false;
    }
    if (!ReadFileNumber(t[2], lo, hi, vh)) {
        problem = OutOfRangeText("die Höhe", t[2]);
        return false;
    }
    w = static_cast<std::int16_t>(vw);
    h = static_cast<std::int16_t>(vh);
    return true;
}

bool AppendElementLine(std::string_view line, std::vector<ElementRecord>& elements,
                       std::string& problem) {
    if (elements.size() > static_cast<std::size_t>(kMaxFileElements)) {
        problem = "zu viele Elemente";
        return false;
    }
    ElementRecord e;
    if (!ParseElementLine(line, e, problem))
        return false;
    elements.push_back(std::move(e));
    return true;
}

bool CheckElementList(const std::vector<ElementRecord>& elements, int w, int h, int& faulty,
                      std::string& problem) {
    for (std::size_t k = 1; k < elements.size(); ++k) {
        const ElementRecord& e = elements[k];
        faulty = static_cast<int>(k);
        if (e.Nr != static_cast<int>(k)) {
            problem = "Elementnummer " + std::to_string(e.Nr) + " an Position " + std::to_string(k);
            return false;
        }
        if (!CheckPinListText(e.Eingaenge.Text(), w, h, problem) ||
            !CheckPinListText(e.Ausgaenge.Text(), w, h, problem))
            return false;
    }
    faulty = 0;
    return true;
}

std::string CellElementText(int nr, int n) {
    return "Zelle verweist auf Element " + std::to_string(nr) + ", es gibt nur " +
           std::to_string(n);
}

bool ParseICLine(std::string_view line, ICLine& ic, std::string& problem) {
    const FileTokens t(line);
    if (t.Count() < 2) {
        problem = MissingText("IC-Eintrag", 2, t.Count());
        return false;
    }
    long long nr = 0;
    if (!ReadFileNumber(t[2], 1, kMaxFileElements, nr)) {
        problem = OutOfRangeText("die Elementnummer", t[2]);
        return false;
    }
    const std::string_view name = TrimBlanks(t[1]);
    if (!IsPlainICName(name)) {
        problem = "IC-Name \"" + std::string(name) + "\" ist kein einfacher Dateiname";
        return false;
    }
    ic = ICLine{std::string(name), static_cast<std::int16_t>(nr)};
    return true;
}

bool ParsePinLine(std::string_view line, int k, GridPoint& cell, std::string& problem) {
    const FileTokens t(line);
    long long x = 0;
    long long y = 0;
    if (t.Count() < 3 || TrimBlanks(t[1]).empty() || TrimBlanks(t[2]).empty() ||
        !ReadFileNumber(t[1], 0, kMaxICSize, x) || !ReadFileNumber(t[2], 0, kMaxICSize, y)) {
        const std::string name = t.Count() >= 3 ? std::string(t[3]) : std::string();
        problem = "Anschluss " + std::to_string(k) + " (" + name +
                  "): Zeile in [Anschlüsse] ist unlesbar";
        return false;
    }
    cell = GridPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
    return true;
}

bool ParseMasseLine(std::string_view line, std::int16_t& width, std::int16_t& height,
                    std::string& problem) {
    if (line.empty() || (line.front() != 'X' && line.front() != 'Y'))
        return true;
    long long v = 0;
    if (!ReadFileNumber(line.substr(1), kMinICSize, kMaxICSize, v)) {
        problem = OutOfRangeText("die Gehäusegröße", line.substr(1));
        return false;
    }
    (line.front() == 'X' ? width : height) = static_cast<std::int16_t>(v);
    return true;
}

bool IsPlainICName(std::string_view name) {
    if (name.empty() || name.size() > 200 || name == "." || name == "..")
        return false;
    if (name != TrimBlanks(name))
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
    const FileTokens t(line);
    if (t.Count() < 11) {
        problem = MissingText("Zelle", 11, t.Count());
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
        if (!ReadFileNumber(t[k + 1], kFields[k].lo, kFields[k].hi, v[k])) {
            problem = OutOfRangeText(kFields[k].name, t[k + 1]);
            return false;
        }
    }
    if (!IsCellTypeCode(v[2])) {
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
    const FileTokens t(line);
    const std::size_t lastSemi = line.rfind(';');
    if (t.Count() < 7) {
        problem = MissingText("Element", 7, t.Count());
        return false;
    }
    long long typ = 0;
    long long richtung = 0;
    long long farbe = 0;
    long long nr = 0;
    if (!ReadFileNumber(t[1], 0, 255, typ) || !IsElementTypeCode(typ)) {
        problem = "unbekannter Elementtyp \"" + std::string(TrimBlanks(t[1])) + "\"";
        return false;
    }
    if (!ReadFileNumber(t[2], 0, 4, richtung)) {
        problem = OutOfRangeText("Richtung", t[2]);
        return false;
    }
    if (richtung == 0 && NeedsOrientation(static_cast<std::uint8_t>(typ))) {
        problem = "Element vom Typ " + std::to_string(typ) + " ohne Richtung";
        return false;
    }
    if (!ReadFileNumber(t[5], std::numeric_limits<std::int32_t>::min(),
                        std::numeric_limits<std::int32_t>::max(), farbe)) {
        problem = OutOfRangeText("Farbe", t[5]);
        return false;
    }
    if (!ReadFileNumber(t[6], 0, 32767, nr)) {
        problem = OutOfRangeText("Elementnummer", t[6]);
        return false;
    }
    element = ElementRecord{};
    element.Typ = static_cast<std::uint8_t>(typ);
    element.Richtung = static_cast<std::uint8_t>(richtung);
    element.Eingaenge = std::string(TrimBlanks(t[3]));
    element.Ausgaenge = std::string(TrimBlanks(t[4]));
    element.Farbe = static_cast<std::int32_t>(farbe);
    element.Nr = static_cast<std::int16_t>(nr);
    // The text runs from behind the sixth ";" to the last one: the whole rest of the line.
    const std::size_t textStart =
        static_cast<std::size_t>(t[6].data() - line.data()) + t[6].size() + 1;
    element.Text = std::string(line.substr(textStart, lastSemi - textStart));
    return true;
}

} // namespace kardo
