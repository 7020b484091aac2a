#include "library/src/CCommMaster.h"

#include <sys/stat.h>

#include <memory>

#include "comm/result_codes.h"

namespace tarsel::lib {
namespace {

bool IsDirectory(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

CCommMaster::CCommMaster() {
    for (auto& slot : slots_) slot.store(nullptr);
}

CCommMaster::~CCommMaster() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& slot : slots_) delete slot.exchange(nullptr);
    count_.store(0);
}

int CCommMaster::Connect(uint8_t port, uint32_t baudRate) {
    if (CCommPort* registered = Find(port)) {
        if (registered->IsOpen()) return kConnected;
        return Reconnect(*registered, baudRate);
    }

    auto object = std::make_unique<CCommPort>();
    if (!object->OpenPort(port, baudRate, 8, 0, 0)) return kCannotOpen;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ApplyLogSettings(*object);
    }
    object->ScanSlaves();
    if (object->SlaveCount() == 0) return kNoSupportedSlave;  // the destructor closes the port

    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& slot : slots_) {
        if (slot.load(std::memory_order_relaxed) != nullptr) continue;
        slot.store(object.release(), std::memory_order_release);
        count_.fetch_add(1, std::memory_order_acq_rel);
        return kConnected;
    }
    return kCannotOpen;
}

int CCommMaster::Reconnect(CCommPort& object, uint32_t baudRate) {
    // The port closed itself after its line failed.  The object stays registered (callers may
    // hold it between calls), so it is opened and scanned afresh in place.  If that fails it
    // stays closed with the slaves it had, and its calls keep returning 5.
    const CCommPort::SlaveTable before = object.Slaves();
    if (!object.OpenPort(object.PortNumber(), baudRate, 8, 0, 0)) return kCannotOpen;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ApplyLogSettings(object);
    }
    object.ForgetSlaves();
    object.ScanSlaves();
    if (object.SlaveCount() != 0) return kConnected;
    object.ClosePort();
    object.RestoreSlaves(before);
    return kNoSupportedSlave;
}

void CCommMaster::Close(uint8_t port) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& slot : slots_) {
        CCommPort* object = slot.load(std::memory_order_acquire);
        if (object == nullptr || object->PortNumber() != port) continue;
        object->ClosePort();
        slot.store(nullptr, std::memory_order_release);
        delete object;
        if (count_.load() > 0) count_.fetch_sub(1, std::memory_order_acq_rel);
        return;
    }
}

CCommPort* CCommMaster::Find(uint8_t port) const {
    if (PortCount() == 0) return nullptr;
    for (const auto& slot : slots_) {
        CCommPort* object = slot.load(std::memory_order_acquire);
        if (object != nullptr && object->PortNumber() == port) return object;
    }
    return nullptr;
}

uint8_t CCommMaster::ResolvePort(uint8_t port, CCommPort** object) const {
    if (PortCount() == 0) return kResultNotOpen;
    CCommPort* found = Find(port);
    if (found == nullptr) return kResultInvalidPort;
    *object = found;
    return kResultSuccess;
}

uint8_t CCommMaster::ResolveSlave(uint8_t port, uint8_t slave, CCommPort** object) const {
    CCommPort* found = nullptr;
    const uint8_t result = ResolvePort(port, &found);
    if (result != kResultSuccess) return result;
    if (!found->SlaveExists(slave)) return kResultInvalidSlave;
    *object = found;
    return kResultSuccess;
}

void CCommMaster::ApplyLogSettings(CCommPort& port) const {
    port.SetLogEnabled(logEnabled_);
    port.SetLogDirectory(logDirectory_.c_str());
}

void CCommMaster::SetLogEnabled(bool enabled) {
    std::lock_guard<std::mutex> lock(mutex_);
    logEnabled_ = enabled;
    for (auto& slot : slots_) {
        if (CCommPort* object = slot.load(std::memory_order_acquire)) object->SetLogEnabled(enabled);
    }
}

bool CCommMaster::SetLogDirectory(const char* directory) {
    std::string stored;
    if (directory != nullptr && directory[0] != '\0' &&
        std::char_traits<char>::length(directory) < kLogDirectoryLimit) {
        if (!IsDirectory(directory)) return false;
        stored = directory;
        const char last = stored.back();
        if (last != '/' && last != '\\') stored += '/';
    }
    std::lock_guard<std::mutex> lock(mutex_);
    logDirectory_ = stored;
    for (auto& slot : slots_) {
        if (CCommPort* object = slot.load(std::memory_order_acquire))
            object->SetLogDirectory(logDirectory_.c_str());
    }
    return true;
}

bool CCommMaster::LogEnabled() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return logEnabled_;
}

std::string CCommMaster::LogDirectory() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return logDirectory_;
}

}  // namespace tarsel::lib
