// The daily communication log of a port object.  Every port object keeps its own switch and
// directory; the file itself is shared: all port objects of the process that log into the same
// file write through one writer, so that several ports reach the day's file.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace tarsel {

class LogFileWriter;

// Local time source; tests replace it to cross midnight.
using LocalClock = std::function<std::tm()>;
std::tm SystemLocalTime();

class CCommLog {
public:
    CCommLog();
    ~CCommLog();
    CCommLog(const CCommLog&) = delete;
    CCommLog& operator=(const CCommLog&) = delete;

    void SetEnabled(bool enabled);
    bool IsEnabled() const;
    // Stores a copy; null or empty falls back to the program's directory.  A directory without
    // a trailing separator gets one.
    void SetDirectory(const char* directory);
    std::string Directory() const;
    void SetClock(LocalClock clock);

    // "[%H:%M:%S]" followed by the formatted text (which carries its own "\r\n").
    void WriteMessage(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void WriteMessageV(const char* format, va_list args);
    void DumpSendBuffer(const uint8_t* data, std::size_t length);
    void DumpRecvBuffer(const uint8_t* data, std::size_t length);
    void Close();

    // Path of the file currently written to, empty when none is open.
    std::string CurrentFilePath() const;

    static std::string FileNameFor(const std::tm& localTime);  // "Serial_Logfile_%y_%m_%d.txt"
    static std::string FormatDump(const char* title, const uint8_t* data, std::size_t length);

private:
    void Dump(const char* title, const uint8_t* data, std::size_t length);

    mutable std::mutex mutex_;  // the log mutex: guards the fields below
    bool enabled_ = false;
    std::string directory_;
    LocalClock clock_;
    std::shared_ptr<LogFileWriter> file_;
    std::string filePath_;
    int fileYear_ = -1;
    int fileDayOfYear_ = -1;
};

}  // namespace tarsel
