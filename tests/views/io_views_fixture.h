// The I/O windows in the shell, against the simulated line on port 99.
#pragma once

#include <QComboBox>
#include <QMdiArea>
#include <QPushButton>

#include "gui/app/child_frame.h"
#include "gui/app/loading_sequence.h"
#include "gui/views/io_monitor_view.h"
#include "gui/views/io_setting_view.h"
#include "tests/app/shell_fixture.h"

namespace tarsel::views::testing {

using app::BoardRef;
using app::CChildFrame;
using app::FrameKind;
using app::LookupBoard;
using app::Message;
using app::MsgKind;
using app::testing::Pump;
using app::testing::SupportedDrive;
using app::testing::WaitFor;

class IoViewsTest : public app::testing::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        RegisterIoMonitorView(views_);
        RegisterIoSettingView(views_);
    }

    // Connects to a line with `drives` (slave, model code).
    void Start(const std::vector<std::pair<uint8_t, uint16_t>>& drives) {
        std::vector<sim::DriveConfig> configs;
        for (const auto& [slave, model] : drives) configs.push_back(SupportedDrive(slave, model));
        StartLine(configs);
        MakeFrame();
        Connect();
    }

    CChildFrame* Open(FrameKind kind, uint8_t slave) {
        frame_->Send(Message::Open(app::Spec(kind).message, kPort, slave));
        WaitFor([&] { return frame_->Frame(kind) != nullptr && frame_->Frame(kind)->View() != nullptr; });
        CChildFrame* child = frame_->Frame(kind);
        // The view serves its drive once the I/O map is read and the loading sequence ended.
        const BoardRef board = LookupBoard(master_, kPort, slave);
        if (!board) {
            ADD_FAILURE() << "no drive at slave " << int(slave);
            return nullptr;
        }
        EXPECT_TRUE(WaitFor([&] { return board->ioLoaded.load() && !frame_->Loader().Running(); }));
        Pump(60);
        return child;
    }

    CViewIOMonitor* OpenMonitor(uint8_t slave) {
        CChildFrame* child = Open(FrameKind::IoMonitor, slave);
        return child ? dynamic_cast<CViewIOMonitor*>(child->View()) : nullptr;
    }
    CViewIOSetting* OpenSetting(uint8_t slave) {
        CChildFrame* child = Open(FrameKind::IoSetting, slave);
        return child ? dynamic_cast<CViewIOSetting*>(child->View()) : nullptr;
    }

    // Frames of one type the line received since the last ClearRequestLog.
    std::vector<sim::RequestRecord> Requests(uint8_t frameType) const {
        std::vector<sim::RequestRecord> out;
        for (const auto& r : line_.RequestLog())
            if (r.frameType == frameType) out.push_back(r);
        return out;
    }

    // The user picks `entry` in a row's list.
    static void Choose(QComboBox* list, int entry) {
        list->setCurrentIndex(entry);
        emit list->activated(entry);
    }

    uint8_t InputSignal(uint8_t slave, uint8_t pin) const {
        return line_.GetInputAssignment(slave, pin).value_or(std::pair<uint8_t, uint8_t>{0xFF, 0xFF}).first;
    }
    uint8_t InputLevel(uint8_t slave, uint8_t pin) const {
        return line_.GetInputAssignment(slave, pin).value_or(std::pair<uint8_t, uint8_t>{0xFF, 0xFF}).second;
    }
};

}  // namespace tarsel::views::testing
