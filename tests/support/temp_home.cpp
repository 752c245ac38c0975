// A temporary home folder for one test.
#include "support/temp_home.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace kardo::test {

namespace fs = std::filesystem;

TempHome::TempHome(const std::string& prefix) {
    std::string tmpl = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (::mkdtemp(tmpl.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_path = tmpl;
    const char* oldHome = std::getenv("HOME");
    m_oldHome = oldHome != nullptr ? oldHome : "";
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    m_hadConfig = oldConfig != nullptr;
    m_oldConfig = m_hadConfig ? oldConfig : "";
    setenv("HOME", m_path.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (m_path + "/.config").c_str(), 1);
}

TempHome::~TempHome() {
    setenv("HOME", m_oldHome.c_str(), 1);
    if (m_hadConfig)
        setenv("XDG_CONFIG_HOME", m_oldConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

std::string TempHome::MakeFolder(const std::string& relative) const {
    const std::string path = m_path + "/" + relative;
    fs::create_directories(path);
    return path;
}

} // namespace kardo::test
