// Scaffolding shared by the benchmarks: fake platform services and a fresh worksheet.
#include "bench_support.h"

#include "app/startup.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "simulation/power.h"
#include "support/builder.h"

#include <stdexcept>

namespace kardo::bench {

void Require(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(what);
}

int BuildGateSheet200() {
    int elements = 0;
    for (int r = 2; r <= 198; r += 4) {
        test::LayWire(1, r, 3, r);
        Require(test::PlaceSwitch(1, r) != 0, "switch");
        for (int k = 0; k < 38; ++k) {
            const int c = 4 + 5 * k;
            const std::uint8_t typ = k % 3 == 0 ? kTypeAnd : k % 3 == 1 ? kTypeOr : kTypeXor;
            Require(test::PlaceGate(typ, c, r, kRight, 2) != 0, "gate");
            if (k % 3 == 2)
                Require(test::Negate(c + 2, r), "negated output");
            FeedBothInputs(c, r, k > 0);
            ++elements;
        }
        test::LayWire(191, r, 197, r);
        Require(test::PlaceLed(197, r) != 0, "LED");
        elements += 2;
    }
    return elements;
}

void FeedBothInputs(int c, int r, bool fromPrevious) {
    if (fromPrevious)
        test::LayWire(c - 3, r, c - 1, r);
    test::LayWire(c - 1, r, c - 1, r - 1);
    test::LayWire(c - 1, r - 1, c, r - 1);
    test::LayWire(c - 1, r, c - 1, r + 1);
    test::LayWire(c - 1, r + 1, c, r + 1);
    Require(test::SetPoint(c - 1, r), "connection point");
}

int BuildGateGrid(int last) {
    int elements = 0;
    for (int r = 2; r <= last; r += 4) {
        for (int c = 2; c <= last; c += 4) {
            const int k = (c + r) / 4 % 3;
            const std::uint8_t typ = k == 0 ? kTypeAnd : k == 1 ? kTypeOr : kTypeXor;
            Require(test::PlaceGate(typ, c, r, kRight, 3) != 0, "gate");
            ++elements;
            if (c + 4 <= last) {
                test::LayWire(c + 2, r, c + 3, r - 1);
                test::LayWire(c + 3, r - 1, c + 4, r - 1);
            }
        }
    }
    return elements;
}

BenchPlatform::BenchPlatform(std::int64_t target, int w, int h)
    : m_target(target), m_pump(m_clock) {
    if (target == kPixels)
        m_pixels = std::make_unique<PixelTarget>((w + 1) * 14, (h + 1) * 14);
    m_platform.screen = target == kPixels ? static_cast<DrawTarget*>(m_pixels.get()) : &m_null;
    m_platform.printer = &m_printer;
    m_platform.timers = &m_clock;
    m_platform.pump = &m_pump;
    m_platform.host = &m_host;
    InitProgramState();
    CreateWorksheet(static_cast<std::int16_t>(w), static_cast<std::int16_t>(h));
}

BenchPlatform::~BenchPlatform() {
    m_platform.screen = m_pixels ? static_cast<DrawTarget*>(m_pixels.get()) : &m_null;
    if (gPowerOn)
        PowerOnOff();
    ResetClockTimers();
}

void BenchPlatform::PowerOn() {
    if (m_target == kNoPicture)
        m_platform.screen = nullptr;
    PowerOnOff();
}

} // namespace kardo::bench
