// The IC folder: finding the definition file of an IC by its name, listing the ICs the folder
// holds, and copying a definition into it without ever replacing a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kardo {

// Path of the definition file of IC name in folder (ending in "/"): folder + name + ".icd" when
// it exists; otherwise the one file whose name matches name + ".icd" in any letter case (files
// made on Windows may be called "Name.ICD"). Nothing when the name is not a plain file name,
// when no file matches, or when several files match only in letter case.
std::optional<std::string> FindICFile(const std::string& folder, std::string_view name);

// Finds definition files in one folder as FindICFile does, for many lookups in a row: the folder
// is listed at most once, at the first name without a file of its exact name, and that listing
// answers every later such name. A file put at an exact name meanwhile is found too; one the
// caller puts there itself is told with Added, so that a name differing only in letter case
// finds it as well.
class ICFileFinder {
  public:
    explicit ICFileFinder(std::string folder) : m_folder(std::move(folder)) {}
    std::optional<std::string> Find(std::string_view name);
    void Added(const std::string& file);
    const std::string& Folder() const { return m_folder; }

  private:
    void Enter(const std::string& file);

    std::string m_folder;  // the folder, ending in "/"
    bool m_listed = false; // m_byLowerName holds the folder's files
    // The folder's files by their names in lower case; "" where several differ only in case.
    std::unordered_map<std::string, std::string> m_byLowerName;
};

// The IC names of folder: every ordinary file ending in ".icd" (any letter case) whose name
// before the extension is a plain IC name, sorted, each name once.
std::vector<std::string> ListICNames(const std::string& folder);

// Copies the file from to the path to, which must not exist yet, through WriteNewFile: a file
// that appeared meanwhile is never replaced and no half-written file is left, also on file
// systems without hard links. False with a German reason otherwise.
bool CopyFileNoOverwrite(const std::string& from, const std::string& to, std::string& reason);

// Whether the entry there (a name taken in the folder a definition is to be copied into) already
// holds the definition file from: the same directory entry, or a plain file (not a link) of the
// same bytes. False with a German reason otherwise: another file, a link, a folder or anything
// that cannot be read lies there (it is left as it is), or from cannot be read.
bool HoldsCopyOf(const std::string& there, const std::string& from, std::string& reason);

} // namespace kardo
