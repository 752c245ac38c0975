// Parallel-port output of analysis points 1 to 8: the levels the dispatcher stores, the port
// access object with its address and switch (both kept in the port settings), the byte written
// at every change and by the 30 ms port timer while the circuit is on.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kardo {

extern std::array<std::int16_t, 8> gAnalyseWerte; // levels (truth values) of analysis points
                                                  // 1..8 at index 0..7; ClearBits,
                                                  // ResetPortAccess
extern bool gPortMeldungGezeigt; // the message that the port cannot be used was shown in this
                                 // run of the program; ResetPortAccess
extern bool gPortAccessEnabled;  // analysis points drive the port (setting "PortAccessEnabled");
                                 // false by ResetSettings
extern std::int32_t gPortAccessPortAddress; // port address (setting "PortAccessPortAddress");
                                            // 888 by ResetSettings

// A port address as the options dialog shows it: hexadecimal, upper case, no prefix ("378").
std::string PortAddressText(int address);

class clsPortAccess {
  public:
    // The I/O address and the on/off switch are the settings "PortAccessPortAddress" and
    // "PortAccessEnabled": read and written through here, kept there.
    std::int32_t PortAddress() const;
    void SetPortAddress(std::int32_t address);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // Writes the byte of gAnalyseWerte when output is enabled and the port is claimed.
    void SetBits();
    // As SetBits, but a byte equal to the last one written is not written again (the
    // dispatcher calls it for every event at points 1 to 8).
    void SetBitsIfChanged();
    // Sets the eight levels to 0; writes nothing.
    void ClearBits();
    // Bit i is the level of analysis point i + 1.
    static std::uint8_t Byte();

    // Power-on: with output enabled, claims the port and starts the port timer. A port that
    // cannot be used puts a hint into status panel 2 and leaves the circuit without output.
    void PowerOn();
    // Power-off: ClearBits, SetBits (the port reads 0), the port timer stopped, the port
    // released.
    void PowerOff();
    // At the end of a power-on: the message that the circuit runs without port output, once
    // per run of the program, when the port could not be used.
    void ReportProblem();
    // A port problem met since the last power-on.
    bool HasProblem() const { return m_problem; }

  private:
    void Write(std::uint8_t byte);
    // Ends port output for this power-on after a failure.
    void GiveUp();

    int m_last = -1;        // byte last written since the port was claimed; -1 none
    bool m_problem = false; // the port could not be used since the last power-on
    std::string m_device;   // device of the failure, for the message
    std::string m_reason;   // reason of the failure, German
};

extern clsPortAccess gPortAccess; // the one port access object; ResetPortAccess

// Start-up state: all levels 0, no message shown, no port claimed by this object.
void ResetPortAccess();

// An I/O address as messages show it: hexadecimal, upper case, with "h" ("378h").
std::string PortAddressHex(std::int32_t address);

} // namespace kardo
