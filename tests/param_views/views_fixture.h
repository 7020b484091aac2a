// The parameter windows against the simulated line, offscreen: the real main frame with the
// parameter list and axis parameter views registered, a recording dialog service, and helpers
// that read what the line received.
#pragma once

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "gui/app/child_frame.h"
#include "gui/views/axis_param_view.h"
#include "gui/views/param_list_view.h"
#include "gui/widgets/value_grid.h"
#include "tests/app/shell_fixture.h"

namespace tarsel::views::testing {

using app::testing::Pump;
using app::testing::SupportedDrive;
using app::testing::WaitFor;

constexpr uint8_t kSetParameterFrame = 0x12;

struct Written {
    uint8_t slave;
    uint8_t number;
    int32_t value;
    bool operator==(const Written&) const = default;
};

class ParamViewsTest : public app::testing::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        RegisterParamListView(views_);
        RegisterAxisParamViews(views_);
    }

    // Starts the line, the main frame and connects.
    void Start(const std::vector<sim::DriveConfig>& drives) {
        StartLine(drives);
        MakeFrame();
        Connect();
    }

    CViewParamList* OpenParamList(uint8_t slave) {
        frame_->Send(app::Message::Open(app::MsgKind::ParamListFrame, kPort, slave));
        CViewParamList* view = nullptr;
        const bool loaded = WaitFor([&] {
            view = ParamList();
            return view != nullptr && view->Slave() == slave && view->HasDrive() &&
                   view->Grid()->rowCount() > 0 && view->Grid()->isEnabled();
        });
        return loaded ? view : nullptr;
    }
    CViewParamList* ParamList() const {
        app::CChildFrame* frame = frame_->Frame(app::FrameKind::ParamList);
        return frame != nullptr ? dynamic_cast<CViewParamList*>(frame->View()) : nullptr;
    }
    CViewAxisParam* AxisParam() const {
        app::CChildFrame* frame = frame_->Frame(app::FrameKind::AxisParam);
        return frame != nullptr ? dynamic_cast<CViewAxisParam*>(frame->View()) : nullptr;
    }
    CViewAxisParam* OpenAxisParam(uint8_t slave, const char* className) {
        frame_->Send(app::Message::Open(app::MsgKind::AxisParamFrame, kPort, slave));
        CViewAxisParam* view = nullptr;
        const bool ok = WaitFor([&] {
            view = AxisParam();
            return view != nullptr && view->ClassName() == QLatin1String(className) && view->HasDrive() &&
                   view->Slave() == slave && Board(slave) && Board(slave)->paramLoaded;
        });
        Pump(60);
        return ok ? view : nullptr;
    }
    std::shared_ptr<CBoardInterface> Board(uint8_t slave) const { return master_.GetBoard(kPort, slave); }

    // The parameter writes the line received since the last ClearRequestLog.
    std::vector<Written> Writes() const {
        std::vector<Written> out;
        for (const sim::RequestRecord& r : line_.RequestLog()) {
            if (r.frameType != kSetParameterFrame || r.data.size() < 5) continue;
            int32_t value = 0;
            for (int b = 3; b >= 0; --b) value = (value << 8) | r.data[static_cast<std::size_t>(1 + b)];
            out.push_back({r.slave, r.data[0], value});
        }
        return out;
    }

    // Types into the grid's editor of `row`, key by key.
    void TypeInGrid(CViewParamList* view, int row, const QString& text) {
        widgets::CValueGrid* grid = view->Grid();
        grid->OpenEditor(row);
        line_.ClearRequestLog();
        QTest::keyClick(grid->Editor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(grid->Editor(), Qt::Key_Delete);
        line_.ClearRequestLog();
        QTest::keyClicks(grid->Editor(), text);
    }

    QTemporaryDir files_;
};

}  // namespace tarsel::views::testing
