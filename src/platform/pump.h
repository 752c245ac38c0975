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
    // Processes pending events; when there are none, sleeps until one arrives (a click, a timer
    // tick) or the clock reaches deadlineMs, whichever comes first, and processes it. Returns at
    // once when the deadline has passed. A wait loops on this until its deadline, so it holds no
    // processor while nothing happens. A pump that cannot sleep processes its events once.
    virtual void WaitForEvents(std::int64_t deadlineMs) {
        static_cast<void>(deadlineMs);
        DoEvents();
    }
    // Monotonic time in milliseconds.
    virtual std::int64_t NowMs() const = 0;
    // Lets a moment pass without processing any event (a wait that blocks input). The program's
    // pump sleeps a millisecond; the virtual pump moves its clock on without firing timers.
    virtual void Idle() {}
};

} // namespace kardo
