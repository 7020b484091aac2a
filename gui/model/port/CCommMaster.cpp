#include "gui/model/port/CCommMaster.h"

#include <cstdio>
#include <cstring>
#include <system_error>

#include "formats/metadata/CDefaultParam.h"
#include "gui/model/board/board_type_info.h"
#include "gui/model/port/default_tables.h"

namespace tarsel {
namespace {

// The order in which the tables are kept and loaded.
constexpr std::array<uint8_t, 6> kTableOrder{
    board_type::kServo,    board_type::kStepper,           board_type::kMotionController,
    board_type::kAbsServo, board_type::kMotionController2, board_type::kBldc};

bool IsSupportedModel(uint16_t code) {
    for (uint8_t type : kTableOrder) {
        if (code == type) return true;
    }
    return false;
}

}  // namespace

CCommMaster& CCommMaster::GetInstance() {
    static CCommMaster instance;
    return instance;
}

CCommMaster::CCommMaster() {
    for (std::size_t i = 0; i < kTableOrder.size(); ++i) tables_[i] = MakeDefaultTable(kTableOrder[i]);
}

CCommMaster::~CCommMaster() {
    DestroyAllPorts();
}

void CCommMaster::DestroyAllPorts() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& slot : ports_) delete slot.exchange(nullptr);
    portCount_ = 0;
}

void CCommMaster::SetMainFrame(IMainFrameSink* sink, IFailureReporter* reporter) {
    sink_ = sink;
    reporter_ = reporter;
}

void CCommMaster::LoadDefaultTables(const std::filesystem::path& directory) {
    for (std::size_t i = 0; i < kTableOrder.size(); ++i) {
        const BoardTypeInfo& type = TypeInfo(kTableOrder[i]);
        LoadDefaultTable(*tables_[i], directory, type.defaultFile, type.defaultSection);
    }
}

const CDefaultParam* CCommMaster::GetDefaultTable(uint8_t typeCode) const {
    for (std::size_t i = 0; i < kTableOrder.size(); ++i) {
        if (kTableOrder[i] == typeCode) return tables_[i].get();
    }
    return tables_[0].get();
}

void CCommMaster::AppendMessage(const std::string& line) {
    std::lock_guard<std::mutex> lock(messageMutex_);
    if (!message_.empty()) message_ += "\n\r";
    message_ += line;
}

std::string CCommMaster::GetMessageText() const {
    std::lock_guard<std::mutex> lock(messageMutex_);
    return message_;
}

int CCommMaster::Connect(uint8_t portNumber, uint32_t baudRate) {
    {
        std::lock_guard<std::mutex> lock(messageMutex_);
        message_.clear();
    }
    if (IsConnected(portNumber)) return kConnected;

    auto port = std::make_unique<CCommPort>(PortEnvironment{sink_, reporter_, options_});
    if (!port->OpenPort(portNumber, baudRate, 8, 0, 0)) return kOpenFailed;
    port->SetLogEnabled(logEnabled_);
    port->SetLogDirectory(logDirectory_.c_str());

    char line[128];
    for (uint8_t slave = 0; slave < CCommPort::kSlaveCount; ++slave) {
        SlaveInfo info;
        if (port->DoCmdGetSlaveInfo(slave, &info) != 0) continue;
        if (info.firmwareType != 0) {
            std::snprintf(line, sizeof line, "SlaveNo : %2d\tNot supported firmware type", slave);
            AppendMessage(line);
        } else if (info.version[0] != 8) {
            std::snprintf(line, sizeof line, "SlaveNo : %2d\tNot supported firmware version [V%d.%d.%d.%d]",
                          slave, info.version[0], info.version[1], info.version[2], info.version[3]);
            AppendMessage(line);
        } else if (IsSupportedModel(info.type)) {
            port->AddBoard(slave, info, GetDefaultTable(static_cast<uint8_t>(info.type)));
        } else {
            std::snprintf(line, sizeof line, "SlaveNo : %2d\tNot supported drive model [%d]", slave,
                          info.type);
            AppendMessage(line);
        }
    }

    if (port->GetBoardCount() == 0) return kNoSupportedDrive;
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& slot : ports_) {
        if (slot.load() == nullptr) {
            slot.store(port.release());
            ++portCount_;
            return kConnected;
        }
    }
    return kOpenFailed;  // the table is full: the port closes with its object
}

void CCommMaster::Disconnect(uint8_t portNumber) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& slot : ports_) {
        CCommPort* port = slot.load();
        if (port && port->PortNumber() == portNumber) {
            port->ClosePort();
            slot.store(nullptr);
            delete port;
            if (portCount_.load() > 0) --portCount_;
            return;
        }
    }
}

CCommPort* CCommMaster::GetPort(uint8_t portNumber) const {
    for (const auto& slot : ports_) {
        CCommPort* port = slot.load();
        if (port && port->PortNumber() == portNumber) return port;
    }
    return nullptr;
}

bool CCommMaster::IsPortOpen(uint8_t portNumber) const {
    const CCommPort* port = GetPort(portNumber);
    return port && port->IsOpen();
}

uint8_t CCommMaster::GetPortNumberAt(std::size_t index) const {
    if (index >= portCount_.load() || index >= kPortSlots) return 0;
    const CCommPort* port = ports_[index].load();
    return port ? port->PortNumber() : 0;
}

std::shared_ptr<CBoardInterface> CCommMaster::GetBoard(uint8_t portNumber, uint8_t slave) const {
    const CCommPort* port = GetPort(portNumber);
    return port && slave < CCommPort::kSlaveCount ? port->GetBoard(slave) : nullptr;
}

std::shared_ptr<CBoardInterface> CCommMaster::GetBoardOrFirst(uint8_t portNumber, uint8_t slave) const {
    const CCommPort* port = GetPort(portNumber);
    if (!port || port->GetBoardCount() == 0) return nullptr;
    if (auto board = port->GetBoard(slave)) return board;
    return port->GetBoard(port->GetFirstSlave());
}

uint8_t CCommMaster::GetBoardCount(uint8_t portNumber) const {
    const CCommPort* port = GetPort(portNumber);
    return port ? port->GetBoardCount() : 0;
}

uint8_t CCommMaster::GetFirstSlave(uint8_t portNumber) const {
    const CCommPort* port = GetPort(portNumber);
    return port ? port->GetFirstSlave() : 0;
}

uint8_t CCommMaster::GetLastSlave(uint8_t portNumber) const {
    const CCommPort* port = GetPort(portNumber);
    return port ? port->GetLastSlave() : 0;
}

uint8_t CCommMaster::GetPrevSlave(uint8_t portNumber, uint8_t slave) const {
    const CCommPort* port = GetPort(portNumber);
    return port ? port->GetPrevSlave(slave) : slave;
}

uint8_t CCommMaster::GetNextSlave(uint8_t portNumber, uint8_t slave) const {
    const CCommPort* port = GetPort(portNumber);
    return port ? port->GetNextSlave(slave) : slave;
}

std::shared_ptr<CBoardInterface> CCommMaster::FindBoardOfTypes(uint8_t portNumber, uint8_t slave,
                                                               uint8_t count,
                                                               const uint8_t* typeCodes) const {
    const CCommPort* port = GetPort(portNumber);
    if (!port || port->GetBoardCount() == 0 || !typeCodes) return nullptr;
    const auto matches = [&](const std::shared_ptr<CBoardInterface>& board) {
        if (!board) return false;
        for (uint8_t i = 0; i < count; ++i) {
            if (board->GetBoardType() == typeCodes[i]) return true;
        }
        return false;
    };
    if (auto board = port->GetBoard(slave); matches(board)) return board;
    for (uint8_t s = 0; s < CCommPort::kSlaveCount; ++s) {
        if (auto board = port->GetBoard(s); matches(board)) return board;
    }
    return nullptr;
}

std::shared_ptr<CBoardInterface> CCommMaster::FindBoardOfType(uint8_t portNumber, uint8_t slave,
                                                              uint8_t typeCode) const {
    return FindBoardOfTypes(portNumber, slave, 1, &typeCode);
}

void CCommMaster::SetLogEnabled(bool enabled) {
    logEnabled_ = enabled;
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& slot : ports_) {
        if (CCommPort* port = slot.load()) port->SetLogEnabled(enabled);
    }
}

bool CCommMaster::SetLogDirectory(const char* path) {
    const std::size_t length = path ? std::strlen(path) : 0;
    if (length > 0 && length < 516) {
        std::error_code error;
        if (!std::filesystem::is_directory(path, error)) return false;
        logDirectory_ = path;
        if (logDirectory_.back() != '\\' && logDirectory_.back() != '/') logDirectory_ += '/';
    } else {
        logDirectory_.clear();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& slot : ports_) {
        if (CCommPort* port = slot.load()) port->SetLogDirectory(logDirectory_.c_str());
    }
    return true;
}

}  // namespace tarsel
