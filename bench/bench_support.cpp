// Scaffolding shared by the benchmarks: fake platform services and a fresh worksheet.
#include "bench_support.h"

#include "app/startup.h"
#include "files/circuit_file.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "simulation/power.h"
#include "support/builder.h"

#include <cstdio>
#include <malloc.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kardo::bench {

void Require(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(what);
}

long long ResidentBytes() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return static_cast<long long>(resident) * ::sysconf(_SC_PAGESIZE);
}

long long HeapInUse() {
    const struct mallinfo2 m = ::mallinfo2();
    return static_cast<long long>(m.uordblks + m.hblkhd);
}

long long PeakOfLoad(const std::string& path, bool& loaded) {
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        // Heap the parent freed but kept goes back first, so that the load's growth shows.
        ::malloc_trim(0);
        const long long start = ResidentBytes();
        const bool ok = LoadFile(path) == FileOutcome::Success;
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        const long long result[2] = {usage.ru_maxrss * 1024LL - start, ok ? 1 : 0};
        if (::write(fds[1], result, sizeof result) != sizeof result)
            ::_exit(1);
        ::_exit(0);
    }
    ::close(fds[1]);
    long long result[2] = {-1, 0};
    if (::read(fds[0], result, sizeof result) != sizeof result)
        result[0] = -1;
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    loaded = result[1] != 0;
    return result[0];
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

bool BenchPlatform::PictureIsAFullRedraw() {
    if (!m_pixels)
        return true;
    PixelTarget fresh(m_pixels->Width(), m_pixels->Height());
    DrawTarget* const shown = m_platform.screen;
    DrawTarget* const device = gGrafik.Device;
    m_platform.screen = gGrafik.Device = &fresh;
    RedrawAllElements(0);
    m_platform.screen = shown;
    gGrafik.Device = device;
    for (int y = 0; y < fresh.Height(); ++y)
        for (int x = 0; x < fresh.Width(); ++x)
            if (fresh.Pixel(x, y) != m_pixels->Pixel(x, y))
                return false;
    return true;
}

void BenchPlatform::PowerOn() {
    if (m_target == kNoPicture)
        m_platform.screen = nullptr;
    PowerOnOff();
}

} // namespace kardo::bench
