// The element list: one record per placed element, numbered from 1, with its pin lists as text
// ("X12Y7:X12Y9:") and their parsed points, and the removal of a record with the renumbering of
// every later reference.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

struct GridPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
    bool operator==(const GridPoint&) const = default;
};

// A pin-list text together with its points, parsed once whenever the text is set. The text is
// the source of truth; the points are a cache of it.
class PinList {
  public:
    PinList() = default;
    PinList(std::string text) { Assign(std::move(text)); } // NOLINT: reads like the text it holds
    PinList(const char* text) { Assign(text); }            // NOLINT
    PinList& operator=(std::string text) {
        Assign(std::move(text));
        return *this;
    }
    PinList& operator=(const char* text) {
        Assign(text);
        return *this;
    }
    // Appends text (usually one "X..Y..:" entry) and parses again.
    PinList& operator+=(std::string_view more);

    const std::string& Text() const { return m_text; }
    std::span<const GridPoint> Points() const { return m_points; }
    std::size_t Count() const { return m_points.size(); }
    bool operator==(const PinList& other) const { return m_text == other.m_text; }
    bool operator==(std::string_view text) const { return m_text == text; }

  private:
    void Assign(std::string text);

    std::string m_text;              // the pin-list text
    std::vector<GridPoint> m_points; // its points in pin order
};

// "X<x>Y<y>:" for one pin.
std::string PinEntry(int x, int y);
// The points of a pin-list text: each ":"-closed token "X<x>Y<y>"; blanks around the text are
// ignored, anything after the last ":" too.
void ParsePinList(std::string_view text, std::vector<GridPoint>& out);

struct ElementRecord {
    std::uint8_t Richtung = 0;              // orientation 1..4; 0 for an analysis point
    PinList Eingaenge;                      // input pins in pin order
    PinList Ausgaenge;                      // output pins in pin order
    std::uint8_t Typ = 0;                   // element type code
    std::array<std::int16_t, 14> Zustand{}; // runtime state slots 1..13 (0 unused); never saved
    std::int32_t Farbe = 0;                 // LED colour (red + 256 green + 65536 blue), else 0
    std::int16_t Nr = 0;                    // own number, equal to the index in the list
    std::string Text;                       // type-dependent text (gate "2", point number, label)

    bool operator==(const ElementRecord&) const = default;
};

extern std::vector<ElementRecord> gElements; // element list, entries 0..gAnzElemente; 0 unused
extern std::int16_t gAnzElemente;            // number of elements; reset by ResetElements

// Most elements a sheet holds: element numbers are 16-bit and 0 means none.
constexpr int kMaxElements = 32767;

// Tells the user (message box) that the sheet cannot take more than kMaxElements elements;
// consequence says what is refused therefore.
void ReportElementLimit(std::string_view consequence);
// True when one more element fits into the list. Otherwise the limit is reported and false
// returned: every placing asks before it changes anything and refuses without a change.
bool RoomForElement();

// The first cell of the worksheet gGrid, column by column from the left and each column from the
// top, that element n owns (for a package, its top left corner); (-1, -1) when no cell names n.
GridPoint FirstCellOfElement(std::int16_t n);

// Start-up state: no elements, the unused entry 0 alone.
void ResetElements();

// Appends a new record with the next number and returns it; the caller fills it in. Only with
// room for it (RoomForElement).
ElementRecord& AppendElement(std::uint8_t typ);

// Removes record n, moves the later records down and renumbers every reference above n: the
// records, the cells of gGrid, the clock table and the ICs placed in the circuit.
void DeleteElementRecord(int n);

} // namespace kardo
