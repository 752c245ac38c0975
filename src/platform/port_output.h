// Output of the analysis-point byte to a parallel port: the port is claimed at power-on, written
// one byte at a time while the circuit runs, and released at power-off.
#pragma once

#include <string>

namespace kardo {

class PortOutput {
  public:
    virtual ~PortOutput() = default;
    // Claims the port at the I/O address for output. False when no port can be used there;
    // Device() and Reason() then name the device tried and the cause.
    virtual bool Open(int address) = 0;
    // Writes the low byte of value to the port opened for address port; false when the write
    // failed (Reason() says why) or no port is open.
    virtual bool Out32(int port, int value) = 0;
    // Releases the port; does nothing when none is open.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // The device file the last Open tried ("/dev/parport0"); empty when none was found.
    virtual std::string Device() const = 0;
    // Why the last Open or Out32 failed, in German; empty after success.
    virtual std::string Reason() const = 0;
};

} // namespace kardo
