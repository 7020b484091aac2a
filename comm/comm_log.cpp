#include "comm/comm_log.h"

#include "base/files/program_directory.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <map>

namespace tarsel {

// One open day file, shared by every port object of the process that writes to that path.
class LogFileWriter {
public:
    explicit LogFileWriter(int fd) : fd_(fd) {}
    ~LogFileWriter() { ::close(fd_); }
    LogFileWriter(const LogFileWriter&) = delete;
    LogFileWriter& operator=(const LogFileWriter&) = delete;

    void Write(const std::string& text) {
        std::lock_guard<std::mutex> lock(mutex_);
        const char* p = text.data();
        std::size_t left = text.size();
        while (left > 0) {
            const ssize_t n = ::write(fd_, p, left);
            if (n <= 0) return;  // a failed write loses the text silently
            p += n;
            left -= static_cast<std::size_t>(n);
        }
    }

    static std::shared_ptr<LogFileWriter> Acquire(const std::string& path) {
        static std::mutex registryMutex;
        static std::map<std::string, std::weak_ptr<LogFileWriter>> registry;
        std::lock_guard<std::mutex> lock(registryMutex);
        if (auto existing = registry[path].lock()) return existing;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (fd < 0) return nullptr;
        auto writer = std::make_shared<LogFileWriter>(fd);
        registry[path] = writer;
        return writer;
    }

private:
    std::mutex mutex_;
    int fd_;
};

std::tm SystemLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

CCommLog::CCommLog() : clock_(SystemLocalTime) {}
CCommLog::~CCommLog() = default;

void CCommLog::SetEnabled(bool enabled) {
    std::lock_guard<std::mutex> lock(mutex_);
    enabled_ = enabled;
}

bool CCommLog::IsEnabled() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return enabled_;
}

void CCommLog::SetDirectory(const char* directory) {
    std::lock_guard<std::mutex> lock(mutex_);
    directory_ = directory ? directory : "";
    if (directory_.size() > 519) directory_.resize(519);
    if (!directory_.empty() && directory_.back() != '/') directory_ += '/';
}

std::string CCommLog::Directory() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return directory_;
}

void CCommLog::SetClock(LocalClock clock) {
    std::lock_guard<std::mutex> lock(mutex_);
    clock_ = clock ? std::move(clock) : LocalClock(SystemLocalTime);
}

std::string CCommLog::FileNameFor(const std::tm& localTime) {
    char name[64];
    std::strftime(name, sizeof(name), "Serial_Logfile_%y_%m_%d.txt", &localTime);
    return name;
}

std::string CCommLog::FormatDump(const char* title, const uint8_t* data, std::size_t length) {
    std::string text = title;
    char item[16];
    for (std::size_t i = 0; i < length; ++i) {
        std::snprintf(item, sizeof(item), i % 10 == 0 ? "\r\n\t0x%02X " : "0x%02X ", data[i]);
        text += item;
    }
    text += "\r\n";
    return text;
}

void CCommLog::WriteMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    WriteMessageV(format, args);
    va_end(args);
}

void CCommLog::WriteMessageV(const char* format, va_list args) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!enabled_) return;
    const std::tm now = clock_();
    if (!file_ || now.tm_year != fileYear_ || now.tm_yday != fileDayOfYear_) {
        file_.reset();
        fileYear_ = now.tm_year;
        fileDayOfYear_ = now.tm_yday;
        const std::string directory = directory_.empty() ? ExecutableDirectory() : directory_;
        filePath_ = directory + FileNameFor(now);
        file_ = LogFileWriter::Acquire(filePath_);
    }
    if (!file_) return;

    char stamp[16];
    std::strftime(stamp, sizeof(stamp), "[%H:%M:%S]", &now);
    char message[1024];
    std::vsnprintf(message, sizeof(message), format, args);
    file_->Write(std::string(stamp) + message);
}

void CCommLog::Dump(const char* title, const uint8_t* data, std::size_t length) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!enabled_ || !file_) return;
    file_->Write(FormatDump(title, data, length));
}

void CCommLog::DumpSendBuffer(const uint8_t* data, std::size_t length) {
    Dump("Send_Buffer :", data, length);
}

void CCommLog::DumpRecvBuffer(const uint8_t* data, std::size_t length) {
    if (length == 0) return;
    Dump("Recv_Buffer :", data, length);
}

void CCommLog::Close() {
    std::lock_guard<std::mutex> lock(mutex_);
    file_.reset();
    fileYear_ = fileDayOfYear_ = -1;
}

std::string CCommLog::CurrentFilePath() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return file_ ? filePath_ : std::string();
}

}  // namespace tarsel
