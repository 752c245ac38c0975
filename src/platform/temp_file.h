// The temporary file of a write, beside the file it will replace or become: created exclusively,
// never through a symbolic link, under a name that no other user of the folder can predict.
#pragma once

#include <functional>
#include <string>

namespace kardo {

// Creates a new, empty file open for writing in the folder of target, named "." + the target's
// name + "." + twelve random letters and digits (the target's name shortened at a character
// boundary when the whole would pass the file system's name limit), with O_CREAT | O_EXCL |
// O_NOFOLLOW and the permission bits mode under the file-creation mask. A name already taken,
// by a file or a symbolic link, is never opened: another one is tried, up to 100 times. Returns
// the descriptor and sets path; -1 with errno set when no file could be created.
int CreateTempFileBeside(const std::string& target, unsigned mode, std::string& path);

// The same with the random part of each name tried taken from nextSuffix, for tests that plant
// files and links at the names they know will be tried.
int CreateTempFileBeside(const std::string& target, unsigned mode, std::string& path,
                         const std::function<std::string()>& nextSuffix);

} // namespace kardo
