// Parallel-port output of analysis points 1 to 8 through a recording port: the byte, the 30 ms
// timer on the virtual clock, switching off, a disabled output and a port that cannot be used.
#include "app/settings.h"
#include "circuit_test_util.h"
#include "model/clocks.h"
#include "platform/recording_port.h"
#include "simulation/analysis.h"
#include "simulation/port_access.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class PortAccessTest : public test::CircuitFixture {
  protected:
    PortAccessTest() {
        platform.port = &port;
        gPortAccess.SetEnabled(true);
    }
    // Switches at (2, y) for y = 1, 3, 5, ..., each with a wire to (12, y) carrying analysis
    // point k (k = 1, 2, ...) at (6, y).
    void Points(int count) {
        for (int k = 1; k <= count; ++k) {
            const int y = 2 * k - 1;
            test::SwitchLine(2, y, 12);
            ASSERT_NE(test::PlaceAnalysisPoint(6, y), 0) << k;
        }
    }
    void Toggle(int point) { Click(2, 2 * point - 1); }
    std::vector<int> Bytes() const {
        std::vector<int> out;
        for (const PortWrite& w : port.writes)
            out.push_back(w.value);
        return out;
    }
    bool TimerRunning() const { return gTimPort && gTimPort->Enabled(); }

    RecordingPort port; // the parallel port
};

TEST_F(PortAccessTest, PointsOneAndThreeHighGiveFive) {
    Points(3);
    PowerOn();
    EXPECT_EQ(port.opens, 1);
    Toggle(1);
    Toggle(3);
    ASSERT_FALSE(port.writes.empty());
    EXPECT_EQ(port.writes.back(), (PortWrite{888, 5}));
    EXPECT_EQ(gAnalyseWerte[0], kTrue);
    EXPECT_EQ(gAnalyseWerte[1], 0);
    EXPECT_EQ(gAnalyseWerte[2], kTrue);
    EXPECT_EQ(Bytes(), (std::vector<int>{1, 5})) << "one write per change";
}

TEST_F(PortAccessTest, TheAddressComesFromThePortSettings) {
    gPortAccessPortAddress = 0x278;
    EXPECT_EQ(gPortAccess.PortAddress(), 0x278);
    gPortAccess.SetPortAddress(0xD010);
    EXPECT_EQ(gPortAccessPortAddress, 0xD010);
    gPortAccessEnabled = false;
    EXPECT_FALSE(gPortAccess.Enabled());
    gPortAccess.SetEnabled(true);
    EXPECT_TRUE(gPortAccessEnabled);
    Points(1);
    PowerOn();
    Toggle(1);
    EXPECT_EQ(port.writes.back(), (PortWrite{0xD010, 1}));
}

TEST_F(PortAccessTest, PointNineNeverReachesThePort) {
    Points(9);
    PowerOn();
    Toggle(9);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(gAnalyseWerte, (std::array<std::int16_t, 8>{}));
    Toggle(8);
    EXPECT_EQ(Bytes(), (std::vector<int>{128}));
    clock.Advance(30);
    EXPECT_EQ(Bytes(), (std::vector<int>{128, 128}));
}

TEST_F(PortAccessTest, TheTimerWritesEveryThirtyMillisecondsEvenWithoutAChange) {
    Points(2);
    PowerOn();
    Toggle(2);
    port.writes.clear();
    clock.Advance(90);
    EXPECT_EQ(Bytes(), (std::vector<int>{2, 2, 2}));
}

TEST_F(PortAccessTest, SwitchingOffWritesZeroBeforeTheTimerStops) {
    Points(2);
    PowerOn();
    Toggle(1);
    Toggle(2);
    ASSERT_TRUE(TimerRunning());
    port.writes.clear();
    PowerOff();
    EXPECT_EQ(Bytes(), (std::vector<int>{0}));
    EXPECT_FALSE(TimerRunning());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.closes, 1);
    EXPECT_EQ(gAnalyseWerte, (std::array<std::int16_t, 8>{}));
    clock.Advance(300);
    EXPECT_EQ(Bytes(), (std::vector<int>{0})) << "nothing after the switch-off";
}

TEST_F(PortAccessTest, DisabledOutputTouchesNoPortAtAll) {
    gPortAccess.SetEnabled(false);
    Points(2);
    PowerOn();
    Toggle(1);
    clock.Advance(100);
    PowerOff();
    EXPECT_EQ(port.opens, 0);
    EXPECT_EQ(port.closes, 0);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_FALSE(TimerRunning());
    EXPECT_EQ(gAnalyseWerte[0], 0) << "cleared at the switch-off";
}

TEST_F(PortAccessTest, APortThatCannotBeOpenedIsReportedOnceAndNeverRetried) {
    port.refuseOpen = "Die Gerätedatei fehlt (ist das Modul ppdev geladen?)";
    Points(1);
    PowerOn();
    ASSERT_EQ(host.messages.size(), 1u);
    const test::ShownMessage& m = host.messages[0];
    EXPECT_EQ(m.title, "Parallelport");
    EXPECT_NE(m.text.find("378h"), std::string::npos);
    EXPECT_NE(m.text.find("/dev/parport0"), std::string::npos);
    EXPECT_NE(m.text.find("ppdev"), std::string::npos);
    EXPECT_NE(m.text.find("Die Simulation läuft ohne Portausgabe."), std::string::npos);
    EXPECT_EQ(host.statusTexts[2],
              "Ohne Portausgabe (378h): Die Gerätedatei fehlt (ist das Modul ppdev geladen?)");
    EXPECT_FALSE(TimerRunning());
    Toggle(1);
    clock.Advance(300);
    EXPECT_EQ(port.opens, 1);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(gLevels[0].Feld(6, 1).Pegel, kTrue) << "the circuit runs on";

    PowerOff();
    host.statusTexts[2].clear();
    PowerOn();
    EXPECT_EQ(host.messages.size(), 1u) << "one message per run of the program";
    EXPECT_EQ(port.opens, 2) << "every power-on tries again";
    EXPECT_NE(host.statusTexts[2].find("Ohne Portausgabe"), std::string::npos);
}

TEST_F(PortAccessTest, AFailingWriteEndsOutputForThisPowerOn) {
    port.failWriteAfter = 1;
    Points(2);
    PowerOn();
    Toggle(1); // written
    Toggle(2); // fails
    EXPECT_EQ(Bytes(), (std::vector<int>{1}));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(TimerRunning());
    EXPECT_EQ(host.statusTexts[2], "Ohne Portausgabe (378h): Schreibfehler");
    EXPECT_TRUE(gPortAccess.HasProblem());
    EXPECT_TRUE(host.messages.empty()) << "no message box in the middle of a run";
    clock.Advance(300);
    Toggle(1);
    EXPECT_EQ(port.writeCount, 1);
}

TEST_F(PortAccessTest, WithoutAPortServiceTheCircuitRunsWithoutOutput) {
    platform.port = nullptr;
    Points(1);
    PowerOn();
    Toggle(1);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("keines gefunden"), std::string::npos);
    EXPECT_FALSE(TimerRunning());
}

TEST_F(PortAccessTest, AddressesAreShownInHexadecimal) {
    EXPECT_EQ(PortAddressHex(888), "378h");
    EXPECT_EQ(PortAddressHex(0x3BC), "3BCh");
    EXPECT_EQ(PortAddressHex(0xFFFF), "FFFFh");
}

} // namespace
} // namespace kardo
