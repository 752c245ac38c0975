// The message pump behind timed waits: lets pending window events and timers run, and reads a
// monotonic millisecond clock.
#pragma once

#include <cstdint>

namespace kardo {

class MessagePump {
  public:
    virtual ~MessagePump() = default;
    // Processes pending events (clicks, timer ticks) once and returns.
    virtual void DoEvents() = 0;
    // Monotonic time in milliseconds.
    virtual std::int64_t NowMs() const = 0;
    // Lets a moment pass without processing any event (a wait that blocks input). A real clock
    // moves on by itself; the virtual pump moves its clock on without firing timers.
    virtual void Idle() {}
};

} // namespace kardo
