// A scripted line of drives for the library tests: a pseudo-terminal responder published as
// "com<N>" in a private ports directory, with drives that identify themselves and a per-test
// handler for every other frame.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "comm/slave_info.h"
#include "tests/support/pty_responder.h"

namespace tarsel::testing {

using Bytes = std::vector<uint8_t>;

// The ports directory of the test process (created once, exported as TARSEL_PORTS_DIR).
const std::string& TestPortsDirectory();

// Information record of a drive the library accepts (major version 8, firmware type 0).
SlaveInfo SupportedDrive(uint16_t type, const char* name = "Test drive");

class ScriptedLine {
public:
    using Handler = std::function<std::vector<Reply>(const Request&)>;

    // Drives answer the information request with their record.  Other slaves stay silent when
    // `silentAbsent`, else they answer at once with a record of unsupported firmware (a fast scan).
    ScriptedLine(unsigned port, std::map<uint8_t, SlaveInfo> drives, bool silentAbsent = false);
    ~ScriptedLine();

    // Answers every frame but the information request; the default answers status 0, no data.
    void SetHandler(Handler handler);
    PtyResponder& Responder() { return *responder_; }
    std::vector<Request> Requests() const { return responder_->Requests(); }
    std::size_t RequestCount() const { return responder_->RequestCount(); }
    unsigned Port() const { return port_; }

private:
    unsigned port_;
    std::map<uint8_t, SlaveInfo> drives_;
    bool silentAbsent_;
    std::mutex mutex_;
    Handler handler_;
    std::unique_ptr<PtyResponder> responder_;
    std::string entry_;
};

}  // namespace tarsel::testing
