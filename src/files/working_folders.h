// The working folders of circuits, ICs and bitmaps, as the settings keep them; the files, the IC
// placing and the IC library find their files there.
#pragma once

#include <array>
#include <string>

namespace kardo {

extern std::array<std::string, 3> gVerzeichnisse; // working folders, each ending in "/" or
                                                  // empty: 0 circuits, 1 ICs, 2 bitmaps
                                                  // ("Verzeichnis0..2"); emptied by
                                                  // ResetSettings

} // namespace kardo
