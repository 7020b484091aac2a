#include "base/ini/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

namespace tarsel::ini {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Owns a temporary file until it has been renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path_template) : path_(std::move(path_template)) {
        std::vector<char> buffer(path_.begin(), path_.end());
        buffer.push_back('\0');
        fd_ = ::mkstemp(buffer.data());
        created_ = fd_ >= 0;
        if (created_) path_.assign(buffer.data());
    }
    ~TemporaryFile() {
        Close();
        if (created_ && !committed_) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool valid() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    bool Close() {
        if (fd_ < 0) return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }
    void MarkCommitted() { committed_ = true; }

private:
    std::string path_;
    int fd_ = -1;
    bool created_ = false;
    bool committed_ = false;
};

void SyncDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(target, error)) {
        target = std::filesystem::weakly_canonical(target, error);
        if (error) return false;
    }
    const std::filesystem::path directory =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");

    TemporaryFile temp((directory / ("." + target.filename().string() + ".XXXXXX")).string());
    if (!temp.valid()) return false;

    mode_t mode = 0644;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return false;
        mode = info.st_mode & 07777;
    }
    if (::fchmod(temp.fd(), mode) != 0) return false;
    if (!WriteAll(temp.fd(), bytes)) return false;
    if (::fsync(temp.fd()) != 0) return false;
    if (!temp.Close()) return false;
    if (::rename(temp.path().c_str(), target.c_str()) != 0) return false;
    temp.MarkCommitted();
    SyncDirectory(directory);
    return true;
}

}  // namespace tarsel::ini
