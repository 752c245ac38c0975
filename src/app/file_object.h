// The global file object: the last circuit file loaded or saved, and the test whether a file
// exists.
#pragma once

#include <string>
#include <string_view>

namespace kardo {

class clsFile {
  public:
    std::string FileName; // full path of the last file loaded or saved; "" when none
    std::string FilePath; // its folder, ending in "/"; the circuits folder at start-up
    bool operator==(const clsFile&) const = default;

    // True when a search for the path finds a file; false for an empty path and on any failure.
    bool ExistFile(std::string_view path) const;
};

extern clsFile gFile; // created empty at start-up (ResetFileObject); the file routines keep it

// Empties gFile.
void ResetFileObject();

} // namespace kardo
