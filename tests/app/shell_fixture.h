// The shell under test: a main frame over its own registry, with recording views in every frame
// and a recording dialog service; optionally a simulated line published as a port.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/app/view.h"
#include "gui/app/view_registry.h"
#include "gui/model/port/CCommMaster.h"
#include "sim/simulator.h"
#include "tests/app/recording_dialogs.h"

namespace tarsel::app::testing {

// A view that keeps every message it receives.
class RecordingView : public CView {
public:
    RecordingView(IShell& shell, FrameKind kind, QWidget* parent) : CView(shell, kind, parent) {
        setMinimumSize(200, 100);
    }
    void OnMessage(const Message& message) override {
        received.push_back(message);
        CView::OnMessage(message);
    }
    std::vector<Message> received;
};

inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(2);
    }
    return true;
}

inline void Pump(int ms = 50) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
}

inline sim::DriveConfig SupportedDrive(uint8_t slave, uint16_t model) {
    sim::DriveConfig config;
    config.slave = slave;
    config.modelCode = model;
    config.version = {8, 0, 0, 0};
    return config;
}

class ShellTest : public ::testing::Test {
protected:
    static constexpr uint8_t kPort = 99;

    void SetUp() override {
        ASSERT_TRUE(portsDir_.isValid());
        ::setenv("TARSEL_PORTS_DIR", portsDir_.path().toLocal8Bit().constData(), 1);
        for (int k = 0; k < kFrameKindCount; ++k) {
            const auto kind = static_cast<FrameKind>(k);
            views_.Register(
                kind, ViewRegistry::kAnyType, QStringLiteral("RecordingView"),
                [kind](IShell& shell, QWidget* parent) { return new RecordingView(shell, kind, parent); });
        }
        PortOptions options;
        options.pollPeriod = std::chrono::milliseconds(20);
        options.stopWait = std::chrono::milliseconds(50);
        master_.SetPortOptions(options);
        master_.SetLogEnabled(false);
        master_.LoadDefaultTables(TARSEL_TEST_DATA_DIR);
    }
    void TearDown() override {
        // The polling threads post to the main frame until their port is gone: end them first,
        // as the program does, then the frame.
        master_.DisconnectAll();
        master_.SetMainFrame(nullptr, nullptr);
        frame_.reset();
        line_.Stop();
    }

    void MakeFrame(MainFrameOptions options = {-1, 1000}) {
        frame_ = std::make_unique<CMainFrame>(master_, dialogs_, views_, options);
        master_.SetMainFrame(&frame_->ModelSink(), &frame_->FailureReporter());
        frame_->resize(1200, 900);
        frame_->show();
    }

    // Starts the simulated line with `drives` on port 99.
    void StartLine(const std::vector<sim::DriveConfig>& drives) {
        ASSERT_TRUE(line_.Start());
        ASSERT_TRUE(line_.Publish(kPort));
        for (const auto& d : drives) ASSERT_TRUE(line_.AddDrive(d));
    }
    void Connect() { ASSERT_EQ(frame_->ConnectDirect(kPort, 115200), 0); }

    RecordingView* ViewOf(CChildFrame* frame) const {
        return frame != nullptr ? dynamic_cast<RecordingView*>(frame->View()) : nullptr;
    }

    QTemporaryDir portsDir_;
    sim::SimLine line_;
    CCommMaster master_;
    RecordingDialogs dialogs_;
    ViewRegistry views_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace tarsel::app::testing
