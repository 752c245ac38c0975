// A folder of one fuzzing process for the files its target writes, removed when the process
// ends: in memory when the system has a shared-memory file system, since saves sync to disk.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace kardo::fuzz {

class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& prefix) {
        std::error_code ec;
        const std::string base = std::filesystem::is_directory("/dev/shm", ec)
                                     ? std::string("/dev/shm")
                                     : std::filesystem::temp_directory_path().string();
        m_path = base + "/" + prefix + std::to_string(::getpid());
        std::filesystem::create_directories(m_path, ec);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }

  private:
    std::string m_path; // the folder
};

} // namespace kardo::fuzz
