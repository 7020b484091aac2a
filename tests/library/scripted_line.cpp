#include "tests/library/scripted_line.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace tarsel::testing {

namespace {

// A private directory for the test process, removed when the process ends.
struct ScratchDirectory {
    ScratchDirectory() {
        char pattern[] = "/tmp/tarsel-lib-ports-XXXXXX";
        if (const char* made = ::mkdtemp(pattern)) path = made;
        ::setenv("TARSEL_PORTS_DIR", path.c_str(), 1);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

}  // namespace

const std::string& TestPortsDirectory() {
    static const ScratchDirectory directory;
    return directory.path;
}

SlaveInfo SupportedDrive(uint16_t type, const char* name) {
    SlaveInfo info;
    info.version = {8, 1, 2, 3};
    std::strncpy(info.name.data(), name, info.name.size() - 1);
    info.type = type;
    info.inputCount = 12;
    info.outputCount = 10;
    info.tableSize = 256;
    return info;
}

ScriptedLine::ScriptedLine(unsigned port, std::map<uint8_t, SlaveInfo> drives, bool silentAbsent)
    : port_(port), drives_(std::move(drives)), silentAbsent_(silentAbsent) {
    responder_ = std::make_unique<PtyResponder>([this](const Request& request) -> std::vector<Reply> {
        if (request.frameType() == 0x01) {
            const auto drive = drives_.find(request.slave());
            SlaveInfo info = SupportedDrive(1);
            if (drive != drives_.end()) {
                info = drive->second;
            } else if (silentAbsent_) {
                return {};
            } else {
                info.firmwareType = 1;
            }
            Bytes record(kSlaveInfoSize);
            info.Encode(record.data());
            return {{AnswerTo(request, 0, record)}};
        }
        Handler handler;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            handler = handler_;
        }
        if (handler) return handler(request);
        return {{AnswerTo(request, 0)}};
    });
    entry_ = TestPortsDirectory() + "/com" + std::to_string(port);
    std::filesystem::remove(entry_);
    std::filesystem::create_symlink(responder_->DevicePath(), entry_);
}

ScriptedLine::~ScriptedLine() {
    std::error_code ignored;
    std::filesystem::remove(entry_, ignored);
    responder_.reset();
}

void ScriptedLine::SetHandler(Handler handler) {
    std::lock_guard<std::mutex> lock(mutex_);
    handler_ = std::move(handler);
}

}  // namespace tarsel::testing
