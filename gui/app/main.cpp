// TarselV8: the configuration and test program for the drives on one serial line.
#include <QApplication>

#include "gui/app/main_frame.h"
#include "gui/app/qt_dialog_service.h"
#include "gui/app/view_registry.h"
#include "gui/model/port/CCommMaster.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TarselV8"));

    tarsel::app::ViewRegistry views;
    tarsel::app::RegisterAllViews(views);
    tarsel::app::QtDialogService dialogs;
    tarsel::CCommMaster& master = tarsel::CCommMaster::GetInstance();
    tarsel::app::CMainFrame frame(master, dialogs, views);
    dialogs.SetParent(&frame);
    master.SetMainFrame(&frame.ModelSink(), &frame.FailureReporter());
    master.LoadDefaultTables();
    frame.showMaximized();
    const int result = QApplication::exec();
    master.DisconnectAll();
    master.SetMainFrame(nullptr, nullptr);
    return result;
}
