// Texts of the wizard that come from elsewhere: the status line with the program's version and
// the procedure's messages and step labels in the user's language.
#pragma once

#include <QString>

#include "tools/firmloader/core/procedure_types.h"

namespace tarsel::firmware {

// "firmloader Ver. 1.0.0": the title and the first three numbers of the file version.
QString ApplicationStatusLine();
// The first three numbers of a version text, commas turned into points.
QString ShortVersion(const QString& fileVersion);

QString TranslatedMessage(const ProcedureMessage& message);
QString TranslatedLabel(StepLabel label);
// A refusal or warning of the image check in the user's language.
QString TranslatedProblem(const ImageProblem& problem);

}  // namespace tarsel::firmware
