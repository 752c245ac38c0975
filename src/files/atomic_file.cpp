// Whole-file reading and atomic replacement on POSIX file systems.
#include "files/atomic_file.h"

#include "platform/file_calls.h"
#include "platform/file_errors.h"
#include "platform/temp_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kardo {

namespace {

std::string Reason(int err) { return FileErrorText(err); }

// The reason for a pipe, device or socket where a file is read or written.
constexpr std::string_view kNoFile = "an dieser Stelle steht keine Datei";

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The file a path names, symbolic links followed to the last one, which need not exist yet: a
// save writes there and keeps the links. False with errno set on a loop or a failed read.
bool FollowLinks(std::string& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT;
        if (!S_ISLNK(st.st_mode))
            return true;
        std::vector<char> target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0)
            return false;
        if (static_cast<std::size_t>(n) >= target.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        std::string next(target.data(), static_cast<std::size_t>(n));
        if (next.empty()) {
            errno = ENOENT;
            return false;
        }
        if (next.front() != '/')
            next = FolderOf(path) + "/" + next;
        path = std::move(next);
    }
    errno = ELOOP;
    return false;
}

// The permission bits a newly created file gets under the process's file-creation mask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = gFileCalls->Write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes bytes, flushes them to the disk and closes fd. 0 or the first error.
int WriteFlushClose(int fd, std::string_view bytes) {
    int err = 0;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    return err;
}

// Makes the names in a folder durable; a failure here no longer endangers any file.
void SyncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// link() on a file system without hard links: FAT and exFAT refuse with EPERM, FUSE file
// systems lacking the call give ENOSYS or EOPNOTSUPP (ENOTSUP on Linux). The file linked is the
// program's own new file in the target's folder, so EPERM has no other cause here.
bool LinkUnsupported(int err) { return err == EPERM || err == ENOSYS || err == EOPNOTSUPP; }

// renameat2() with RENAME_NOREPLACE that the kernel (ENOSYS) or the file system (EINVAL, as FUSE
// gives it, or EOPNOTSUPP) does not know.
bool NoReplaceUnsupported(int err) { return err == EINVAL || err == ENOSYS || err == EOPNOTSUPP; }

// Gives the finished temporary file tmp the name path, never replacing what is there by now: a
// hard link, or on a file system without hard links a rename that refuses to replace. The
// temporary name is gone afterwards. 0 or the error; unsupported when the file system has
// neither.
int NameNewFile(const std::string& tmp, const std::string& path, bool& unsupported) {
    unsupported = false;
    int err = gFileCalls->Link(tmp.c_str(), path.c_str()) == 0 ? 0 : errno;
    if (LinkUnsupported(err)) {
        if (gFileCalls->RenameNoReplace(tmp.c_str(), path.c_str()) == 0)
            return 0;
        err = errno;
        unsupported = NoReplaceUnsupported(err);
    }
    ::unlink(tmp.c_str());
    return err;
}

// Writes bytes into a file created at path, which must not exist yet, not even as a link; a
// file that could not be written whole is removed again. 0 or the error.
int WriteInPlace(const std::string& path, std::string_view bytes, mode_t mode) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0)
        return errno;
    const int err = WriteFlushClose(fd, bytes);
    if (err != 0)
        ::unlink(path.c_str());
    return err;
}

} // namespace

bool WriteFileAtomically(const std::string& chosen, std::string_view bytes, std::string& reason,
                         AtomicWriteFault fault) {
    std::string path = chosen;
    if (!FollowLinks(path)) {
        reason = Reason(errno);
        return false;
    }
    // The rename would replace a write-protected file, or a pipe or device, without asking.
    struct stat target {};
    if (::stat(path.c_str(), &target) == 0) {
        if (!S_ISREG(target.st_mode)) {
            reason = S_ISDIR(target.st_mode) ? Reason(EISDIR) : std::string(kNoFile);
            return false;
        }
        // Write bits are looked at too, since access() grants everything to the superuser.
        if ((target.st_mode & 0222) == 0) {
            reason = "die Datei ist schreibgeschützt";
            return false;
        }
        if (::access(path.c_str(), W_OK) != 0) {
            reason = errno == EROFS ? Reason(EROFS) : "die Datei ist schreibgeschützt";
            return false;
        }
    }
    const std::string folder = FolderOf(path);
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)
                            ? static_cast<mode_t>(old.st_mode & 07777)
                            : NewFileMode();
    std::string tmpPath;
    const int fd = CreateTempFileBeside(path, mode, tmpPath);
    if (fd < 0) {
        reason = Reason(errno);
        return false;
    }
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(tmpPath.c_str());
        reason = Reason(err);
        return false;
    };

    // The creation mask may have taken bits that the replaced file had. A file system that
    // stores no modes refuses (FAT: EPERM, FUSE: ENOSYS); the new file then keeps the bits it was
    // created with, never more than asked for, and the save goes on.
    (void)gFileCalls->Fchmod(fd, mode);
    if (!WriteAll(fd, bytes))
        return fail(errno);
    if (fault == AtomicWriteFault::AfterWrite)
        return fail(EIO);
    if (::fsync(fd) != 0)
        return fail(errno);
    if (fault == AtomicWriteFault::AfterFlush)
        return fail(EIO);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpPath.c_str());
        reason = Reason(err);
        return false;
    }
    if (::rename(tmpPath.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmpPath.c_str());
        reason = Reason(err);
        return false;
    }
    SyncFolder(folder);
    return true;
}

bool WriteNewFile(const std::string& path, std::string_view bytes, std::string& reason) {
    constexpr std::string_view kTaken = "eine Datei dieses Namens ist schon vorhanden";
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        reason = kTaken;
        return false;
    }
    const mode_t mode = NewFileMode();
    std::string tmpPath;
    const int fd = CreateTempFileBeside(path, mode, tmpPath);
    if (fd < 0) {
        reason = Reason(errno);
        return false;
    }
    int err = WriteFlushClose(fd, bytes);
    bool unsupported = false;
    if (err == 0)
        err = NameNewFile(tmpPath, path, unsupported);
    else
        ::unlink(tmpPath.c_str());
    // Neither call is there (FAT through FUSE): the file is written at its name itself.
    if (unsupported)
        err = WriteInPlace(path, bytes, mode);
    if (err != 0) {
        reason = err == EEXIST ? std::string(kTaken) : Reason(err);
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}

bool ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                   std::string& reason) {
    bytes.clear();
    // Non-blocking, so that a named pipe in place of a file cannot stall the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        reason = Reason(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        reason = Reason(err);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        reason = S_ISDIR(st.st_mode) ? Reason(EISDIR) : std::string(kNoFile);
        return false;
    }
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        reason = "die Datei ist zu groß";
        return false;
    }
    const bool ok = ReadOpenFile(fd, static_cast<std::size_t>(st.st_size), maxBytes, bytes, reason);
    ::close(fd);
    return ok;
}

bool ReadOpenFile(int fd, std::size_t size, std::size_t maxBytes, std::string& bytes,
                  std::string& reason) {
    bytes.resize(size);
    std::size_t have = 0;
    while (true) {
        if (have == bytes.size())
            bytes.resize(bytes.size() + 4096); // the file may have grown since it was looked at
        const ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            reason = Reason(errno);
            return false;
        }
        if (n == 0)
            break;
        have += static_cast<std::size_t>(n);
        if (have > maxBytes) {
            reason = "die Datei ist zu groß";
            return false;
        }
    }
    bytes.resize(have);
    return true;
}

} // namespace kardo
