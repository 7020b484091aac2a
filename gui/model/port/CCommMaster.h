// The configuration program's registry of open serial ports and the drives found on them.
// Connecting a port opens it, asks slaves 0 to 15 for their identity and keeps the port when at
// least one supported drive answered.  The registry also owns the six parameter metadata tables
// and the communication-log settings handed to every port.
//
// Threads: Connect, Disconnect and the lookups run on the GUI thread.  The registry mutex guards
// the port table while it changes; lookups read the table without it (slots are atomics).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include "gui/model/port/CCommPort.h"

namespace tarsel {

class CDefaultParam;

class CCommMaster {
public:
    static constexpr std::size_t kPortSlots = 256;
    static constexpr int kConnected = 0;
    static constexpr int kOpenFailed = 1;
    static constexpr int kNoSupportedDrive = 2;

    // The single registry of the program, created on first use.
    static CCommMaster& GetInstance();

    CCommMaster();
    ~CCommMaster();
    CCommMaster(const CCommMaster&) = delete;
    CCommMaster& operator=(const CCommMaster&) = delete;

    // Where boards and ports report to (the main frame); set before the first Connect.
    void SetMainFrame(IMainFrameSink* sink, IFailureReporter* reporter);
    void SetPortOptions(const PortOptions& options) { options_ = options; }

    // Loads the six parameter tables from `directory` (empty: the program's directory), in the
    // order 1, 20, 10, 30, 110, 40.  A table whose file or section is missing stays unloaded.
    void LoadDefaultTables(const std::filesystem::path& directory = {});
    const CDefaultParam* GetDefaultTable(uint8_t typeCode) const;

    int Connect(uint8_t portNumber, uint32_t baudRate);
    void Disconnect(uint8_t portNumber);
    // Closes every port with its boards and thread; the main frame calls it before its sink
    // goes away (the registry itself lives until program exit).
    void DisconnectAll() { DestroyAllPorts(); }
    bool IsConnected(uint8_t portNumber) const { return GetPort(portNumber) != nullptr; }
    bool IsPortOpen(uint8_t portNumber) const;
    CCommPort* GetPort(uint8_t portNumber) const;
    uint8_t GetPortNumberAt(std::size_t index) const;
    uint8_t GetPortCount() const { return portCount_.load(); }
    std::string GetMessageText() const;

    // Board lookups hand out shared ownership: hold the result for one call, never store it (a
    // removed drive's board stays alive, detached, until the last holder lets go).
    std::shared_ptr<CBoardInterface> GetBoard(uint8_t portNumber, uint8_t slave) const;
    std::shared_ptr<CBoardInterface> GetBoardOrFirst(uint8_t portNumber, uint8_t slave) const;
    uint8_t GetBoardCount(uint8_t portNumber) const;
    uint8_t GetFirstSlave(uint8_t portNumber) const;
    uint8_t GetLastSlave(uint8_t portNumber) const;
    uint8_t GetPrevSlave(uint8_t portNumber, uint8_t slave) const;
    uint8_t GetNextSlave(uint8_t portNumber, uint8_t slave) const;
    std::shared_ptr<CBoardInterface> FindBoardOfType(uint8_t portNumber, uint8_t slave,
                                                     uint8_t typeCode) const;
    std::shared_ptr<CBoardInterface> FindBoardOfTypes(uint8_t portNumber, uint8_t slave, uint8_t count,
                                                      const uint8_t* typeCodes) const;

    void SetLogEnabled(bool enabled);
    bool IsLogEnabled() const { return logEnabled_; }
    bool SetLogDirectory(const char* path);
    std::string GetLogDirectory() const { return logDirectory_; }

private:
    void AppendMessage(const std::string& line);
    void DestroyAllPorts();

    mutable std::mutex mutex_;  // the registry mutex
    std::array<std::atomic<CCommPort*>, kPortSlots> ports_{};
    std::atomic<uint8_t> portCount_{0};
    mutable std::mutex messageMutex_;
    std::string message_;

    std::array<std::unique_ptr<CDefaultParam>, 6> tables_;
    IMainFrameSink* sink_ = nullptr;
    IFailureReporter* reporter_ = nullptr;
    PortOptions options_;
    bool logEnabled_ = true;
    std::string logDirectory_;
};

}  // namespace tarsel
