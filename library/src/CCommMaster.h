// The library's registry of connected ports.  One instance lives as long as the library is
// loaded; it owns every port object and closes them all when it is destroyed.
//
// Locks: the registry mutex guards slot changes, the count and the log settings; lookups read
// the slots without it (the slots are atomic).  Lock order: registry mutex, then port mutex,
// then log mutex.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "library/src/CCommPort.h"

namespace tarsel::lib {

constexpr std::size_t kPortSlots = 256;
constexpr std::size_t kLogDirectoryLimit = 516;  // longer names clear the directory

class CCommMaster {
public:
    enum ConnectResult : int { kConnected = 0, kCannotOpen = 1, kNoSupportedSlave = 2 };

    CCommMaster();
    ~CCommMaster();  // closes every port
    CCommMaster(const CCommMaster&) = delete;
    CCommMaster& operator=(const CCommMaster&) = delete;

    // Connects a port: opens it, scans slaves 0..15 and registers it when at least one
    // supported slave answered.  An already connected port returns kConnected at once; a
    // registered port that closed itself after a line failure is opened and scanned again.
    int Connect(uint8_t port, uint32_t baudRate);
    // Closes and forgets the port; unknown ports are ignored.
    void Close(uint8_t port);
    CCommPort* Find(uint8_t port) const;
    int PortCount() const { return count_.load(std::memory_order_acquire); }

    // The checks of every per-slave call, in order: 1 no port at all, 2 port not connected,
    // 3 slave above 15 or absent.  On 0 `*port` is set.
    uint8_t ResolveSlave(uint8_t port, uint8_t slave, CCommPort** object) const;
    // The checks of the calls for a whole port: 1, 2 as above.
    uint8_t ResolvePort(uint8_t port, CCommPort** object) const;

    void SetLogEnabled(bool enabled);
    // False (nothing changed) when the text names no existing directory; null, empty or too
    // long texts clear the directory.
    bool SetLogDirectory(const char* directory);
    bool LogEnabled() const;
    std::string LogDirectory() const;

private:
    void ApplyLogSettings(CCommPort& port) const;
    int Reconnect(CCommPort& object, uint32_t baudRate);

    std::array<std::atomic<CCommPort*>, kPortSlots> slots_{};
    std::atomic<int> count_{0};  // wide enough for all 256 slots
    mutable std::mutex mutex_;   // the registry mutex
    bool logEnabled_ = true;
    std::string logDirectory_;
};

}  // namespace tarsel::lib
