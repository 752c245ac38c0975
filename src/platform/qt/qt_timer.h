// Timers and message pump of the running program, over QTimer and the Qt event loop.
#pragma once

#include "platform/pump.h"
#include "platform/timer.h"

namespace kardo {

class QtTimerService : public TimerService {
  public:
    std::unique_ptr<Timer> CreateTimer() override;
};

class QtPump : public MessagePump {
  public:
    void DoEvents() override;
    void WaitForEvents(std::int64_t deadlineMs) override;
    std::int64_t NowMs() const override;
    void Idle() override;
};

} // namespace kardo
