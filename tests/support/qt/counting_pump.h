// The program's message pump with its turns counted: how often a wait woke up, and the deadlines
// of the waits it served (one per wait, as every wait ends later than the one before).
#pragma once

#include "platform/qt/qt_timer.h"

#include <cstdint>
#include <set>

namespace kardo::test {

class CountingPump : public QtPump {
  public:
    void DoEvents() override {
        ++turns;
        QtPump::DoEvents();
    }
    void WaitForEvents(std::int64_t deadlineMs) override {
        ++turns;
        deadlines.insert(deadlineMs);
        QtPump::WaitForEvents(deadlineMs);
    }
    void Idle() override {
        ++idles;
        QtPump::Idle();
    }

    std::int64_t turns = 0;           // DoEvents and WaitForEvents calls
    std::int64_t idles = 0;           // Idle calls
    std::set<std::int64_t> deadlines; // deadlines of the waits served
};

} // namespace kardo::test
