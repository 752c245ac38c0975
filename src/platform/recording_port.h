// A parallel port for tests and benchmarks: records every byte written with its address, and
// can be told to refuse the open or a write with a reason.
#pragma once

#include "platform/port_output.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kardo {

// One byte written.
struct PortWrite {
    int address = 0;        // I/O address given
    std::uint8_t value = 0; // low byte written
    bool operator==(const PortWrite&) const = default;
};

class RecordingPort : public PortOutput {
  public:
    bool Open(int address) override;
    bool Out32(int port, int value) override;
    void Close() override;
    bool IsOpen() const override { return m_open; }
    std::string Device() const override { return device; }
    std::string Reason() const override { return m_reason; }

    std::vector<PortWrite> writes;        // every byte written, in order
    int opens = 0;                        // calls of Open, successful or not
    int closes = 0;                       // releases of an open port
    std::string device = "/dev/parport0"; // device reported
    std::string refuseOpen;               // when not empty, Open fails with this reason
    int failWriteAfter = -1;     // when >= 0, writes beyond that many fail ("Schreibfehler")
    bool recordOnly = false;     // writes are counted, not kept (benchmarks)
    std::int64_t writeCount = 0; // bytes written successfully

  private:
    bool m_open = false;  // between a successful Open and Close
    std::string m_reason; // last failure
};

} // namespace kardo
