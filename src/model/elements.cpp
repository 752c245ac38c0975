// Element list and pin lists.
#include "model/elements.h"

#include "model/clock_tables.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "platform/platform.h"

#include <cassert>
#include <charconv>

namespace kardo {

std::vector<ElementRecord> gElements(1);
std::int16_t gAnzElemente = 0;

void ResetElements() {
    gElements.assign(1, ElementRecord{});
    gAnzElemente = 0;
}

namespace {

// Leading integer of a text: blanks skipped, optional sign, digits.
int LeadingInt(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    int value = 0;
    const char* first = s.data() + i;
    const char* last = s.data() + s.size();
    if (first < last && *first == '+')
        ++first;
    std::from_chars(first, last, value);
    return value;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace

void ParsePinList(std::string_view text, std::vector<GridPoint>& out) {
    out.clear();
    text = Trim(text);
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ':')
            continue;
        std::string_view token = text.substr(start, i - start);
        start = i + 1;
        GridPoint p;
        const std::size_t yPos = token.find('Y');
        if (yPos == std::string_view::npos) {
            p.x = static_cast<std::int16_t>(LeadingInt(token.size() > 1 ? token.substr(1) : ""));
        } else {
            p.x = static_cast<std::int16_t>(LeadingInt(yPos > 1 ? token.substr(1, yPos - 1) : ""));
            p.y = static_cast<std::int16_t>(LeadingInt(token.substr(yPos + 1)));
        }
        out.push_back(p);
    }
}

void PinList::Assign(std::string text) {
    m_text = std::move(text);
    ParsePinList(m_text, m_points);
}

PinList& PinList::operator+=(std::string_view more) {
    m_text += more;
    ParsePinList(m_text, m_points);
    return *this;
}

std::string PinEntry(int x, int y) {
    return "X" + std::to_string(x) + "Y" + std::to_string(y) + ":";
}

void ReportElementLimit(std::string_view consequence) {
    Host().MessageBox("Eine Schaltung kann höchstens " + std::to_string(kMaxElements) +
                          " Elemente enthalten.\r\n" + std::string(consequence),
                      MsgButtons::Ok, MsgIcon::Exclamation, "Kardo Meldung");
}

bool RoomForElement() {
    if (gAnzElemente < kMaxElements)
        return true;
    ReportElementLimit("Es kann kein weiteres Element gesetzt werden.");
    return false;
}

GridPoint FirstCellOfElement(std::int16_t n) {
    for (int x = 0; x <= gFeldBreite; ++x)
        for (int y = 0; y <= gFeldHoehe; ++y)
            if (gGrid(x, y).ElementNr == n)
                return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
    return {-1, -1};
}

ElementRecord& AppendElement(std::uint8_t typ) {
    // Past the limit the 16-bit count would wrap.
    assert(gAnzElemente < kMaxElements);
    ++gAnzElemente;
    gElements.resize(static_cast<std::size_t>(gAnzElemente) + 1);
    ElementRecord& e = gElements.back();
    e = ElementRecord{};
    e.Typ = typ;
    e.Nr = gAnzElemente;
    return e;
}

void DeleteElementRecord(int n) {
    assert(n >= 1 && n <= gAnzElemente);
    const std::uint8_t removedType = gElements[static_cast<std::size_t>(n)].Typ;
    for (int i = n; i < gAnzElemente; ++i) {
        ElementRecord& moved = gElements[static_cast<std::size_t>(i)];
        moved = std::move(gElements[static_cast<std::size_t>(i) + 1]);
        moved.Nr = static_cast<std::int16_t>(moved.Nr - 1);
        // A clock below which another element is removed keeps its table entry in step; the
        // removal of a clock itself renumbers the table when the clock is unloaded.
        if (moved.Typ == kTypeClock && removedType != kTypeClock) {
            for (auto& nr : gTaktElement) {
                if (nr == i + 1) {
                    nr = static_cast<std::int16_t>(i);
                    break;
                }
            }
        }
    }
    --gAnzElemente;
    gElements.resize(static_cast<std::size_t>(gAnzElemente) + 1);

    for (int y = 0; y <= gFeldHoehe; ++y) {
        for (int x = 0; x <= gFeldBreite; ++x) {
            CellRecord& c = gGrid(x, y);
            if (c.ElementNr > n)
                --c.ElementNr;
        }
    }
    for (int i = 1; i <= gICInstanceMax && i < static_cast<int>(gICInstances.size()); ++i) {
        ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(i)];
        if (ic.Tiefe == 0 && ic.ElementNr > n)
            --ic.ElementNr;
    }
}

} // namespace kardo
