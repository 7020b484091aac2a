// Steps the parameter list and the BLDC parameter window share for their parameter files.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace tarsel {
class CBoardInterface;
namespace app {
class IDialogService;
}

namespace views {

class ParameterFileSteps {
    Q_DECLARE_TR_FUNCTIONS(tarsel::views::ParameterFileSteps)

public:
    // A file chosen for loading must be readable and written for the drive's model; a refusal
    // is reported in a box titled `caption`.
    static bool Accept(app::IDialogService& dialogs, const QString& caption, const QString& path,
                       const CBoardInterface& board);
    // The box after a save to file.
    static void ReportSaved(app::IDialogService& dialogs, const QString& caption, bool ok);
};

}  // namespace views
}  // namespace tarsel
