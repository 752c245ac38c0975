// The global file object.
#include "app/file_object.h"

#include "files/text_helpers.h"

namespace kardo {

clsFile gFile;

bool clsFile::ExistFile(std::string_view path) const { return !path.empty() && FileExists(path); }

void ResetFileObject() { gFile = clsFile{}; }

} // namespace kardo
