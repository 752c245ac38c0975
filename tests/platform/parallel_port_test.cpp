// The Linux parallel port on stand-in folders: the driver's list names the ports, the device
// folder holds what they open. A missing device and /dev/null (no parallel port behind it) are
// refused with a reason, and no descriptor is left open.
#include "platform/parallel_port.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

namespace fs = std::filesystem;

int OpenDescriptors() {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

class ParallelPortTest : public ::testing::Test {
  protected:
    ParallelPortTest() {
        std::string pattern = (fs::temp_directory_path() / "kardo-port-XXXXXX").string();
        root = mkdtemp(pattern.data());
        fs::create_directories(root / "proc");
        fs::create_directories(root / "dev");
    }
    ~ParallelPortTest() override { fs::remove_all(root); }

    // A port parportN of the driver's list with that base address.
    void ListPort(int n, const std::string& baseAddr) {
        const fs::path dir = root / "proc" / ("parport" + std::to_string(n));
        fs::create_directories(dir);
        std::ofstream(dir / "base-addr") << baseAddr << "\n";
    }
    LinuxParallelPort Port() const {
        return LinuxParallelPort((root / "proc").string(), (root / "dev").string());
    }
    std::string Dev(int n) const {
        return (root / "dev" / ("parport" + std::to_string(n))).string();
    }

    fs::path root; // stand-in for /proc/sys/dev/parport and /dev
};

TEST_F(ParallelPortTest, NoDriverListMeansNoPort) {
    LinuxParallelPort port((root / "missing").string(), (root / "dev").string());
    const int before = OpenDescriptors();
    EXPECT_FALSE(port.Open(888));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Device(), "");
    EXPECT_NE(port.Reason().find("parport_pc"), std::string::npos) << port.Reason();
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(ParallelPortTest, TheDeviceIsChosenByItsBaseAddress) {
    ListPort(0, "956\t1980");
    ListPort(1, "888\t1912");
    ListPort(2, "632\t-1");
    LinuxParallelPort port = Port();
    EXPECT_EQ(port.FindDevice(888), Dev(1));
    EXPECT_EQ(port.FindDevice(632), Dev(2));
    EXPECT_EQ(port.FindDevice(0xFFFF), "");
    EXPECT_EQ(port.Reason(), "Das System meldet keinen Parallelport mit dieser Adresse");
}

TEST_F(ParallelPortTest, AMissingDeviceFileIsReportedWithItsPath) {
    ListPort(0, "888\t1912");
    LinuxParallelPort port = Port();
    const int before = OpenDescriptors();
    EXPECT_FALSE(port.Open(888));
    EXPECT_EQ(port.Device(), Dev(0));
    EXPECT_EQ(port.Reason(), "Die Gerätedatei fehlt (ist das Modul ppdev geladen?)");
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(ParallelPortTest, ADeviceThatIsNoParallelPortIsClosedAgain) {
    ListPort(0, "888\t1912");
    fs::create_symlink("/dev/null", Dev(0));
    LinuxParallelPort port = Port();
    const int before = OpenDescriptors();
    EXPECT_FALSE(port.Open(888));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Device(), Dev(0));
    EXPECT_EQ(port.Reason(), "Die Gerätedatei ist kein Parallelport");
    EXPECT_EQ(OpenDescriptors(), before);
    EXPECT_FALSE(port.Out32(888, 1)) << "nothing is written to a port that is not open";
    port.Close();
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(ParallelPortTest, AnUnreadableBaseAddressMatchesNothing) {
    ListPort(0, "");
    ListPort(3, "oops");
    LinuxParallelPort port = Port();
    EXPECT_FALSE(port.Open(888));
    EXPECT_EQ(port.Device(), "");
}

} // namespace
} // namespace kardo
