// Parallel-port output through ppdev. Every failure closes what was opened and leaves a German
// reason; nothing here retries.
#include "platform/parallel_port.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kardo {

namespace {

std::string ErrnoText(int err) { return std::string(std::strerror(err)); }

// The reason for a failed open of the device file.
std::string OpenFailure(int err) {
    switch (err) {
    case ENOENT:
        return "Die Gerätedatei fehlt (ist das Modul ppdev geladen?)";
    case EACCES:
    case EPERM:
        return "Keine Berechtigung für die Gerätedatei (ist der Benutzer in der Gruppe \"lp\"?)";
    case EBUSY:
        return "Der Port wird von einem anderen Programm belegt";
    case ENXIO:
    case ENODEV:
        return "Kein Gerät hinter der Gerätedatei (ist das Modul ppdev geladen?)";
    default:
        return "Die Gerätedatei lässt sich nicht öffnen (" + ErrnoText(err) + ")";
    }
}

// The reason for a failed ioctl on the open device.
std::string IoctlFailure(const char* what, int err) {
    switch (err) {
    case ENOTTY:
    case EINVAL:
        return "Die Gerätedatei ist kein Parallelport";
    case EBUSY:
        return "Der Port wird von einem anderen Programm belegt";
    default:
        return std::string(what) + " fehlgeschlagen (" + ErrnoText(err) + ")";
    }
}

// The port number N of a folder name "parportN", or -1.
int PortNumber(const std::string& name) {
    constexpr std::string_view prefix = "parport";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    int n = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || n > 9999)
            return -1;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

// The first number of a base-addr file ("888\t1912"), or -1.
long BaseAddress(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string text;
    if (!in || !std::getline(in, text))
        return -1;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(begin, &end, 10);
    if (end == begin || errno != 0 || v < 0)
        return -1;
    return v;
}

} // namespace

LinuxParallelPort::LinuxParallelPort(std::string procDir, std::string devDir)
    : m_procDir(std::move(procDir)), m_devDir(std::move(devDir)) {}

LinuxParallelPort::~LinuxParallelPort() { Close(); }

std::string LinuxParallelPort::FindDevice(int address) {
    std::error_code ec;
    std::vector<std::pair<int, std::string>> ports;
    for (std::filesystem::directory_iterator it(m_procDir, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const int n = PortNumber(name);
        if (n >= 0)
            ports.emplace_back(n, name);
    }
    if (ports.empty()) {
        m_reason = "Das System meldet keinen Parallelport (ist das Modul parport_pc geladen?)";
        return {};
    }
    std::sort(ports.begin(), ports.end());
    for (const auto& [n, name] : ports) {
        if (BaseAddress(std::filesystem::path(m_procDir) / name / "base-addr") == address)
            return (std::filesystem::path(m_devDir) / name).string();
    }
    m_reason = "Das System meldet keinen Parallelport mit dieser Adresse";
    return {};
}

bool LinuxParallelPort::Fail(std::string reason) {
    Close();
    m_reason = std::move(reason);
    return false;
}

bool LinuxParallelPort::Open(int address) {
    Close();
    m_reason.clear();
    m_device = FindDevice(address);
    if (m_device.empty())
        return false;
    m_fd = ::open(m_device.c_str(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0)
        return Fail(OpenFailure(errno));
    if (::ioctl(m_fd, PPCLAIM) != 0)
        return Fail(IoctlFailure("PPCLAIM", errno));
    m_claimed = true;
    int forward = 0;
    if (::ioctl(m_fd, PPDATADIR, &forward) != 0)
        return Fail(IoctlFailure("PPDATADIR", errno));
    return true;
}

bool LinuxParallelPort::Out32(int /*port*/, int value) {
    if (m_fd < 0) {
        m_reason = "Der Port ist nicht geöffnet";
        return false;
    }
    auto byte = static_cast<unsigned char>(value & 0xFF);
    if (::ioctl(m_fd, PPWDATA, &byte) != 0) {
        m_reason = "Schreiben auf den Port fehlgeschlagen (" + ErrnoText(errno) + ")";
        return false;
    }
    return true;
}

void LinuxParallelPort::Close() {
    if (m_fd < 0)
        return;
    if (m_claimed)
        ::ioctl(m_fd, PPRELEASE);
    m_claimed = false;
    ::close(m_fd);
    m_fd = -1;
}

} // namespace kardo
