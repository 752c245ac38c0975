// Benchmarks of the IC-definition mode on the 200 x 200 sheet full of gates, switches, LEDs,
// wires and points, with eight pins named on wire ends and laid out on a 7 x 4 package: saving
// the definition (its checks, the box, the text and the atomic write) and reopening it (reading,
// checks, the swap and entering the mode). Target: each under 50 ms.
#include "app/main_state.h"
#include "app/settings.h"
#include "bench_support.h"
#include "files/circuit_file.h"
#include "files/ic_definition_file.h"
#include "files/ic_size.h"
#include "ic/ic_definition_mode.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/utilities.h"
#include "support/builder.h"
#include "support/circuit_files.h"

#include <string>

#include <benchmark/benchmark.h>

namespace kardo::bench {
namespace {

class ICDefinitionBenchEnv {
  public:
    ICDefinitionBenchEnv() {
        gVerzeichnisse[1] = m_dir.Path() + "/";
        m_elements = BuildGateSheet200();
        // Short wires in the free rows between the gate rows: their ends become the pins.
        mDefIC_Click();
        SetICDefinitionName("Voll");
        for (int i = 0; i < 4; ++i) {
            const int r = 4 + 40 * i;
            test::LayWire(1, r, 3, r);
            Name(1, r, "E" + std::to_string(i), 0, i);
            Name(3, r, "A" + std::to_string(i), 7, i);
        }
    }
    std::string File() const { return m_dir.File("Voll.icd"); }
    int Elements() const { return m_elements; }
    test::FakeHost& Host() { return *static_cast<test::FakeHost*>(gPlatform->host); }

  private:
    void Name(int x, int y, const std::string& name, int a, int b) {
        gMouseMode = kToolICView;
        gCursorX = static_cast<std::int16_t>(x);
        gCursorY = static_cast<std::int16_t>(y);
        Host().pinNameAnswers.push_back(name);
        CreateICAnschluss();
        std::string reason;
        Require(PlaceICPin(gAnzICAnschluesse, a, b, reason), "pin place");
    }

    BenchPlatform m_platform{kHeadless, 200, 200}; // services and the empty sheet
    test::TempDir m_dir;                           // the IC folder
    int m_elements = 0;                            // elements placed
};

void BM_SaveICDefinition200(benchmark::State& state) {
    ICDefinitionBenchEnv env;
    for (auto _ : state) {
        if (!SaveICDefinition())
            state.SkipWithError("save refused");
        env.Host().messages.clear();
    }
    state.counters["elements"] = env.Elements();
    state.counters["bytes"] = static_cast<double>(test::ReadBytes(env.File()).size());
}
BENCHMARK(BM_SaveICDefinition200)->Unit(benchmark::kMillisecond);

void BM_ReopenICDefinition200(benchmark::State& state) {
    ICDefinitionBenchEnv env;
    if (!SaveICDefinition())
        state.SkipWithError("save refused");
    for (auto _ : state) {
        if (LoadFile(env.File()) != FileOutcome::Success || gAnzElemente != env.Elements() ||
            gMouseMode != kToolICView || gAnzICAnschluesse != 8)
            state.SkipWithError("reopen failed");
    }
    state.counters["elements"] = env.Elements();
}
BENCHMARK(BM_ReopenICDefinition200)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kardo::bench
