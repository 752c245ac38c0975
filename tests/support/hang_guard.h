// A bound for tests whose fault would be a run that never returns: such a test fails within a
// minute instead of hanging until ctest's timeout (25 minutes by default).
#pragma once

#include <csignal>
#include <unistd.h>

namespace kardo::test {

// While alive, ends the test process with a failure when it is still running after seconds.
class HangGuard {
  public:
    explicit HangGuard(unsigned seconds = 60) {
        std::signal(SIGALRM, [](int) {
            static constexpr char kText[] = "\nThe test hangs: it did not end within its bound.\n";
            static_cast<void>(::write(STDERR_FILENO, kText, sizeof kText - 1));
            ::_exit(1);
        });
        ::alarm(seconds);
    }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

} // namespace kardo::test
