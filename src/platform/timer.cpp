// Control array of timers.
#include "platform/timer.h"

namespace kardo {

TimerArray::TimerArray(TimerService& service) : m_service(service) {
    m_timers.push_back(m_service.CreateTimer());
    Hook(0);
}

void TimerArray::LoadNext() {
    m_timers.push_back(m_service.CreateTimer());
    Hook(UBound());
}

void TimerArray::UnloadLast() {
    if (m_timers.size() > 1)
        m_timers.pop_back();
}

void TimerArray::Reset() {
    m_timers.resize(1);
    m_timers[0]->SetEnabled(false);
}

void TimerArray::SetOnTick(std::function<void(int)> onTick) {
    m_onTick = std::move(onTick);
    for (int i = 0; i <= UBound(); ++i)
        Hook(i);
}

void TimerArray::Hook(int index) {
    m_timers[static_cast<std::size_t>(index)]->SetOnTick([this, index] {
        if (m_onTick)
            m_onTick(index);
    });
}

} // namespace kardo
