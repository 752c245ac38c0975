// Clock tables.
#include "model/clock_tables.h"

namespace kardo {

std::vector<std::int16_t> gTaktElement;
std::vector<std::int16_t> gTaktZeit1;
std::vector<std::int16_t> gTaktZeit0;
std::vector<std::int16_t> gTaktLink;
std::vector<std::uint8_t> gAnzTakte;
std::vector<std::uint8_t> gTaktZaehler;
std::vector<std::int16_t> gTaktAusgang;
std::vector<std::int16_t> gTaktFlag;
std::uint8_t gAnzTaktgeber = 0;
std::int16_t gAktTakt = 0;

void ResizeClockTables(int ub) {
    const auto n = static_cast<std::size_t>(ub) + 1;
    gTaktElement.resize(n);
    gTaktZeit1.resize(n);
    gTaktZeit0.resize(n);
    gTaktLink.resize(n);
    gAnzTakte.resize(n);
    gTaktZaehler.resize(n);
    gTaktAusgang.resize(n);
}

void ResetClockTables() {
    gTaktElement.assign(1, 0);
    gTaktZeit1.assign(1, 500);
    gTaktZeit0.assign(1, 500);
    gTaktLink.assign(1, -1);
    gAnzTakte.assign(1, 1);
    gTaktZaehler.assign(1, 0);
    gTaktAusgang.assign(1, 0);
    gTaktFlag.clear();
    gAnzTaktgeber = 0;
    gAktTakt = 0;
}

} // namespace kardo
