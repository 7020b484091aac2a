#include "tests/library/scripted_line.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace tarsel::testing {

const std::string& TestPortsDirectory() {
    static const std::string directory = [] {
        char pattern[] = "/tmp/tarsel-lib-ports-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        const std::string path = made ? made : "/tmp";
        ::setenv("TARSEL_PORTS_DIR", path.c_str(), 1);
        return path;
    }();
    return directory;
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
