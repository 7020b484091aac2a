// Shared pieces of the drive model tests: a recording main frame, a scripted failure report, and
// a simulated line published as a numbered port with a registry that connects to it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "gui/model/board/failure_reporter.h"
#include "gui/model/board/main_frame_sink.h"
#include "gui/model/port/CCommMaster.h"
#include "sim/simulator.h"

namespace tarsel::test {

struct Message {
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    bool sent = false;
    std::string text;  // the line of a command message
};

class RecordingSink : public IMainFrameSink {
public:
    using SendHandler = std::function<bool(const Message&, const std::stop_token&)>;
    // Runs inside Send before the message is recorded; false abandons it.
    void SetOnSend(SendHandler handler) {
        std::lock_guard<std::mutex> lock(mutex_);
        onSend_ = std::move(handler);
    }

    // Runs inside CommandLine before the line is recorded.
    void SetOnLine(std::function<void(const std::string&)> handler) {
        std::lock_guard<std::mutex> lock(mutex_);
        onLine_ = std::move(handler);
    }
    void CommandLine(std::string line) override {
        std::function<void(const std::string&)> handler;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            handler = onLine_;
        }
        if (handler) handler(line);
        Record({kMsgCommandLine, 0, 0, true, std::move(line)});
    }
    bool Send(uint32_t message, uintptr_t wParam, intptr_t lParam, std::stop_token cancel) override {
        Message m{message, wParam, lParam, true, {}};
        SendHandler handler;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            handler = onSend_;
        }
        if (handler && !handler(m, cancel)) return false;
        Record(std::move(m));
        return true;
    }
    void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        Record({message, wParam, lParam, false, {}});
    }

    std::vector<Message> Messages() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return messages_;
    }
    std::vector<Message> Of(uint32_t message) const {
        std::vector<Message> out;
        for (const auto& m : Messages()) {
            if (m.message == message) out.push_back(m);
        }
        return out;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.clear();
    }
    bool WaitFor(const std::function<bool(const std::vector<Message>&)>& done,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::unique_lock<std::mutex> lock(mutex_);
        return cv_.wait_for(lock, timeout, [&] { return done(messages_); });
    }

private:
    void Record(Message m) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            messages_.push_back(std::move(m));
        }
        cv_.notify_all();
    }
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<Message> messages_;
    SendHandler onSend_;
    std::function<void(const std::string&)> onLine_;
};

class ScriptedReporter : public IFailureReporter {
public:
    // Runs while the box is "open", before it is answered (a nested event loop of the GUI).
    void SetWhileOpen(std::function<void(const FailureBox&)> handler) {
        std::lock_guard<std::mutex> lock(mutex_);
        whileOpen_ = std::move(handler);
    }
    BoxAnswer Show(const FailureBox& box) override {
        std::function<void(const FailureBox&)> whileOpen;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            whileOpen = whileOpen_;
        }
        if (whileOpen) whileOpen(box);
        std::lock_guard<std::mutex> lock(mutex_);
        boxes_.push_back(box);
        if (answers_.empty()) return box.retryCancel ? BoxAnswer::Cancel : BoxAnswer::Ok;
        const BoxAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    void Answer(BoxAnswer answer) {
        std::lock_guard<std::mutex> lock(mutex_);
        answers_.push_back(answer);
    }
    std::vector<FailureBox> Boxes() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return boxes_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<FailureBox> boxes_;
    std::deque<BoxAnswer> answers_;
    std::function<void(const FailureBox&)> whileOpen_;
};

// A drive the registry accepts: firmware version 8.
inline sim::DriveConfig Drive(uint8_t slave, uint16_t model) {
    sim::DriveConfig config;
    config.slave = slave;
    config.modelCode = model;
    config.version = {8, 0, 0, 0};
    return config;
}

// Requests of one frame type the line received from a slave.
inline std::size_t CountRequests(const sim::SimLine& line, uint8_t slave, uint8_t frameType) {
    std::size_t count = 0;
    for (const auto& r : line.RequestLog()) {
        if (r.slave == slave && r.frameType == frameType) ++count;
    }
    return count;
}

inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// A simulated line published as a port, and a registry with a recording main frame.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        static const std::string portsDir = [] {
            const auto dir =
                std::filesystem::temp_directory_path() / ("tarsel-model-tests-" + std::to_string(::getpid()));
            std::filesystem::create_directories(dir);
            ::setenv("TARSEL_PORTS_DIR", dir.c_str(), 1);
            return dir.string();
        }();
        static unsigned nextPort = 20;
        port_ = static_cast<uint8_t>(nextPort++);
        ASSERT_TRUE(line_.Start());
        ASSERT_TRUE(line_.Publish(port_));
        PortOptions options;
        options.pollPeriod = std::chrono::milliseconds(20);
        options.stopWait = std::chrono::milliseconds(50);
        master_.SetPortOptions(options);
        master_.SetMainFrame(&sink_, &reporter_);
        master_.SetLogEnabled(false);
        master_.LoadDefaultTables(TARSEL_TEST_DATA_DIR);
    }
    void TearDown() override {
        master_.Disconnect(port_);
        line_.Stop();
    }

    // Adds the drives and connects; returns the connect result.
    int ConnectWith(const std::vector<sim::DriveConfig>& drives) {
        for (const auto& d : drives) EXPECT_TRUE(line_.AddDrive(d));
        return master_.Connect(port_, 115200);
    }

    uint8_t port_ = 0;
    sim::SimLine line_;
    RecordingSink sink_;
    ScriptedReporter reporter_;
    CCommMaster master_;
};

}  // namespace tarsel::test
