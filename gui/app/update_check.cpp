#include "gui/app/update_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "gui/app/version.h"

namespace tarsel::app {

UpdateLaunch PlanUpdate(const QString& programPath, const QString& title, const QString& tempDirectory) {
    UpdateLaunch launch;
    launch.updater = QFileInfo(programPath).absoluteDir().filePath(QString::fromLatin1(kUpdaterName));
    launch.workingCopy = QDir(tempDirectory).filePath(QString::fromLatin1(kUpdaterName));
    // Each parameter is one argument of its own, so a path with blanks stays whole.
    launch.arguments = {QStringLiteral(TARSEL_UPDATE_URL), QString::fromLatin1(kApplicationId),
                        programPath.left(520), title.left(260)};
    return launch;
}

bool CheckForUpdate(const QString& programPath, const QString& title, const QString& tempDirectory,
                    const DetachedStarter& start) {
    const UpdateLaunch launch = PlanUpdate(programPath, title, tempDirectory);
    if (!QFileInfo(launch.updater).isFile()) return false;
    // The working copy is replaced; a failed copy does not stop the start.
    QFile::remove(launch.workingCopy);
    QFile::copy(launch.updater, launch.workingCopy);
    QFile::setPermissions(launch.workingCopy, QFile::permissions(launch.updater));
    if (start) return start(launch.workingCopy, launch.arguments);
    return QProcess::startDetached(launch.workingCopy, launch.arguments);
}

}  // namespace tarsel::app
