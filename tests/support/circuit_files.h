// Test support for the circuit files: a temporary folder removed at the end of the test, whole
// file reading and writing, and the fixture files of tests/data.
#pragma once

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
// Number of entries in a folder.
int CountEntries(const std::string& folder);

// What the circuit reader would find wrong with the cells and elements of the worksheet as it
// is now ("" when they fit together): the state a save writes must load again.
std::string SheetInconsistency();

} // namespace kardo::test
