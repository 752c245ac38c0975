// Timers of the simulation and the window: Enabled, Interval (0 never fires),
// setting Interval while enabled restarts the count, and a Tag text. A TimerArray keeps a
// control array whose element 0 always exists.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kardo {

class Timer {
  public:
    virtual ~Timer() = default;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    // Milliseconds between ticks; 0 never fires. A change while enabled restarts the count.
    virtual void SetInterval(int ms) = 0;
    virtual int Interval() const = 0;
    // Called on every tick while enabled with a non-zero interval.
    void SetOnTick(std::function<void()> onTick) { m_onTick = std::move(onTick); }
    std::string Tag; // free text of the owner

  protected:
    void Fire() {
        if (m_onTick)
            m_onTick();
    }

  private:
    std::function<void()> m_onTick; // tick handler
};

class TimerService {
  public:
    virtual ~TimerService() = default;
    // A new timer, disabled, interval 0.
    virtual std::unique_ptr<Timer> CreateTimer() = 0;
};

// A control array of timers indexed 0..UBound(); element 0 exists from the start and is never
// unloaded. Each element's tick calls the array's handler with the element's index.
class TimerArray {
  public:
    explicit TimerArray(TimerService& service);
    int UBound() const { return static_cast<int>(m_timers.size()) - 1; }
    int Count() const { return static_cast<int>(m_timers.size()); }
    Timer& operator[](int index) { return *m_timers.at(static_cast<std::size_t>(index)); }
    const Timer& operator[](int index) const {
        return *m_timers.at(static_cast<std::size_t>(index));
    }
    // Loads element UBound() + 1 (disabled, interval 0).
    void LoadNext();
    // Unloads the highest element; element 0 stays.
    void UnloadLast();
    // Unloads every element above 0 and disables element 0.
    void Reset();
    void SetOnTick(std::function<void(int index)> onTick);

  private:
    void Hook(int index);

    TimerService& m_service;                      // creates the elements
    std::vector<std::unique_ptr<Timer>> m_timers; // elements 0..UBound()
    std::function<void(int)> m_onTick;            // tick handler of the whole array
};

} // namespace kardo
