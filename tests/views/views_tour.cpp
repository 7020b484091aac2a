// views_tour DIR: saves pictures of the motion and repeat test windows, drawn offscreen against a
// simulated line: the servo and stepper motion views (motion-servo.png, motion-stepper.png) and a
// repeat test in the middle of its run (repeat-running.png).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QThread>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/app/view_registry.h"
#include "gui/model/port/CCommMaster.h"
#include "gui/views/CViewMotion.h"
#include "gui/views/CViewRepeat.h"
#include "sim/simulator.h"
#include "tests/app/recording_dialogs.h"

namespace {

using namespace tarsel;

void Pump(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(2);
    }
}

bool Save(QWidget* window, const QString& path) {
    if (window == nullptr || !window->grab().save(path)) {
        std::fprintf(stderr, "views_tour: cannot save %s\n", qPrintable(path));
        return false;
    }
    std::printf("saved %s\n", qPrintable(path));
    return true;
}

sim::DriveConfig Drive(uint8_t slave, uint16_t model) {
    sim::DriveConfig config;
    config.slave = slave;
    config.modelCode = model;
    return config;
}

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: views_tour DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    const QString portsDir = out.filePath(QStringLiteral(".ports"));
    QDir().mkpath(portsDir);
    ::setenv("TARSEL_PORTS_DIR", portsDir.toLocal8Bit().constData(), 1);

    constexpr uint8_t kPort = 77;
    sim::SimLine line;
    if (!line.Start() || !line.Publish(kPort) || !line.AddDrive(Drive(0, sim::model::kServo)) ||
        !line.AddDrive(Drive(1, sim::model::kStepper))) {
        std::fprintf(stderr, "views_tour: the simulated line did not start\n");
        return 1;
    }
    line.SetServoOn(0, true);

    bool ok = true;
    {
        CCommMaster master;
        master.SetLogEnabled(false);
        master.LoadDefaultTables(TARSEL_TEST_DATA_DIR);
        app::testing::RecordingDialogs dialogs;
        app::ViewRegistry views;
        views::RegisterMotionViews(views);
        views::RegisterRepeatView(views);
        app::CMainFrame frame(master, dialogs, views, {-1, 1000});
        master.SetMainFrame(&frame.ModelSink(), &frame.FailureReporter());
        frame.resize(1280, 900);
        frame.show();
        if (frame.ConnectDirect(kPort, 115200) != 0) {
            std::fprintf(stderr, "views_tour: cannot connect\n");
            return 1;
        }
        const auto motion = [&](uint8_t slave, const char* name) {
            frame.Send(app::Message::Open(app::MsgKind::MotionFrame, kPort, slave));
            Pump(1500);
            app::CChildFrame* child = frame.Frame(app::FrameKind::Motion);
            ok = Save(child, out.filePath(QString::fromLatin1(name))) && ok;
            if (child != nullptr) child->close();
            Pump(200);
        };
        motion(0, "motion-servo.png");
        motion(1, "motion-stepper.png");

        frame.Send(app::Message::Open(app::MsgKind::RepeatFrame, kPort, 0));
        Pump(600);
        if (!frame.RepeatFrames().empty()) {
            app::CChildFrame* child = frame.RepeatFrames().back();
            auto* view = dynamic_cast<views::CViewRepeat*>(child->View());
            view->Edit(views::CViewRepeat::kPosition2)->setText(QStringLiteral("40000"));
            view->Edit(views::CViewRepeat::kMoveSpeed)->setText(QStringLiteral("100000"));
            view->Edit(views::CViewRepeat::kDelay)->setText(QStringLiteral("200"));
            view->findChild<QPushButton*>(QStringLiteral("repeatButton"))->click();
            Pump(2600);
            ok = Save(child, out.filePath(QStringLiteral("repeat-running.png"))) && ok;
            view->findChild<QPushButton*>(QStringLiteral("stopButton"))->click();
            Pump(300);
        }
        frame.close();
        master.DisconnectAll();
        master.SetMainFrame(nullptr, nullptr);
    }
    line.Stop();
    QDir(portsDir).removeRecursively();
    return ok ? 0 : 1;
}
