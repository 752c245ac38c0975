// The parallel port of a Linux machine through the ppdev driver: the port whose base address
// matches is found in /proc/sys/dev/parport, its /dev/parportN claimed at power-on, written with
// PPWDATA and released at power-off.
#pragma once

#include "platform/port_output.h"

#include <string>

namespace kardo {

class LinuxParallelPort : public PortOutput {
  public:
    // procDir lists the ports of the parport driver, one folder parportN each with a file
    // base-addr; devDir holds the device files parportN of ppdev.
    explicit LinuxParallelPort(std::string procDir = "/proc/sys/dev/parport",
                               std::string devDir = "/dev");
    ~LinuxParallelPort() override;
    LinuxParallelPort(const LinuxParallelPort&) = delete;
    LinuxParallelPort& operator=(const LinuxParallelPort&) = delete;

    bool Open(int address) override;
    bool Out32(int port, int value) override;
    void Close() override;
    bool IsOpen() const override { return m_fd >= 0; }
    std::string Device() const override { return m_device; }
    std::string Reason() const override { return m_reason; }

    // The device file of the port with that base address, by the driver's list; empty when the
    // driver lists none (m_reason then says why).
    std::string FindDevice(int address);

  private:
    // Closes the descriptor after a failed step, keeping the reason.
    bool Fail(std::string reason);

    std::string m_procDir;  // list of the parport driver
    std::string m_devDir;   // folder of the device files
    int m_fd = -1;          // open device, -1 none
    bool m_claimed = false; // PPCLAIM succeeded on m_fd
    std::string m_device;   // device file of the last Open
    std::string m_reason;   // last failure, German
};

} // namespace kardo
