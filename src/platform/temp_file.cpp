// Exclusive creation of temporary files under unpredictable names.
#include "platform/temp_file.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <string_view>
#include <unistd.h>

namespace kardo {

namespace {

constexpr std::size_t kSuffixLength = 12;
constexpr int kAttempts = 100;

// Twelve letters and digits from the system's random source (about 71 bits).
std::string RandomSuffix() {
    static constexpr std::string_view kAlphabet =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string suffix(kSuffixLength, 'x');
    for (char& c : suffix)
        c = kAlphabet[pick(source)];
    return suffix;
}

// The longest file name the folder's file system takes.
std::size_t NameMax(const std::string& folder) {
    const long max = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return max > 0 ? static_cast<std::size_t>(max) : 255;
}

// "." + name + "." + suffix, the name cut (never inside a UTF-8 character) to fit nameMax.
std::string TemporaryName(std::string name, const std::string& suffix, std::size_t nameMax) {
    const std::size_t added = 2 + suffix.size();
    if (name.size() + added > nameMax) {
        std::size_t keep = nameMax > added ? nameMax - added : 0;
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
        name.resize(keep);
    }
    return "." + name + "." + suffix;
}

} // namespace

int CreateTempFileBeside(const std::string& target, unsigned mode, std::string& path) {
    return CreateTempFileBeside(target, mode, path, RandomSuffix);
}

int CreateTempFileBeside(const std::string& target, unsigned mode, std::string& path,
                         const std::function<std::string()>& nextSuffix) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? std::string("/")
                                                          : target.substr(0, slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::size_t nameMax = NameMax(folder);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string candidate = (folder == "/" ? std::string() : folder) + "/" +
                                      TemporaryName(name, nextSuffix(), nameMax);
        const int fd = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              static_cast<mode_t>(mode & 07777));
        if (fd >= 0) {
            path = candidate;
            return fd;
        }
        if (errno != EEXIST && errno != EINTR)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

} // namespace kardo
