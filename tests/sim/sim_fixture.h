// Test fixture: a simulated line on a real pty, reached through the project's transport.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "comm/CRs232CB.h"
#include "comm/frame.h"
#include "sim/simulator.h"

namespace tarsel::sim::testing {

using Bytes = std::vector<uint8_t>;

inline Bytes U16(uint16_t v) {
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
}
inline Bytes U32(uint32_t v) {
    Bytes b(4);
    PutU32(b.data(), v);
    return b;
}
inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A temporary directory removed at the end of the test.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarsel-sim-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Polls `done` until it holds or `timeout` passes.
inline bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
}

class SimLineTest : public ::testing::Test {
protected:
    // Starts the line with `drives`; the metadata comes from an empty directory (the built-in
    // tables) unless the test wrote files into `data`.
    void StartLine(const std::vector<DriveConfig>& drives,
                   TransportConfig config = TransportConfig::Library()) {
        LineOptions options;
        options.dataDirectory = data.Path();
        ASSERT_TRUE(line.Start(options));
        for (const DriveConfig& d : drives) ASSERT_TRUE(line.AddDrive(d));
        port = std::make_unique<CRs232CB>(config);
        ASSERT_TRUE(port->OpenDevice(line.DevicePath(), 99, 115200)) << port->LastOpenErrorText();
        port->SetLogEnabled(false);
    }

    uint8_t Send(uint8_t slave, uint8_t type, const Bytes& data = {}, Bytes* answer = nullptr,
                 uint32_t answerLength = 0, uint32_t timeoutMs = 100) {
        Bytes buffer(answerLength);
        uint8_t rc = port->DoSendCommand(slave, type, data.data(), static_cast<uint32_t>(data.size()),
                                         answerLength ? buffer.data() : nullptr, answerLength, timeoutMs);
        if (answer) *answer = buffer;
        return rc;
    }

    uint32_t AxisStatus(uint8_t slave) {
        Bytes a;
        EXPECT_EQ(Send(slave, 0x40, {}, &a, 4), 0);
        return GetU32(a.data());
    }

    // The last request the line logged for `slave` with frame type `type`.
    RequestRecord LastRecord(uint8_t slave, uint8_t type) {
        auto log = line.RequestLog();
        for (auto it = log.rbegin(); it != log.rend(); ++it)
            if (it->slave == slave && it->frameType == type) return *it;
        ADD_FAILURE() << "no request of type " << int{type} << " to slave " << int{slave};
        return {};
    }

    static DriveConfig Drive(uint8_t slave, uint16_t model) {
        DriveConfig c;
        c.slave = slave;
        c.modelCode = model;
        return c;
    }

    TempDir data;
    SimLine line;
    std::unique_ptr<CRs232CB> port;
};

}  // namespace tarsel::sim::testing
