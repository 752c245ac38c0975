// The platform services of the running program, owned by main() or a test fixture and reached
// through one pointer. Core code never calls Qt; it calls these.
#pragma once

#include "platform/draw_target.h"
#include "platform/host_window.h"
#include "platform/port_output.h"
#include "platform/pump.h"
#include "platform/settings_store.h"
#include "platform/timer.h"

#include <cassert>

namespace kardo {

struct Platform {
    DrawTarget* screen = nullptr;      // the worksheet picture picGrid
    DrawTarget* printer = nullptr;     // the printer page, while printing
    TimerService* timers = nullptr;    // creates timers
    MessagePump* pump = nullptr;       // runs pending events during waits
    HostWindow* host = nullptr;        // the main window
    SettingsStore* settings = nullptr; // registry stand-in
    PortOutput* port = nullptr;        // parallel port
};

extern Platform* gPlatform; // services in force; set by main() or a PlatformScope, never owned

inline HostWindow& Host() {
    assert(gPlatform && gPlatform->host);
    return *gPlatform->host;
}
inline MessagePump& Pump() {
    assert(gPlatform && gPlatform->pump);
    return *gPlatform->pump;
}
inline TimerService& Timers() {
    assert(gPlatform && gPlatform->timers);
    return *gPlatform->timers;
}

// Installs a set of services for its lifetime and restores the previous set afterwards.
class PlatformScope {
  public:
    explicit PlatformScope(Platform& platform) : m_previous(gPlatform) { gPlatform = &platform; }
    ~PlatformScope() { gPlatform = m_previous; }
    PlatformScope(const PlatformScope&) = delete;
    PlatformScope& operator=(const PlatformScope&) = delete;

  private:
    Platform* m_previous; // restored on destruction
};

} // namespace kardo
