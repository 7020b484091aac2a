#include "gui/views/param_file_steps.h"

#include <QFile>

#include "formats/files/drive_file_header.h"
#include "gui/app/dialog_service.h"
#include "gui/model/board/CBoardInterface.h"

namespace tarsel::views {

bool ParameterFileSteps::Accept(app::IDialogService& dialogs, const QString& caption, const QString& path,
                                const CBoardInterface& board) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs.Inform(caption, tr("Failed to read file."), app::BoxIcon::Exclamation);
        return false;
    }
    file.close();
    if (!files::ModelMatches(path.toStdString(), board.GetModelName())) {
        dialogs.Inform(caption,
                       tr("It is NOT a paramerer file or not a supported one.\nPlease check it again."),
                       app::BoxIcon::Exclamation);
        return false;
    }
    return true;
}

void ParameterFileSteps::ReportSaved(app::IDialogService& dialogs, const QString& caption, bool ok) {
    if (ok) {
        dialogs.Inform(caption, tr("Saving to file is done."));
    } else {
        dialogs.Inform(caption, tr("Failed to save data to file."), app::BoxIcon::Exclamation);
    }
}

}  // namespace tarsel::views
