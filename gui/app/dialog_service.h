// Every message box and file dialog of the configuration program goes through one service, so
// that tests answer them without a window ever blocking.  The Qt implementation shows real boxes;
// tests put in a recorder.
#pragma once

#include <QString>
#include <optional>

namespace tarsel::app {

enum class BoxIcon { None, Information, Exclamation, Error, Question };
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No, Retry };

struct BoxRequest {
    QString caption;  // names the command the box reports on
    QString text;
    BoxButtons buttons = BoxButtons::Ok;
    BoxIcon icon = BoxIcon::None;
};

struct FileRequest {
    QString caption;
    QString filter;     // "Parameter Files (*.fpt)"
    QString directory;  // start folder; empty: the current one
    QString fileName;   // proposed name (save)
    QString suffix;     // default suffix appended when the user typed none (save)
};

class IDialogService {
public:
    virtual ~IDialogService() = default;
    // Shows the box and returns the button pressed; closing the box answers Cancel (No for
    // Yes/No boxes, Ok for OK boxes).
    virtual BoxAnswer Box(const BoxRequest& request) = 0;
    // The chosen file, or none when the user cancelled.
    virtual std::optional<QString> OpenFile(const FileRequest& request) = 0;
    virtual std::optional<QString> SaveFile(const FileRequest& request) = 0;

    // Short forms.
    void Inform(const QString& caption, const QString& text, BoxIcon icon = BoxIcon::Information) {
        Box({caption, text, BoxButtons::Ok, icon});
    }
    // A confirmation: Yes/No with the exclamation icon; true for Yes.
    bool AskYesNo(const QString& caption, const QString& text) {
        return Box({caption, text, BoxButtons::YesNo, BoxIcon::Exclamation}) == BoxAnswer::Yes;
    }
};

}  // namespace tarsel::app
