// Output of one byte to a parallel port address.
#pragma once

namespace kardo {

class PortOutput {
  public:
    virtual ~PortOutput() = default;
    virtual void Out32(int port, int value) = 0;
};

} // namespace kardo
