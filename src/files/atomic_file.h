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

// Writes bytes to path through a temporary file beside the file written. A symbolic link is
// followed: the file it points to is replaced, in that file's folder, and the link stays. False
// with a German reason when the target is write-protected or no file (a folder, pipe or
// device), or the temporary file cannot be created, written, flushed or renamed; the temporary
// file is removed and an existing file is left unchanged. A replaced file keeps its permission
// bits where the file system stores them. The temporary name is shortened so that names up to the
// file system's limit save.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& reason,
                         AtomicWriteFault fault = AtomicWriteFault::None);

// Writes bytes into a new file at path, which must not exist yet: the bytes go into a temporary
// file beside it, are flushed to the disk and the file is then linked to its name, or renamed
// to it where the file system has no hard links (FAT, exFAT); both fail rather than replace a
// file or link that appeared meanwhile, and no half-written file is left. Where the file system
// has neither, the file is created at its name, never through a link, and removed again when it
// cannot be written whole. The file gets the permission bits of a new file. False with a German
// reason.
bool WriteNewFile(const std::string& path, std::string_view bytes, std::string& reason);

// Reads the whole file. False with a German reason when it cannot be opened or read, is no
// ordinary file (a folder, pipe or device), or is larger than maxBytes.
bool ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                   std::string& reason);
// Reads the file open at fd to its end, expecting about size bytes, as ReadWholeFile reads: for a
// caller that opened and looked at the file itself. fd stays open.
bool ReadOpenFile(int fd, std::size_t size, std::size_t maxBytes, std::string& bytes,
                  std::string& reason);

} // namespace kardo
