// The working folders.
#include "files/working_folders.h"

namespace kardo {

std::array<std::string, 3> gVerzeichnisse;

} // namespace kardo
