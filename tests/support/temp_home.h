// A temporary home folder for one test: $HOME and $XDG_CONFIG_HOME point into it while the
// object lives; afterwards both are restored and the folder is removed.
#pragma once

#include <string>

namespace kardo::test {

class TempHome {
  public:
    // prefix names the folder in the system's temporary folder ("kardo-home-" + six letters).
    explicit TempHome(const std::string& prefix);
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    // The home folder, without a trailing "/".
    const std::string& Path() const { return m_path; }
    // Creates a folder below the home folder and returns its path (without a trailing "/").
    std::string MakeFolder(const std::string& relative) const;

  private:
    std::string m_path;      // the temporary home folder
    std::string m_oldHome;   // $HOME before
    std::string m_oldConfig; // $XDG_CONFIG_HOME before
    bool m_hadConfig = false;
};

} // namespace kardo::test
