// Printing the definitions of the ICs a circuit uses: each definition file is put on the
// worksheet only for the time its page is drawn, the circuit's grid kept in the move buffer
// gPuffer and the rest of the circuit beside it, and all of it put back afterwards.
#pragma once

#include "editor/line_runs.h"
#include "model/elements.h"
#include "model/ic_instances.h"
#include "model/sim_levels.h"
#include "platform/draw_target.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

// The ICs placed directly in the circuit, each once (names differing only in letter case name
// one file), in the order of their instances.
std::vector<std::string> UsedICNames();

// While an object has loaded a definition, its sheet stands on the worksheet in place of the
// circuit, as the IC-definition view shows it; the destructor puts the circuit back exactly.
class ICDefinitionSheet {
  public:
    ICDefinitionSheet() = default;
    ~ICDefinitionSheet();
    ICDefinitionSheet(const ICDefinitionSheet&) = delete;
    ICDefinitionSheet& operator=(const ICDefinitionSheet&) = delete;

    // Reads and checks the definition of IC name in the IC folder with the ICs nested in it,
    // then puts it on the worksheet. False with the German reason when the file is missing or
    // faulty; the worksheet is then left as it was. Only once per object, and never while the
    // circuit is on.
    bool Load(std::string_view name, std::string& problem);

    // Draws the loaded sheet onto page at zoom, its top left corner at the page's origin: the
    // sheet as the full redraw draws it, each pin's name "[name]" beside its wire end, and the
    // IC's name above the sheet (TitleHeight pixels of the page above the origin).
    void Print(DrawTarget& page, float zoom) const;

    // Height in pixels of page that the IC's name takes above the sheet, gap included.
    static double TitleHeight(DrawTarget& page);

  private:
    // What a sheet consists of besides its grid: the circuit's while a definition stands on
    // the worksheet.
    struct Parts {
        std::int16_t feldBreite = 0;             // sheet width
        std::int16_t feldHoehe = 0;              // sheet height
        std::vector<ElementRecord> elements;     // element list
        std::int16_t anzElemente = 0;            // element count
        LineRunTable lineRuns;                   // wire runs
        std::vector<ICInstanceRecord> instances; // IC instances
        std::int16_t anzICInstances = 0;         // their number
        std::int16_t icInstanceMax = 0;          // highest index in use
        std::vector<SimLevelRecord> levels;      // simulation levels
    };
    // Exchanges the parts with the worksheet's.
    static void Exchange(Parts& parts);
    // Puts the circuit back.
    void Restore();

    bool m_loaded = false;               // a definition stands on the worksheet
    std::string m_name;                  // the IC's name
    std::vector<std::string> m_pinNames; // pin names of the definition, 1..; 0 unused
    Parts m_kept;                        // the circuit's parts, its grid in gPuffer
};

} // namespace kardo
