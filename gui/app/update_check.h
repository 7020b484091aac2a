// "Check for update": the updater `Refresko`, when it lies beside the program, is copied to the
// temporary folder and started from there, detached, with four parameters: the update
// information URL, the program's identifier, the program's path and the main window's title.
// The program neither waits for it nor looks at its result; without an updater nothing happens.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tarsel::app {

inline constexpr const char* kUpdaterName = "Refresko";
inline constexpr const char* kApplicationId = "{6F1C2B7A-3E45-4D8B-9A21-5C7E0B4D2F18}";

struct UpdateLaunch {
    QString updater;      // beside the program
    QString workingCopy;  // in the temporary folder
    QStringList arguments;
};

// What a check started from `programPath` with window title `title` runs.
UpdateLaunch PlanUpdate(const QString& programPath, const QString& title, const QString& tempDirectory);

using DetachedStarter = std::function<bool(const QString& program, const QStringList& arguments)>;

// Copies the updater over an older working copy and starts it.  False (and nothing started)
// when there is no updater beside the program.
bool CheckForUpdate(const QString& programPath, const QString& title, const QString& tempDirectory,
                    const DetachedStarter& start = {});

}  // namespace tarsel::app
