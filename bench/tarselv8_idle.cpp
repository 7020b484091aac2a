// CPU share of TarselV8 while connected and idle: 16 simulated drives (served by drivesim in a
// process of its own, so only the program's own work is counted), the windows below open, and
// nobody touching anything.  The polling thread, the views' redraw timers and the watchdog run as
// they do for a user who leaves the program open.  Goal: under 2 % of one core.
//
//   bench_tarselv8_idle [SECONDS]
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/app/command_line.h"
#include "gui/app/main_frame.h"
#include "gui/app/qt_dialog_service.h"
#include "gui/app/show_requests.h"
#include "gui/app/view_registry.h"
#include "gui/model/port/CCommMaster.h"

namespace {

constexpr unsigned kPort = 251;
// The windows open during the measurement (--show names); window issues add theirs here.
const char* const kWindows[] = {"boards"};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void Run(int ms) {
    // A real event loop: it sleeps while nothing happens, as the program's does.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
    QTemporaryDir ports;
    ::setenv("TARSEL_PORTS_DIR", ports.path().toLocal8Bit().constData(), 1);

    std::vector<std::string> args{DRIVESIM_PATH, "--port", std::to_string(kPort)};
    const int models[] = {1, 10, 20, 30, 40, 110};
    for (int slave = 0; slave < 16; ++slave)
        args.insert(args.end(), {"--drive", std::to_string(slave) + ":" + std::to_string(models[slave % 6]) +
                                                ",version=8.0.0.0"});
    const pid_t sim = fork();
    if (sim == 0) {
        std::vector<char*> argv2;
        for (auto& a : args) argv2.push_back(a.data());
        argv2.push_back(nullptr);
        execv(argv2[0], argv2.data());
        _exit(127);
    }

    QApplication app(argc, argv);
    tarsel::app::ViewRegistry views;
    tarsel::app::RegisterAllViews(views);
    tarsel::app::QtDialogService dialogs;
    tarsel::CCommMaster master;
    master.LoadDefaultTables();
    tarsel::app::CMainFrame frame(master, dialogs, views, {-1, 1000});
    master.SetMainFrame(&frame.ModelSink(), &frame.FailureReporter());
    frame.resize(1280, 900);
    frame.show();

    int result = 1;
    for (int tries = 0; tries < 50 && result != 0; ++tries) {
        QThread::msleep(100);
        result = frame.ConnectDirect(kPort, 115200);
    }
    if (result != 0 || master.GetBoardCount(kPort) != 16) {
        std::fprintf(stderr, "bench_tarselv8_idle: connecting the simulated line failed (%d, %u drives)\n",
                     result, master.GetBoardCount(kPort));
        kill(sim, SIGTERM);
        waitpid(sim, nullptr, 0);
        return 1;
    }
    QStringList show;
    for (const char* window : kWindows) show << QStringLiteral("--show") << QString::fromLatin1(window);
    tarsel::app::ApplyShowRequests(frame, tarsel::app::ParseCommandLine(show).show);

    Run(3000);  // settle: windows loaded and drawn
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    Run(seconds * 1000);
    const double cpu = CpuSeconds() - cpuBefore;
    const double share = 100.0 * cpu / (static_cast<double>(wall.elapsed()) / 1000.0);
    std::printf(
        "TarselV8 idle, 16 drives, %d window(s) open: %.2f %% of one core over %.1f s (goal < 2 %%)\n",
        static_cast<int>(std::size(kWindows)), share, static_cast<double>(wall.elapsed()) / 1000.0);

    frame.close();
    master.DisconnectAll();
    master.SetMainFrame(nullptr, nullptr);
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
    return 0;
}
