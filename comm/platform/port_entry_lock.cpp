#ifdef __linux__

#include "comm/platform/port_entry_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <utility>

namespace tarsel::platform {
namespace {

// Owns a descriptor for the length of a check.
struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

std::string ReadAll(int fd) {
    std::string text;
    char buffer[PATH_MAX];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > PATH_MAX) break;
    }
    return text;
}

std::string LinkTarget(const std::string& path) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof(target) - 1);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

std::string PortEntryLockPath(const std::string& entryPath) {
    return entryPath + ".lock";
}

bool PortEntryLock::Acquire(const std::string& entryPath, const std::string& target) {
    Release();
    const std::string path = PortEntryLockPath(entryPath);
    Fd file{::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644)};
    if (file.fd < 0) return false;
    if (::flock(file.fd, LOCK_EX | LOCK_NB) != 0) return false;  // a live publisher has it
    if (::ftruncate(file.fd, 0) != 0) return false;
    const ssize_t written = ::pwrite(file.fd, target.data(), target.size(), 0);
    if (written != static_cast<ssize_t>(target.size())) return false;
    fd_ = file.fd;
    file.fd = -1;
    path_ = path;
    return true;
}

PortEntryLock& PortEntryLock::operator=(PortEntryLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = other.fd_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
        other.path_.clear();
    }
    return *this;
}

void PortEntryLock::Release() {
    if (fd_ < 0) return;
    // Removed while still held, so nobody can take a lock on a file that is going away.
    ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

bool IsStalePortEntry(const std::string& entryPath) {
    Fd file{::open(PortEntryLockPath(entryPath).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW)};
    if (file.fd < 0) return false;  // no publisher recorded: a link of the user's own
    if (::flock(file.fd, LOCK_SH | LOCK_NB) != 0) return false;  // the publisher is alive
    const std::string recorded = ReadAll(file.fd);
    ::flock(file.fd, LOCK_UN);
    // A link replaced by hand after the publisher went is the user's, not the publisher's.
    return !recorded.empty() && recorded == LinkTarget(entryPath);
}

}  // namespace tarsel::platform

#endif  // __linux__
