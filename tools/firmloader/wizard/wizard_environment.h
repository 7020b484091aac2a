// What the wizard takes from outside: the user's answers to message boxes and file dialogs,
// the list of ports, the folder of "Connection.ini" and the procedure's time limits.  The
// program uses the real ones; tests replace them.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "tools/common/slot_guard.h"
#include "tools/firmloader/core/procedure_types.h"

class QWidget;

namespace tarsel::firmware {

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    // A message box with the caption "Error" and an OK button.
    virtual void Error(QWidget* parent, const QString& text) = 0;
    // Caption "Error", Retry and Cancel, stop icon; true for Retry.
    virtual bool AskRetry(QWidget* parent, const QString& text) = 0;
    // Caption "Notice", information icon.
    virtual void Notice(QWidget* parent, const QString& text) = 0;
    // The file dialog of the select-file page; empty when cancelled.
    virtual QString ChooseImageFile(QWidget* parent, const QString& startPath) = 0;
};

// Message boxes and the file dialog of the toolkit.
class DialogPrompt : public UserPrompt {
public:
    void Error(QWidget* parent, const QString& text) override;
    bool AskRetry(QWidget* parent, const QString& text) override;
    void Notice(QWidget* parent, const QString& text) override;
    QString ChooseImageFile(QWidget* parent, const QString& startPath) override;
};

struct WizardEnvironment {
    UserPrompt* prompt = nullptr;                                // null: DialogPrompt
    std::function<void(std::vector<unsigned>&)> enumeratePorts;  // empty: the system's ports
    std::filesystem::path iniDirectory;                          // empty: beside the program
    ProcedureTimings timings;
    int portRefreshMs = 1000;
    int pageTimerMs = 200;
};

// The filters of the image file dialog: the image files, then all files.
QStringList ImageFileFilters();

// Shows a failure that escaped a slot in the "Error" box.
void ShowUnexpectedFailure(const WizardEnvironment& environment, QWidget* parent, const std::string& what);

// Slot `slot` of the page or window `object`, run so that no exception leaves it.
template <typename Object, typename Slot>
auto GuardedSlot(Object* object, const WizardEnvironment& environment, Slot slot) {
    auto report = [object, &environment](const std::string& what) {
        ShowUnexpectedFailure(environment, object, what);
    };
    if constexpr (std::is_member_function_pointer_v<Slot>) {
        return tools::Guarded(object, slot, report);
    } else {
        return tools::Guarded(slot, report);
    }
}

}  // namespace tarsel::firmware
