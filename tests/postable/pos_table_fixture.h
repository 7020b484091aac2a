// The shell with the real position table window against a simulated line.
#pragma once

#include <QFile>
#include <QTableWidget>
#include <set>

#include "gui/dialogs/pos_item_fields.h"
#include "gui/views/pos_table_view.h"
#include "gui/widgets/slave_selector.h"
#include "tests/app/shell_fixture.h"

namespace tarsel::app::testing {

class PosTableTest : public ShellTest {
protected:
    static constexpr uint16_t kItems = 16;

    void SetUp() override {
        ShellTest::SetUp();
        views::RegisterPosTableView(views_);
    }

    static sim::DriveConfig Drive(uint8_t slave, uint16_t model) {
        sim::DriveConfig config = SupportedDrive(slave, model);
        config.tableSize = kItems;
        return config;
    }

    // Starts the line with `drives`, connects and opens the position table for `slave`, waiting
    // until the window shows the loaded table.
    views::CViewPosTable* Open(const std::vector<sim::DriveConfig>& drives, uint8_t slave) {
        StartLine(drives);
        MakeFrame();
        Connect();
        frame_->Send(Message::Open(MsgKind::PosTableFrame, kPort, slave));
        views::CViewPosTable* view = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            CChildFrame* f = frame_->Frame(FrameKind::PosTable);
            view = f != nullptr ? dynamic_cast<views::CViewPosTable*>(f->View()) : nullptr;
            BoardRef b = BoardAt(slave);
            return view != nullptr && b && b->posTableLoaded && b->paramLoaded &&
                   view->List()->rowCount() == kItems;
        }));
        Pump(150);
        return view;
    }

    BoardRef BoardAt(uint8_t slave) const { return master_.GetBoard(kPort, slave); }

    static PosTableItem Record(const postable::PosItemFields& f) {
        PosTableItem r;
        r.fill(0xFF);
        postable::Encode(f, r);
        return r;
    }
    // An absolute move to `position`, continuing with `jump`.
    static postable::PosItemFields AbsMove(int32_t position, uint16_t jump = postable::kNoItem,
                                           uint16_t command = 3) {
        postable::PosItemFields f;
        f.command = command;
        f.position = position;
        f.lowSpeed = 1;
        f.highSpeed = 50000;
        f.accel = 10;
        f.decel = 10;
        f.waitTime = 50;
        f.jump = jump;
        return f;
    }
    // Puts items on the drive and reads them into the board's cache.
    void PutItems(uint8_t slave, const std::vector<std::pair<uint16_t, postable::PosItemFields>>& items) {
        for (const auto& [i, f] : items) {
            ASSERT_TRUE(line_.SetTableItem(slave, i, Record(f)));
            ASSERT_TRUE(BoardAt(slave)->ReadPosTableItem(i));
        }
    }
    // Two items that jump to each other: the table runs until it is stopped.
    void PositionTableLoop(uint8_t slave) { PutItems(slave, {{0, AbsMove(5000, 1)}, {1, AbsMove(0, 0)}}); }
    std::optional<postable::PosItemFields> DriveItem(uint8_t slave, uint16_t i) const {
        const auto r = line_.GetTableItem(slave, i);
        if (!r) return std::nullopt;
        return postable::Decode(*r);
    }
    static QString ReadText(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromLatin1(f.readAll());
    }
};

}  // namespace tarsel::app::testing
