// Test support for the circuit files: a temporary folder removed at the end of the test, whole
// file reading and writing, and the fixture files of tests/data.
#pragma once

#include "platform/file_calls.h"

#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>

namespace kardo::test {

// A fresh folder under the system's temporary folder; removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // Path of a file in the folder.
    std::string File(std::string_view name) const { return m_path + "/" + std::string(name); }

  private:
    std::string m_path; // the folder, without a final "/"
};

// The bytes of a file; "" when it cannot be read.
std::string ReadBytes(const std::string& path);
// Writes bytes to a file, replacing it.
void WriteBytes(const std::string& path, std::string_view bytes);
#ifdef KARDO_TEST_DATA_DIR
// Path of a fixture file in tests/data.
inline std::string DataFile(std::string_view name) {
    return std::string(KARDO_TEST_DATA_DIR) + "/" + std::string(name);
}
// Copies the fixture ICs "inv" and "inv2" into folder (ending in "/") and writes "lost" there:
// inv2 whose two inner ICs are called "fehlt".
inline void CopyFixtureICs(const std::string& folder) {
    for (const char* n : {"inv", "inv2"})
        WriteBytes(folder + n + ".icd", ReadBytes(DataFile(std::string(n) + ".icd")));
    std::string lost = ReadBytes(DataFile("inv2.icd"));
    for (std::size_t at = lost.find("\ninv;"); at != std::string::npos; at = lost.find("\ninv;"))
        lost.replace(at, 5, "\nfehlt;");
    WriteBytes(folder + "lost.icd", lost);
}
#endif
// File calls answering as file systems without hard links or stored modes (FAT, exFAT, FUSE):
// each fails with its errno (0: the system answers). link() first links linkTo at the name.
struct FakeFileCalls : FileCalls {
    FakeFileCalls(int l, int r, int c) : link(l), rename(r), chmod(c) {}
    int Link(const char* f, const char* t) override {
        if (!linkTo.empty())
            std::filesystem::create_symlink(linkTo, t);
        if (!plant.empty())
            WriteBytes(t, plant);
        return link ? (errno = link, -1) : FileCalls::Link(f, t);
    }
    int RenameNoReplace(const char* f, const char* t) override {
        return rename ? (errno = rename, -1) : FileCalls::RenameNoReplace(f, t);
    }
    int Fchmod(int fd, unsigned m) override {
        return chmod ? (errno = chmod, -1) : FileCalls::Fchmod(fd, m);
    }
    // Writes to the file failWritesTo stop half way, then fail as on a full disk.
    ssize_t Write(int fd, const void* d, std::size_t n) override {
        std::error_code ec;
        if (failWritesTo.empty() || std::filesystem::read_symlink(
                                        "/proc/self/fd/" + std::to_string(fd), ec) != failWritesTo)
            return FileCalls::Write(fd, d, n);
        if (n > 1 && !halfWritten) {
            halfWritten = true;
            return FileCalls::Write(fd, d, n / 2);
        }
        errno = ENOSPC;
        return -1;
    }
    int link, rename, chmod;  // errno of link(), renameat2(), fchmod()
    std::string linkTo;       // appears at the name as link() is called
    std::string plant;        // a file of these bytes appears at the name as link() is called
    std::string failWritesTo; // path whose writes fail half way
    bool halfWritten = false; // the half has been written
};

// Number of entries in a folder.
int CountEntries(const std::string& folder);

// What the circuit reader would find wrong with the cells and elements of the worksheet as it
// is now ("" when they fit together): the state a save writes must load again.
std::string SheetInconsistency();

} // namespace kardo::test
