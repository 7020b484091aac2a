// Renders the position table window, its item editor and the teaching dialog into PNG files
// (offscreen, against its own simulated line) for the screenshot script:
//   postable_pages table|editor|teaching OUTPUT.png
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>

#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/app/view_registry.h"
#include "gui/dialogs/pos_item_dialog.h"
#include "gui/dialogs/pos_item_fields.h"
#include "gui/dialogs/teaching_dialog.h"
#include "gui/model/port/CCommMaster.h"
#include "gui/views/pos_table_view.h"
#include "sim/simulator.h"
#include "tests/app/recording_dialogs.h"

using namespace tarsel;

namespace {

void Pump(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
}

PosTableItem Item(uint16_t command, int32_t position, uint16_t jump, uint16_t wait) {
    postable::PosItemFields f;
    f.command = command;
    f.position = position;
    f.lowSpeed = 100;
    f.highSpeed = 20000;
    f.accel = 100;
    f.decel = 100;
    f.waitTime = wait;
    f.jump = jump;
    f.ptSet = command == 3 ? 0x01 : 0;
    PosTableItem r;
    r.fill(0xFF);
    postable::Encode(f, r);
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: postable_pages table|editor|teaching OUTPUT.png\n");
        return 2;
    }
    const QString page = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir ports;
    ::setenv("TARSEL_PORTS_DIR", ports.path().toLocal8Bit().constData(), 1);
    constexpr uint8_t kPort = 77;
    sim::SimLine line;
    if (!line.Start() || !line.Publish(kPort)) return 1;
    sim::DriveConfig drive;
    drive.slave = 1;
    drive.tableSize = 32;
    line.AddDrive(drive);
    // A small table: a loop between three absolute moves, an origin search and a clear.
    line.SetTableItem(1, 0, Item(8, 0, 1, 0));
    line.SetTableItem(1, 1, Item(9, 0, 2, 0));
    line.SetTableItem(1, 2, Item(3, 40000, 3, 300));
    line.SetTableItem(1, 3, Item(7, -15000, 4, 300));
    line.SetTableItem(1, 4, Item(1, 10000, 10002, 300));

    CCommMaster master;
    master.SetLogEnabled(false);
    master.LoadDefaultTables(TARSEL_TEST_DATA_DIR);
    app::testing::RecordingDialogs dialogs;
    app::ViewRegistry views;
    views::RegisterPosTableView(views);
    app::CMainFrame frame(master, dialogs, views, {-1, 1000});
    master.SetMainFrame(&frame.ModelSink(), &frame.FailureReporter());
    frame.resize(1200, 700);
    frame.show();
    if (frame.ConnectDirect(kPort, 115200) != 0) return 1;
    frame.Send(app::Message::Open(app::MsgKind::PosTableFrame, kPort, 1));
    Pump(2500);
    app::CChildFrame* child = frame.Frame(app::FrameKind::PosTable);
    auto* view = child != nullptr ? dynamic_cast<views::CViewPosTable*>(child->View()) : nullptr;
    if (view == nullptr) return 1;
    child->resize(1180, 420);
    QPixmap shot;
    if (page == QLatin1String("table")) {
        master.GetBoard(kPort, 1)->ServoEnable(true);
        view->SelectItem(2);
        view->RunClicked();
        Pump(1200);
        shot = child->grab();
    } else if (page == QLatin1String("editor")) {
        view->SelectItem(2);
        view->EditItem();
        Pump(300);
        shot = view->Editor()->grab();
    } else {
        dialogs::CDlgTeaching dlg(frame, kPort, 1, 2);
        dlg.show();
        Pump(500);
        shot = dlg.grab();
    }
    master.GetBoard(kPort, 1)->MoveStop(false);
    const bool saved = shot.save(QString::fromLocal8Bit(argv[2]));
    master.DisconnectAll();
    master.SetMainFrame(nullptr, nullptr);
    line.Stop();
    return saved ? 0 : 1;
}
