// The system calls that write a file, give a new file its name and its permission bits, reached
// through one pointer so that tests can make them fail as file systems without hard links or
// stored modes do (FAT and exFAT on USB sticks, many FUSE file systems), or as a full disk does.
#pragma once

#include <cstddef>
#include <sys/types.h>

namespace kardo {

// Each call returns what the system call returns: 0 (write: the bytes written), or -1 with
// errno set.
class FileCalls {
  public:
    virtual ~FileCalls() = default;
    virtual int Link(const char* from, const char* to);             // link()
    virtual int RenameNoReplace(const char* from, const char* to);  // renameat2(RENAME_NOREPLACE)
    virtual int Fchmod(int fd, unsigned mode);                      // fchmod()
    virtual ssize_t Write(int fd, const void* data, std::size_t n); // write()
};

extern FileCalls* gFileCalls; // calls in force: the system's own unless a FileCallsScope is alive

// Installs other calls for its lifetime and restores the previous ones afterwards.
class FileCallsScope {
  public:
    explicit FileCallsScope(FileCalls& calls) : m_previous(gFileCalls) { gFileCalls = &calls; }
    ~FileCallsScope() { gFileCalls = m_previous; }
    FileCallsScope(const FileCallsScope&) = delete;
    FileCallsScope& operator=(const FileCallsScope&) = delete;

  private:
    FileCalls* m_previous; // restored on destruction
};

} // namespace kardo
