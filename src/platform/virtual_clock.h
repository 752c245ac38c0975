// Deterministic time for tests and benchmarks: a virtual millisecond clock whose timers fire in
// order of their due time, and a message pump that advances it and runs posted events.
#pragma once

#include "platform/pump.h"
#include "platform/timer.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace kardo {

class VirtualTimer;

class VirtualClock : public TimerService {
  public:
    VirtualClock();
    ~VirtualClock() override;
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    std::unique_ptr<Timer> CreateTimer() override;
    std::int64_t Now() const { return m_now; }
    // Moves time forward by ms, firing every timer that falls due on the way, earliest first
    // (ties in creation order). A tick handler may start, stop or create timers.
    void Advance(std::int64_t ms);
    // Moves time forward by ms without firing timers; timers that fell due fire, overdue, at the
    // next Advance.
    void Skip(std::int64_t ms) { m_now += ms; }
    // Number of enabled timers with a non-zero interval.
    int ActiveTimers() const;
    // Due time of the earliest tick of a running timer (overdue ones included), or limit when no
    // tick falls due before it.
    std::int64_t NextTickAt(std::int64_t limit) const;

  private:
    friend class VirtualTimer;
    VirtualTimer* NextDue(std::int64_t limit) const;

    std::int64_t m_now = 0;              // virtual milliseconds since creation
    std::uint64_t m_nextSerial = 0;      // creation order of timers, breaks ties
    std::vector<VirtualTimer*> m_timers; // live timers (owned by their users)
};

// Pump for tests: each DoEvents runs the posted events, then advances the clock by one step.
// WaitForEvents runs what is due at once; with nothing due it moves the clock straight on to the
// next posted action, timer tick or the deadline, whichever comes first, and runs what fell due.
class VirtualPump : public MessagePump {
  public:
    explicit VirtualPump(VirtualClock& clock, std::int64_t stepMs = 1);
    void DoEvents() override;
    void WaitForEvents(std::int64_t deadlineMs) override;
    // The clock's time; with a read cost set, the clock first moves on by that cost.
    std::int64_t NowMs() const override {
        m_clock.Skip(m_readCostMs);
        return m_clock.Now();
    }
    // Each reading of the clock (NowMs) moves it on by ms without firing timers, as if the code
    // between two readings had taken that long: work that never waits still sees time pass.
    void SetReadCost(std::int64_t ms) { m_readCostMs = ms; }
    // Advances the clock by one step without running posted events or timers.
    void Idle() override { m_clock.Skip(m_stepMs); }
    // Queues an action (a click, a key) to run at the next turn of the loop.
    void Post(std::function<void()> action);
    // Queues an action to run at the first turn of the loop at or after virtual time atMs.
    void PostAt(std::int64_t atMs, std::function<void()> action);
    // Turns of the message loop so far: DoEvents and WaitForEvents calls.
    int DoEventsCalls() const { return m_calls; }
    // WaitForEvents calls so far.
    int WaitCalls() const { return m_waits; }

  private:
    // Runs the posted actions due now; false when none was.
    bool RunDue();

    struct Timed {
        std::int64_t at;            // virtual time to run at
        std::function<void()> what; // the action
    };
    VirtualClock& m_clock;         // time source
    std::int64_t m_stepMs;         // time that passes per DoEvents
    std::deque<Timed> m_posted;    // pending actions, in posting order
    int m_calls = 0;               // DoEvents and WaitForEvents calls so far
    int m_waits = 0;               // WaitForEvents calls so far
    std::int64_t m_readCostMs = 0; // time each NowMs moves the clock on (SetReadCost)
};

} // namespace kardo
