// Each row of the main frame's routing: which open frames a message reaches, which are passed
// over while active, what happens to repeat frames and the modeless dialogs.
#include <QMdiArea>
#include <algorithm>

#include "gui/app/routing.h"
#include "tests/app/shell_fixture.h"

namespace tarsel::app::testing {
namespace {

using F = FrameKind;

struct RouteCase {
    MsgKind kind;
    std::vector<F> receivers;      // open frames that receive it while another frame is active
    std::vector<F> skippedActive;  // receivers that do not get it while they are active
};

// Written out from the program's message table, independently of the routing code.
const std::vector<RouteCase> kCases = {
    {MsgKind::DriveGoingAway,
     {F::ParamList, F::AxisParam, F::Motion, F::IoMonitor, F::IoSetting, F::PosTable, F::Bldc},
     {}},
    {MsgKind::DataReloaded,
     {F::BoardList, F::ParamList, F::Bldc, F::AxisParam, F::Motion, F::IoMonitor, F::IoSetting, F::PosTable},
     {}},
    {MsgKind::ParameterChanged,
     {F::BoardList, F::ParamList, F::AxisParam, F::Motion, F::IoMonitor, F::IoSetting},
     {F::BoardList, F::ParamList, F::AxisParam, F::Motion, F::IoMonitor, F::IoSetting}},
    {MsgKind::IoAssignChanged, {F::IoMonitor, F::IoSetting}, {F::IoMonitor, F::IoSetting}},
    {MsgKind::IoLevelChanged, {F::IoMonitor, F::IoSetting}, {}},
    {MsgKind::PosItemWritten, {F::PosTable}, {}},
    {MsgKind::BldcParamChanged, {F::Bldc}, {F::Bldc}},
    {MsgKind::ServoSwitched, {F::IoMonitor}, {F::IoMonitor}},
    {MsgKind::PosItemEdited, {F::PosTable}, {}},
};

class RoutingTest : public ShellTest, public ::testing::WithParamInterface<RouteCase> {
protected:
    // Opens every frame kind (two repeat frames) for slave 3 of port 7.
    void OpenAll() {
        for (int k = 0; k < kFrameKindCount; ++k) {
            const auto kind = static_cast<F>(k);
            frame_->Send(Message::Open(Spec(kind).message, 7, 3));
        }
        frame_->Send(Message::Open(MsgKind::RepeatFrame, 7, 4));
        Pump();
    }
    std::vector<F> Receivers(MsgKind kind) {
        std::vector<F> out;
        for (int k = 0; k < kFrameKindCount; ++k) {
            const auto fk = static_cast<F>(k);
            if (fk == F::Repeat) continue;
            RecordingView* view = ViewOf(frame_->Frame(fk));
            if (view == nullptr) continue;
            if (std::any_of(view->received.begin(), view->received.end(),
                            [&](const Message& m) { return m.kind == kind; }))
                out.push_back(fk);
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    void ClearRecords() {
        for (int k = 0; k < kFrameKindCount; ++k) {
            if (RecordingView* view = ViewOf(frame_->Frame(static_cast<F>(k)))) view->received.clear();
        }
    }
};

TEST_P(RoutingTest, DeliversToExactlyItsFrames) {
    const RouteCase& c = GetParam();
    MakeFrame();
    OpenAll();
    std::vector<F> expected = c.receivers;
    std::sort(expected.begin(), expected.end());

    // The repeat frame is active: no receiver is passed over.
    frame_->Mdi()->setActiveSubWindow(frame_->RepeatFrames().back());
    ClearRecords();
    frame_->Send(Message::Drive(c.kind, 7, 5, 1));
    EXPECT_EQ(Receivers(c.kind), expected) << KindName(c.kind);

    // Each receiver in turn is active: it is passed over exactly when the row says so.
    for (F active : c.receivers) {
        if (c.kind == MsgKind::DriveGoingAway)
            break;  // the dialogs and repeat frames are gone after the first
        frame_->Mdi()->setActiveSubWindow(frame_->Frame(active));
        ClearRecords();
        frame_->Send(Message::Drive(c.kind, 7, 5, 1));
        std::vector<F> want = expected;
        if (std::find(c.skippedActive.begin(), c.skippedActive.end(), active) != c.skippedActive.end())
            want.erase(std::find(want.begin(), want.end(), active));
        EXPECT_EQ(Receivers(c.kind), want)
            << KindName(c.kind) << " with frame " << static_cast<int>(active) << " active";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, RoutingTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RouteCase>& info) {
                             return std::string(KindName(info.param.kind));
                         });

TEST(RoutingTable, EveryDriveMessageHasOneRow) {
    for (uint32_t n = kFirstMessage; n <= kLastMessage; ++n) {
        const auto kind = static_cast<MsgKind>(n);
        const bool handledByFrame = IsFrameMessage(kind) || kind == MsgKind::CommandLine ||
                                    kind == MsgKind::ServeDrive || kind == MsgKind::LoadData;
        EXPECT_EQ(FindRoute(kind).has_value(), !handledByFrame) << KindName(kind);
    }
}

class DriveGoingAwayTest : public ShellTest {};

// The drive-going-away message closes the repeat frames of that slave only and destroys the
// modeless dialogs after they heard it.
TEST_F(DriveGoingAwayTest, ClosesRepeatFramesOfTheSlaveAndDestroysDialogs) {
    MakeFrame();
    frame_->Send(Message::Open(MsgKind::RepeatFrame, 7, 1));
    frame_->Send(Message::Open(MsgKind::RepeatFrame, 7, 2));
    frame_->Send(Message::Open(MsgKind::RepeatFrame, 7, 1));
    frame_->OpenDialog(DialogKind::Monitoring, 7, 1);
    frame_->OpenDialog(DialogKind::RlEstimate, 7, 1);
    ASSERT_EQ(frame_->RepeatFrames().size(), 3u);

    frame_->Send(Message::Drive(MsgKind::DriveGoingAway, 7, 1));
    Pump();
    ASSERT_EQ(frame_->RepeatFrames().size(), 1u);
    EXPECT_EQ(frame_->RepeatFrames().front()->Slave(), 2);
    EXPECT_EQ(frame_->Dialog(DialogKind::Monitoring), nullptr);
    EXPECT_EQ(frame_->Dialog(DialogKind::RlEstimate), nullptr);
    EXPECT_EQ(frame_->Mdi()->subWindowList().size(), 1);
}

// Two repeat frames for two drives: closing one keeps the other listed.
TEST_F(DriveGoingAwayTest, ClosingOneRepeatFrameKeepsTheOther) {
    MakeFrame();
    frame_->Send(Message::Open(MsgKind::RepeatFrame, 7, 1));
    frame_->Send(Message::Open(MsgKind::RepeatFrame, 7, 2));
    ASSERT_EQ(frame_->RepeatFrames().size(), 2u);
    frame_->RepeatFrames().front()->close();
    Pump();
    ASSERT_EQ(frame_->RepeatFrames().size(), 1u);
    EXPECT_EQ(frame_->RepeatFrames().front()->Slave(), 2);
}

}  // namespace
}  // namespace tarsel::app::testing
