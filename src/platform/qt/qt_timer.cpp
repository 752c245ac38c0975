// QTimer-backed timers and the Qt message pump.
#include "platform/qt/qt_timer.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

#include <QCoreApplication>
#include <QTimer>

namespace kardo {

namespace {

class QtTimer : public Timer {
  public:
    QtTimer() {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Fire(); });
    }
    void SetEnabled(bool enabled) override {
        m_enabled = enabled;
        Apply(false);
    }
    bool Enabled() const override { return m_enabled; }
    void SetInterval(int ms) override {
        m_interval = ms < 0 ? 0 : ms;
        Apply(true);
    }
    int Interval() const override { return m_interval; }

  private:
    // Runs the QTimer exactly when enabled with a non-zero interval; restart begins a new count.
    void Apply(bool restart) {
        if (m_enabled && m_interval > 0) {
            if (restart || !m_timer.isActive())
                m_timer.start(m_interval);
        } else {
            m_timer.stop();
        }
    }

    QTimer m_timer;         // the Qt timer
    bool m_enabled = false; // Enabled property
    int m_interval = 0;     // Interval property in ms
};

} // namespace

std::unique_ptr<Timer> QtTimerService::CreateTimer() { return std::make_unique<QtTimer>(); }

void QtPump::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtPump::WaitForEvents(std::int64_t deadlineMs) {
    const std::int64_t left = deadlineMs - NowMs();
    if (left <= 0) {
        DoEvents();
        return;
    }
    // The event loop sleeps until an event comes; a single-shot timer at the deadline is the
    // event that ends the sleep when nothing else does.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(static_cast<int>(std::min<std::int64_t>(left, INT_MAX)));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

std::int64_t QtPump::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void QtPump::Idle() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

} // namespace kardo
