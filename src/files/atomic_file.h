// Reading a file whole and replacing a file atomically: the new contents go into a temporary
// file in the same folder, are flushed to the disk and then renamed over the old file, so the
// old file stays as it was when anything fails.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kardo {

// The step after which a test makes the replacement fail (None in the program).
enum class AtomicWriteFault { None, AfterWrite, AfterFlush };

// Writes bytes to path through a temporary file beside it. False with a German reason when the
// temporary file cannot be created, written, flushed or renamed; the temporary file is removed
// and an existing file at path is left unchanged. A replaced file keeps its permission bits.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& reason,
                         AtomicWriteFault fault = AtomicWriteFault::None);

// Reads the whole file. False with a German reason when it cannot be opened or read, or when it
// is larger than maxBytes.
bool ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                   std::string& reason);

} // namespace kardo
