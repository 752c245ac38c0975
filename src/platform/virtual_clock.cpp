// Virtual clock and pump.
#include "platform/virtual_clock.h"

#include <algorithm>

namespace kardo {

class VirtualTimer : public Timer {
  public:
    VirtualTimer(VirtualClock& clock, std::uint64_t serial) : m_clock(clock), m_serial(serial) {
        m_clock.m_timers.push_back(this);
    }
    ~VirtualTimer() override {
        auto& v = m_clock.m_timers;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    void SetEnabled(bool enabled) override {
        if (enabled && !m_enabled)
            m_due = m_clock.m_now + m_interval;
        m_enabled = enabled;
    }
    bool Enabled() const override { return m_enabled; }
    void SetInterval(int ms) override {
        m_interval = ms < 0 ? 0 : ms;
        m_due = m_clock.m_now + m_interval;
    }
    int Interval() const override { return m_interval; }
    bool Active() const { return m_enabled && m_interval > 0; }

    VirtualClock& m_clock;  // owner of the time line
    std::uint64_t m_serial; // creation order
    bool m_enabled = false; // ticking
    int m_interval = 0;     // ms between ticks
    std::int64_t m_due = 0; // time of the next tick

    void Tick() {
        m_due += m_interval;
        Fire();
    }
};

VirtualClock::VirtualClock() = default;
VirtualClock::~VirtualClock() = default;

std::unique_ptr<Timer> VirtualClock::CreateTimer() {
    return std::make_unique<VirtualTimer>(*this, m_nextSerial++);
}

VirtualTimer* VirtualClock::NextDue(std::int64_t limit) const {
    VirtualTimer* best = nullptr;
    for (VirtualTimer* t : m_timers) {
        if (!t->Active() || t->m_due > limit)
            continue;
        if (!best || t->m_due < best->m_due ||
            (t->m_due == best->m_due && t->m_serial < best->m_serial))
            best = t;
    }
    return best;
}

void VirtualClock::Advance(std::int64_t ms) {
    const std::int64_t end = m_now + ms;
    while (VirtualTimer* t = NextDue(end)) {
        m_now = std::max(m_now, t->m_due);
        t->Tick();
    }
    m_now = end;
}

int VirtualClock::ActiveTimers() const {
    return static_cast<int>(std::count_if(m_timers.begin(), m_timers.end(),
                                          [](const VirtualTimer* t) { return t->Active(); }));
}

std::int64_t VirtualClock::NextTickAt(std::int64_t limit) const {
    const VirtualTimer* t = NextDue(limit);
    return t ? t->m_due : limit;
}

VirtualPump::VirtualPump(VirtualClock& clock, std::int64_t stepMs)
    : m_clock(clock), m_stepMs(stepMs) {}

void VirtualPump::DoEvents() {
    ++m_calls;
    RunDue();
    m_clock.Advance(m_stepMs);
}

void VirtualPump::WaitForEvents(std::int64_t deadlineMs) {
    ++m_calls;
    ++m_waits;
    // Pending input runs at once, and handling it takes no time.
    if (RunDue())
        return;
    // A passed deadline moves nothing; overdue ticks fire without the clock moving.
    std::int64_t wake = std::max(deadlineMs, m_clock.Now());
    for (const Timed& t : m_posted)
        wake = std::min(wake, t.at);
    wake = m_clock.NextTickAt(wake);
    m_clock.Advance(std::max<std::int64_t>(0, wake - m_clock.Now()));
    RunDue();
}

bool VirtualPump::RunDue() {
    // Run what is due now; actions posted while running wait for the next call.
    std::deque<Timed> due;
    for (auto it = m_posted.begin(); it != m_posted.end();) {
        if (it->at <= m_clock.Now()) {
            due.push_back(std::move(*it));
            it = m_posted.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& d : due)
        d.what();
    return !due.empty();
}

void VirtualPump::Post(std::function<void()> action) {
    m_posted.push_back({m_clock.Now(), std::move(action)});
}

void VirtualPump::PostAt(std::int64_t atMs, std::function<void()> action) {
    m_posted.push_back({atMs, std::move(action)});
}

} // namespace kardo
