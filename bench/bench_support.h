// Scaffolding shared by the benchmarks: fake platform services around a fresh worksheet, with a
// choice of worksheet picture, and the check that stops a benchmark whose set-up went wrong.
#pragma once

#include "pixel_target.h"
#include "platform/platform.h"
#include "platform/recording_target.h"
#include "platform/virtual_clock.h"
#include "support/fake_host.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kardo::bench {

// Throws with what unless ok: a benchmark must not time a circuit that was not built.
void Require(bool ok, const char* what);

// Resident memory of this process now, in bytes.
long long ResidentBytes();
// Bytes of heap in use now (malloc's arenas and its mapped blocks).
long long HeapInUse();
// Loads path with LoadFile in a child process; the peak resident memory the load added, or -1.
// loaded tells whether the load succeeded.
long long PeakOfLoad(const std::string& path, bool& loaded);

// Feeds both inputs of the two-input gate at column c, row r (inputs at rows r - 1 and r + 1)
// from the row wire through a connection point at (c - 1, r); with fromPrevious the row wire
// first comes from the output of the gate five columns before, at column c - 3.
void FeedBothInputs(int c, int r, bool fromPrevious);

// A headless worksheet picture that counts the drawing calls made on it.
class CountingTarget : public NullTarget {
  public:
    void Line(double, double, double, double, Color, LineKind) override { ++m_calls; }
    void Circle(double, double, double, Color) override { ++m_calls; }
    void PSet(double, double, Color) override { ++m_calls; }
    void Print(std::string_view) override { ++m_calls; }
    void Polyline(std::span<const PolyPoint>) override { ++m_calls; }
    void Polygon(std::span<const PolyPoint>) override { ++m_calls; }
    void SetPixel(int, int, Color) override { ++m_calls; }
    std::int64_t Calls() const { return m_calls; }

  private:
    std::int64_t m_calls = 0; // drawing calls so far
};

// Fills the 200 x 200 sheet: rows of two-input gates fed by a switch, each input joined by a
// point to the row wire, every third output negated, an LED at the end of each row. Returns the
// number of elements placed.
int BuildGateSheet200();

// Three-input gates (AND, OR, XOR in turn) four cells apart in columns and rows 2 .. last, each
// output wired round the corner to the first input of the next gate in its row; returns the
// number of gates. Row r + 2 of each gate row stays free.
int BuildGateGrid(int last);

// The worksheet picture of a benchmark, given as its argument.
inline constexpr std::int64_t kHeadless = 0;  // draws nothing; every drawing call is still made
inline constexpr std::int64_t kPixels = 1;    // an in-memory picture of the whole sheet
inline constexpr std::int64_t kNoPicture = 2; // headless while building, none once switched on

// Fake platform services installed for one benchmark (program state reset) and a fresh
// worksheet of w x h cells. The destructor switches off a circuit left on.
class BenchPlatform {
  public:
    BenchPlatform(std::int64_t target, int w, int h);
    ~BenchPlatform();
    BenchPlatform(const BenchPlatform&) = delete;
    BenchPlatform& operator=(const BenchPlatform&) = delete;

    // Switches on; with kNoPicture the worksheet picture goes away first (the circuit was built
    // and drawn on the headless one).
    void PowerOn();
    // How often a wait let window events run.
    int DoEventsCalls() const { return m_pump.DoEventsCalls(); }
    // Drawing calls made on the headless picture so far.
    std::int64_t DrawCalls() const { return m_null.Calls(); }
    // The stand-in main window, with the messages shown.
    const test::FakeHost& Window() const { return m_host; }
    // With the pixel picture: it equals a full redraw of the worksheet into a fresh picture.
    // Always true for the other pictures, which keep no pixels.
    bool PictureIsAFullRedraw();

  private:
    std::int64_t m_target;                 // kHeadless, kPixels or kNoPicture
    CountingTarget m_null;                 // headless worksheet picture
    std::unique_ptr<PixelTarget> m_pixels; // drawn worksheet picture (kPixels only)
    NullTarget m_printer{DeviceKind::Printer};
    VirtualClock m_clock; // clock timers
    VirtualPump m_pump;   // waits
    test::FakeHost m_host;
    Platform m_platform;
    PlatformScope m_scope{m_platform};
};

} // namespace kardo::bench
