// Parallel-port output. The port is claimed once per power-on and released at power-off; a port
// that cannot be used is reported and then left alone until the next power-on, so the 30 ms
// timer never retries a failing port.
#include "simulation/port_access.h"

#include "model/clocks.h"
#include "platform/platform.h"

#include <cstdio>

namespace kardo {

std::array<std::int16_t, 8> gAnalyseWerte{};
bool gPortMeldungGezeigt = false;
bool gPortAccessEnabled = false;
std::int32_t gPortAccessPortAddress = 888;
clsPortAccess gPortAccess;

namespace {

PortOutput* Port() { return gPlatform ? gPlatform->port : nullptr; }
bool HasHost() { return gPlatform && gPlatform->host; }

void StopPortTimer() {
    if (gTimPort)
        gTimPort->SetEnabled(false);
}

} // namespace

std::int32_t clsPortAccess::PortAddress() const { return gPortAccessPortAddress; }
void clsPortAccess::SetPortAddress(std::int32_t address) { gPortAccessPortAddress = address; }
bool clsPortAccess::Enabled() const { return gPortAccessEnabled; }
void clsPortAccess::SetEnabled(bool enabled) { gPortAccessEnabled = enabled; }

std::uint8_t clsPortAccess::Byte() {
    unsigned v = 0;
    for (std::size_t i = 0; i < gAnalyseWerte.size(); ++i)
        if (gAnalyseWerte[i] != 0)
            v |= 1U << i;
    return static_cast<std::uint8_t>(v);
}

void clsPortAccess::Write(std::uint8_t byte) {
    PortOutput* port = Port();
    if (port == nullptr || !port->IsOpen())
        return;
    if (port->Out32(PortAddress(), byte)) {
        m_last = byte;
        return;
    }
    m_device = port->Device();
    m_reason = port->Reason();
    GiveUp();
}

void clsPortAccess::SetBits() {
    if (Enabled())
        Write(Byte());
}

void clsPortAccess::SetBitsIfChanged() {
    if (!Enabled())
        return;
    const std::uint8_t byte = Byte();
    if (byte != m_last)
        Write(byte);
}

void clsPortAccess::ClearBits() { gAnalyseWerte.fill(0); }

void clsPortAccess::GiveUp() {
    m_problem = true;
    StopPortTimer();
    if (PortOutput* port = Port())
        port->Close();
    m_last = -1;
    if (HasHost())
        Host().SetStatusText(2, "Ohne Portausgabe (" + PortAddressHex(PortAddress()) +
                                    "): " + m_reason);
}

void clsPortAccess::PowerOn() {
    m_problem = false;
    m_last = -1;
    if (!Enabled())
        return;
    PortOutput* port = Port();
    if (port == nullptr) {
        m_device.clear();
        m_reason = "Dieses System bietet keine Portausgabe";
        GiveUp();
        return;
    }
    if (!port->Open(PortAddress())) {
        m_device = port->Device();
        m_reason = port->Reason();
        GiveUp();
        return;
    }
    if (gPlatform->timers != nullptr) {
        Timer& timer = TimPort();
        timer.SetOnTick([this] { SetBits(); });
        timer.SetInterval(30);
        timer.SetEnabled(true);
    }
}

void clsPortAccess::PowerOff() {
    ClearBits();
    SetBits();
    StopPortTimer();
    if (PortOutput* port = Port())
        port->Close();
    m_last = -1;
}

void clsPortAccess::ReportProblem() {
    if (!m_problem || gPortMeldungGezeigt || !HasHost())
        return;
    gPortMeldungGezeigt = true;
    const std::string device = m_device.empty() ? "keines gefunden" : m_device;
    Host().MessageBox("Die Analysepunkte können nicht am Parallelport ausgegeben werden.\r\n\r\n"
                      "Adresse: " +
                          PortAddressHex(PortAddress()) + "\r\nGerät: " + device +
                          "\r\nGrund: " + m_reason +
                          ".\r\n\r\nDie Simulation läuft ohne "
                          "Portausgabe.",
                      MsgButtons::Ok, MsgIcon::Exclamation, "Parallelport");
}

void ResetPortAccess() {
    gAnalyseWerte.fill(0);
    gPortMeldungGezeigt = false;
    gPortAccess = clsPortAccess{};
}

std::string PortAddressText(int address) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(address));
    return text;
}

std::string PortAddressHex(std::int32_t address) { return PortAddressText(address) + "h"; }

} // namespace kardo
