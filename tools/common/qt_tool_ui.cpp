#include "tools/common/qt_tool_ui.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

namespace tarsel::tools {

namespace {
QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
}  // namespace

void QtToolUi::Inform(const std::string& title, const std::string& text) {
    QMessageBox::information(parent_, Q(title), Q(text));
}

void QtToolUi::Fail(const std::string& title, const std::string& text, const std::string& detail) {
    QMessageBox box(QMessageBox::Critical, Q(title), Q(text), QMessageBox::Ok, parent_);
    if (!detail.empty()) box.setInformativeText(Q(detail));
    box.exec();
}

bool QtToolUi::Ask(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, Q(title), Q(text), QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::string QtToolUi::Translate(const char* context, const char* source) const {
    return QCoreApplication::translate(context, source).toStdString();
}

void QtToolUi::Refresh() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString ChooseTranslation(const QStringList& uiLanguages) {
    if (uiLanguages.isEmpty()) return {};
    const QString first = uiLanguages.front().toLower();
    if (first == QLatin1String("ko") || first.startsWith(QLatin1String("ko-")) ||
        first.startsWith(QLatin1String("ko_")))
        return QStringLiteral("ko");
    return {};
}

bool InstallTranslations(QCoreApplication& app, const QString& baseName) {
    const QString language = ChooseTranslation(QLocale::system().uiLanguages());
    if (language.isEmpty()) return false;
    auto* own = new QTranslator(&app);
    if (!own->load(QStringLiteral(":/i18n/%1_%2.qm").arg(baseName, language))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    // Qt's own texts (the Yes and No buttons of the question boxes), when installed.
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return true;
}

}  // namespace tarsel::tools
