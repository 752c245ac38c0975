// The system's own file calls.
#include "platform/file_calls.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kardo {

namespace {
FileCalls systemCalls; // stateless: the calls of the running system
} // namespace

FileCalls* gFileCalls = &systemCalls;

int FileCalls::Link(const char* from, const char* to) { return ::link(from, to); }

int FileCalls::RenameNoReplace(const char* from, const char* to) {
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
}

int FileCalls::Fchmod(int fd, unsigned mode) {
    return ::fchmod(fd, static_cast<mode_t>(mode & 07777));
}

ssize_t FileCalls::Write(int fd, const void* data, std::size_t n) { return ::write(fd, data, n); }

} // namespace kardo
