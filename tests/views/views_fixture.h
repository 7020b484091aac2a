// The test views in the shell against the simulated line: the shell fixture with the real motion
// and repeat views registered, and helpers to open their frames and reach their controls.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui/views/CViewMotion.h"
#include "gui/views/CViewRepeat.h"
#include "tests/app/shell_fixture.h"

namespace tarsel::views::testing {

using app::CChildFrame;
using app::FrameKind;
using app::Message;
using app::MsgKind;
using app::testing::Pump;
using app::testing::SupportedDrive;
using app::testing::WaitFor;

class ViewsTest : public app::testing::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        RegisterMotionViews(views_);
        RegisterRepeatView(views_);
    }

    // Starts the line with `drives`, shows the main frame and connects.
    void Start(const std::vector<sim::DriveConfig>& drives) {
        StartLine(drives);
        MakeFrame();
        Connect();
    }

    CBoardInterface* BoardOf(uint8_t slave) { return master_.GetBoard(kPort, slave).get(); }

    // Opens the motion test for `slave` and waits until its view shows the drive with its data.
    CViewMotion* OpenMotion(uint8_t slave) {
        frame_->Post(Message::Open(MsgKind::MotionFrame, kPort, slave));
        CViewMotion* view = nullptr;
        const bool ready = WaitFor([&] {
            CChildFrame* frame = frame_->Frame(FrameKind::Motion);
            view = frame != nullptr ? dynamic_cast<CViewMotion*>(frame->View()) : nullptr;
            return view != nullptr && view->HasDrive() && view->Slave() == slave &&
                   view->findChild<QWidget*>(QStringLiteral("motionBody"))->isEnabled();
        });
        return ready ? view : nullptr;
    }

    // Opens a new repeat test for `slave` and waits until it shows the drive.
    CViewRepeat* OpenRepeat(uint8_t slave) {
        const std::size_t before = frame_->RepeatFrames().size();
        frame_->Post(Message::Open(MsgKind::RepeatFrame, kPort, slave));
        CViewRepeat* view = nullptr;
        const bool ready = WaitFor([&] {
            if (frame_->RepeatFrames().size() <= before) return false;
            CChildFrame* frame = frame_->RepeatFrames().back();
            view = frame != nullptr ? dynamic_cast<CViewRepeat*>(frame->View()) : nullptr;
            return view != nullptr && view->HasDrive() && view->Slave() == slave &&
                   view->findChild<QWidget*>(QStringLiteral("repeatBody"))->isEnabled();
        });
        return ready ? view : nullptr;
    }

    template <class T = QWidget>
    static T* Child(QWidget* root, const char* name) {
        T* child = root->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static void Click(QWidget* root, const char* name) {
        auto* button = Child<QPushButton>(root, name);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled()) << name;
        button->click();
    }

    std::optional<sim::AxisState> Axis(uint8_t slave) { return line_.GetAxisState(slave); }
    bool Moving(uint8_t slave) { return (Axis(slave)->status & (1u << 27)) != 0; }
};

}  // namespace tarsel::views::testing
