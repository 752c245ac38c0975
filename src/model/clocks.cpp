// The clock timer array and the clock-table operations that keep the tables, the timers and
// the element list in step: taking a clock away with its kept text and bringing it back.
#include "model/clocks.h"

#include "model/clock_tables.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/number_text.h"
#include "platform/platform.h"

#include <algorithm>
#include <string>

namespace kardo {

std::unique_ptr<TimerArray> gTimer2;

TimerArray& Timer2() {
    if (!gTimer2)
        gTimer2 = std::make_unique<TimerArray>(Timers());
    return *gTimer2;
}

std::unique_ptr<Timer> gTimer1;

Timer& Timer1() {
    if (!gTimer1) {
        gTimer1 = Timers().CreateTimer();
        gTimer1->SetInterval(1);
    }
    return *gTimer1;
}

std::unique_ptr<Timer> gTimPort;

Timer& TimPort() {
    if (!gTimPort) {
        gTimPort = Timers().CreateTimer();
        gTimPort->SetInterval(30);
    }
    return *gTimPort;
}

void ResetClockTimers() {
    gTimer2.reset();
    gTimer1.reset();
    gTimPort.reset();
}

namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// Copies every table entry from index `from` to index `to`, and the timer's interval.
void CopyClockEntry(int from, int to) {
    gTaktElement[At(to)] = gTaktElement[At(from)];
    gTaktZeit1[At(to)] = gTaktZeit1[At(from)];
    gTaktZeit0[At(to)] = gTaktZeit0[At(from)];
    gTaktLink[At(to)] = gTaktLink[At(from)];
    gAnzTakte[At(to)] = gAnzTakte[At(from)];
    gTaktZaehler[At(to)] = gTaktZaehler[At(from)];
    gTaktAusgang[At(to)] = gTaktAusgang[At(from)];
    Timer2()[to].SetInterval(Timer2()[from].Interval());
}

bool IsClockRecord(int elementNr) {
    return elementNr >= 1 && elementNr <= gAnzElemente &&
           gElements[At(elementNr)].Typ == kTypeClock;
}

// The seven fields of the kept clock text, each closed by ";".
std::string KeptClockText(int i) {
    std::string text;
    const auto add = [&text](const std::string& field) { text += field + ";"; };
    add(CStrTrim(i));
    add(CStrTrim(static_cast<int>(gTaktZeit1[At(i)])));
    add(CStrTrim(static_cast<int>(gTaktZeit0[At(i)])));
    add(CStrTrim(gTaktLink[At(i)] != 0));
    add(CStrTrim(static_cast<int>(gAnzTakte[At(i)])));
    add(CStrTrim(gTaktAusgang[At(i)] != 0));
    add(CStrTrim(Timer2()[i].Interval()));
    return text;
}

} // namespace

int ClockIndexOf(int elementNr) {
    // Only entries of existing clocks count: entry 0 keeps its last element number after the
    // only clock was removed.
    const int n = std::min({Timer2().UBound(), static_cast<int>(gTaktElement.size()) - 1,
                            static_cast<int>(gAnzTaktgeber) - 1});
    for (int i = 0; i <= n; ++i) {
        if (gTaktElement[At(i)] == elementNr)
            return i;
    }
    return -1;
}

void UnloadTimer(std::int16_t& clockNr) {
    TimerArray& timers = Timer2();
    const int i = clockNr;
    const int n = timers.UBound();
    if (i < 0 || i > n || i >= static_cast<int>(gTaktElement.size()))
        return;

    const int elementNr = gTaktElement[At(i)];
    if (IsClockRecord(elementNr))
        gElements[At(elementNr)].Text = KeptClockText(i);

    if (timers.Count() > 1) {
        // The removed clock's record is deleted next, so every later clock's element moves down.
        for (int j = i; j < n; ++j) {
            CopyClockEntry(j + 1, j);
            gTaktElement[At(j)] = static_cast<std::int16_t>(gTaktElement[At(j)] - 1);
        }
        timers.UnloadLast();
        ResizeClockTables(n - 1);
    }
    // A pending edge belongs to the clock that raised it: the removed clock's flag goes, and the
    // flags of the later clocks move down with their entries.
    if (static_cast<std::size_t>(i) < gTaktFlag.size()) {
        if (timers.Count() < n + 1)
            gTaktFlag.erase(gTaktFlag.begin() + i);
        else
            gTaktFlag[At(i)] = 0;
    }
    gAktTakt = 0;
    if (gAnzTaktgeber > 0)
        --gAnzTaktgeber;
}

void LoadTimer(std::int16_t& elementNr) {
    const int e = elementNr;
    if (!IsClockRecord(e))
        return;
    ElementRecord& rec = gElements[At(e)];
    std::string fields[7];
    for (int f = 0; f < 7; ++f) {
        fields[f] = GetNextToken(rec.Text, f + 1);
        // Only UnloadTimer writes the kept text, so a record without it still has its entry:
        // loading it again would duplicate that clock.
        if (fields[f].empty())
            return;
    }
    if (gAnzTaktgeber >= kMaxClocks)
        return;

    TimerArray& timers = Timer2();
    if (gAnzTaktgeber != 0)
        timers.LoadNext();
    const int n = timers.UBound();
    ResizeClockTables(n);
    // The undo history has re-inserted the record at e, so every clock's element from e on
    // moved up. The clock returns to its place in element order, where the kept index put it
    // while the table was in step; after a tri-state gate (which records no undo step) lowered
    // numbers, the kept index may no longer be that place.
    for (int j = 0; j < n; ++j)
        if (gTaktElement[At(j)] >= e)
            ++gTaktElement[At(j)];
    int i = 0;
    while (i < n && gTaktElement[At(i)] < e)
        ++i;
    for (int j = n - 1; j >= i; --j)
        CopyClockEntry(j, j + 1);
    // The flags of the later clocks move up with their entries; the returning clock has no
    // edge pending.
    if (static_cast<std::size_t>(i) < gTaktFlag.size())
        gTaktFlag.insert(gTaktFlag.begin() + i, 0);
    gTaktElement[At(i)] = static_cast<std::int16_t>(e);
    gTaktZeit1[At(i)] = RoundToInt16(Val(fields[1]));
    gTaktZeit0[At(i)] = RoundToInt16(Val(fields[2]));
    gTaktLink[At(i)] = TruthValue(RoundToInt16(Val(fields[3])) != 0);
    gAnzTakte[At(i)] = RoundToByte(Val(fields[4]));
    gTaktAusgang[At(i)] = TruthValue(RoundToInt16(Val(fields[5])) != 0);
    // The burst counter copied up belongs to the clock now at i + 1; this clock is not running.
    gTaktZaehler[At(i)] = 0;
    timers[i].SetInterval(RoundToInt16(Val(fields[6])));
    ++gAnzTaktgeber;
    // The kept text lives only while the record is held by the undo history.
    rec.Text.clear();
}

void RenumberClockElements() {
    int clocks = 0;
    for (int e = 1; e <= gAnzElemente; ++e) {
        if (gElements[At(e)].Typ == kTypeClock)
            ++clocks;
    }
    if (clocks != gAnzTaktgeber || clocks == 0 || clocks > static_cast<int>(gTaktElement.size()))
        return;
    int k = 0;
    for (int e = 1; e <= gAnzElemente; ++e) {
        if (gElements[At(e)].Typ == kTypeClock)
            gTaktElement[At(k++)] = static_cast<std::int16_t>(e);
    }
}

} // namespace kardo
