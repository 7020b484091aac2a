// Message boxes of the tools' dialogs, and the choice of the user interface language.
#pragma once

#include <QString>
#include <QStringList>

#include "tools/common/tool_ui.h"

class QCoreApplication;
class QWidget;

namespace tarsel::tools {

// ToolUi shown with Qt message boxes over `parent`.
class QtToolUi : public ToolUi {
public:
    explicit QtToolUi(QWidget* parent) : parent_(parent) {}

    void Inform(const std::string& title, const std::string& text) override;
    void Fail(const std::string& title, const std::string& text, const std::string& detail) override;
    bool Ask(const std::string& title, const std::string& text) override;
    std::string Translate(const char* context, const char* source) const override;
    void Refresh() override;

private:
    QWidget* parent_;
};

// "ko" when the first of the system's user interface languages is Korean, else empty (the
// English texts of the source).
QString ChooseTranslation(const QStringList& uiLanguages);

// Loads the translation ":/i18n/<baseName>_<language>.qm" and Qt's own texts for the system's
// user interface language.  False when English is used or no translation was found.
bool InstallTranslations(QCoreApplication& app, const QString& baseName);

}  // namespace tarsel::tools
