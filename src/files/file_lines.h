// Fields of circuit file lines: the ";"-closed tokens of a line, numbers read by the rules of
// stored files and checked against their field's range, the known type codes, strict pin lists,
// the section headers, and the parsers of the lines circuit files and IC definition files share
// ([Feld], [Punkte], [Elemente], [IC], [Anschlüsse], [Maße]) with their limits. Used by both
// readers, so that a line reads the same in either.
#pragma once

#include "files/circuit_document.h"
#include "model/elements.h"
#include "model/grid.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

// Limits of the fields both readers share. A sheet or IC level holds elements 1..kMaxElements
// (32767: element numbers are 16-bit and 0 means "none"), and an [IC] line names one of them.
constexpr int kMaxFileElements = kMaxElements;
// An IC's own grid and its package: 1..1000 cells a side; at most 255 pins (pin numbers are
// bytes in the cells).
constexpr int kMinICSize = 1;
constexpr int kMaxICSize = 1000;
constexpr int kMaxICPins = 255;

// The sections of circuit and IC definition files.
enum class FileSection {
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
    Links, // read by the pin reader of IC definitions only; no writer produces it
};

// The section a header opens: the whole item, compared exactly ("[Maße]"); nothing when it is
// no header of the files.
std::optional<FileSection> SectionOfHeader(std::string_view item);

bool IsBlank(char c);
std::string_view TrimBlanksLeft(std::string_view s);
std::string_view TrimBlanksRight(std::string_view s);
std::string_view TrimBlanks(std::string_view s);

// The ";"-closed tokens of a line, split once. Text after the last ";" is not a token.
class FileTokens {
  public:
    explicit FileTokens(std::string_view line) {
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

// The number at the start of a token, read as Val reads it (blanks skipped, a token without a
// number reads 0), rounded to the nearest integer, a half to the even neighbour. False when it
// lies outside lo..hi.
bool ReadFileNumber(std::string_view token, long long lo, long long hi, long long& out);

// Element type codes of element records, and the codes a cell may carry (those, empty, wire).
bool IsElementTypeCode(long long t);
bool IsCellTypeCode(long long t);

// Checks a pin-list text strictly: entries "X<x>Y<y>:" with 0 <= x <= w and 0 <= y <= h, blanks
// around the whole text allowed. False with the problem otherwise.
bool CheckPinListText(std::string_view text, int w, int h, std::string& problem);

// Problem texts: a field's value out of range; a line with fewer fields than it needs.
std::string OutOfRangeText(std::string_view field, std::string_view token);
std::string MissingText(std::string_view what, std::size_t need, std::size_t have);

// One [Punkte] line: the cell (x, y) and its fields; the levels of the cell are 0. The
// coordinates are not checked against a sheet here. False with the problem when a field is
// missing or out of its range.
bool ParseCellLine(std::string_view line, int& x, int& y, CellRecord& cell, std::string& problem);

// One [Elemente] line: the seven fields of an element record. The text is everything between
// the sixth and the last ";", so a text may hold ";" and ",". Runtime state slots are 0.
bool ParseElementLine(std::string_view line, ElementRecord& element, std::string& problem);

// One [Feld] line W;H; with both in lo..hi.
bool ParseFeldLine(std::string_view line, int lo, int hi, std::int16_t& w, std::int16_t& h,
                   std::string& problem);

// One [Elemente] line appended to elements (entry 0 unused), which may hold at most
// kMaxFileElements elements.
bool AppendElementLine(std::string_view line, std::vector<ElementRecord>& elements,
                       std::string& problem);

// Checks the element list of a sheet or IC level of w x h cells: element k carries number k and
// its pin lists lie on the sheet. False with the index of the first faulty element.
bool CheckElementList(const std::vector<ElementRecord>& elements, int w, int h, int& faulty,
                      std::string& problem);
// The problem of a cell naming element nr of a list of n elements.
std::string CellElementText(int nr, int n);

// One [IC] line name;element;: a plain IC name and an element number 1..kMaxFileElements.
bool ParseICLine(std::string_view line, ICLine& ic, std::string& problem);

// One [Anschlüsse] line x;y;name; of pin k: the pin's cell, each coordinate 0..kMaxICSize.
bool ParsePinLine(std::string_view line, int k, GridPoint& cell, std::string& problem);

// One [Maße] line: "X" or "Y" followed by a package size kMinICSize..kMaxICSize, read into width
// or height; any other line is not read.
bool ParseMasseLine(std::string_view line, std::int16_t& width, std::int16_t& height,
                    std::string& problem);

// An IC name that can stand for a definition file "name.icd" in the IC folder: not empty, no
// folder part, no characters that file names on either platform refuse, and not "." or "..".
bool IsPlainICName(std::string_view name);

// Calls line(text, number) for every line of a file's text (CR LF or LF line ends, the last line
// with or without one), numbered from 1, the line end left off; stops at the first call that
// returns false. True when every call returned true.
template <class F> bool ForEachFileLine(std::string_view text, F&& line) {
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view one = text.substr(start, end - start);
        if (!one.empty() && one.back() == '\r')
            one.remove_suffix(1);
        if (!line(one, ++number))
            return false;
        start = next;
    }
    return true;
}

} // namespace kardo
