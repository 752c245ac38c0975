// The recording parallel port of tests and benchmarks.
#include "platform/recording_port.h"

namespace kardo {

bool RecordingPort::Open(int /*address*/) {
    ++opens;
    if (!refuseOpen.empty()) {
        m_reason = refuseOpen;
        m_open = false;
        return false;
    }
    m_reason.clear();
    m_open = true;
    return true;
}

bool RecordingPort::Out32(int port, int value) {
    if (!m_open) {
        m_reason = "Der Port ist nicht geöffnet";
        return false;
    }
    if (failWriteAfter >= 0 && writeCount >= failWriteAfter) {
        m_reason = "Schreibfehler";
        return false;
    }
    ++writeCount;
    if (!recordOnly)
        writes.push_back({port, static_cast<std::uint8_t>(value & 0xFF)});
    return true;
}

void RecordingPort::Close() {
    if (!m_open)
        return;
    m_open = false;
    ++closes;
}

} // namespace kardo
