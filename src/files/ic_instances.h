// The IC instance list: one record per placed IC, nested ones included; index 0 stands for the
// circuit itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kardo {

struct ICInstanceRecord {
    std::string Name;                         // IC name (file name.icd); empty = free slot
    std::int16_t MaxX = 0;                    // package width
    std::int16_t MaxY = 0;                    // package height
    std::vector<std::string> Anschluesse;     // per pin (1-based, entry 0 unused): "x;y;name;0;"
    std::vector<std::string> GrafAnschluesse; // per pin (1-based): place on the package outline
    std::int16_t AnzAnschluesse = 0;          // number of pins
    std::int16_t ElementNr = 0;               // element standing for the IC on its parent level
    std::uint8_t Parent = 0;                  // instance index of the containing level
    std::uint8_t Tiefe = 0;                   // nesting depth, 0 = placed in the circuit
    std::string Notizen;                      // notes of the definition

    bool operator==(const ICInstanceRecord&) const = default;
};

extern std::vector<ICInstanceRecord> gICInstances; // instances 1..; entry 0 the circuit; reset by ResetICInstances
extern std::int16_t gAnzICInstances;               // number of instances
extern std::int16_t gICInstanceMax;                // highest instance index in use

// No instances: the list holds entry 0 only.
void ResetICInstances();

} // namespace kardo
