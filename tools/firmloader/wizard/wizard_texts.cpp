#include "tools/firmloader/wizard/wizard_texts.h"

#include <QCoreApplication>
#include <QStringList>

namespace tarsel::firmware {
namespace {

// The procedure's texts live in the toolkit-free library; they are listed here so that the
// translation tools find them under the context "Procedure".
[[maybe_unused]] constexpr const char* kProcedureTexts[] = {
    QT_TRANSLATE_NOOP("Procedure", "Checking ROM type was failed.\n\n\tReturn Code : %d[0x%02X]"),
    QT_TRANSLATE_NOOP("Procedure", "Failed to change to Boot ROM.\nIt's Run ROM connected."),
    QT_TRANSLATE_NOOP("Procedure", "Failed to connect to driver. There was no response."),
    QT_TRANSLATE_NOOP("Procedure", "Failed to erase ROM.\n\n\tReturn Code : %d[0x%02X]"),
    QT_TRANSLATE_NOOP("Procedure", "Failed to erase ROM. There was no response."),
    QT_TRANSLATE_NOOP("Procedure", "Failed to erase ROM. ROM was not erased."),
    QT_TRANSLATE_NOOP("Procedure",
                      "An error occured while writing data to flash.\n\n\tReturn Code : %d[0x%02X]"),
    QT_TRANSLATE_NOOP("Procedure", "Power OFF and ON again to reboot."),
    QT_TRANSLATE_NOOP(
        "Procedure",
        "Failed to connect Run ROM.\nIt's Boot ROM connected.\n\nPower OFF and ON again to reboot."),
    QT_TRANSLATE_NOOP("Procedure", "Check Type"),
    QT_TRANSLATE_NOOP("Procedure", "Boot ROM"),
    QT_TRANSLATE_NOOP("Procedure", "Erase"),
    QT_TRANSLATE_NOOP("Procedure", "Update ROM"),
    QT_TRANSLATE_NOOP("Procedure", "Reboot"),
};

}  // namespace

QString ShortVersion(const QString& fileVersion) {
    QString text = fileVersion;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    QStringList parts = text.split(QLatin1Char('.'));
    for (QString& part : parts) part = part.trimmed();
    while (parts.size() > 3) parts.removeLast();
    return parts.join(QLatin1Char('.'));
}

QString ApplicationStatusLine() {
    return QCoreApplication::applicationName() + QStringLiteral(" Ver. ") +
           ShortVersion(QCoreApplication::applicationVersion());
}

QString TranslatedMessage(const ProcedureMessage& message) {
    if (message.id == MessageId::ImageSetRefused) {
        if (message.image.text && *message.image.text) return TranslatedProblem(message.image);
        return QString::fromStdString(message.detail);
    }
    const QString text = QCoreApplication::translate("Procedure", MessageTemplate(message.id));
    if (!MessageHasCode(message.id)) return text;
    return QString::asprintf(text.toUtf8().constData(), message.code, message.code);
}

QString TranslatedProblem(const ImageProblem& problem) {
    const QByteArray text =
        QCoreApplication::translate("ImageCheck", problem.text ? problem.text : "").toUtf8();
    return QString::fromStdString(
        FillIn(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), problem.args));
}

QString TranslatedLabel(StepLabel label) {
    return QCoreApplication::translate("Procedure", kStepLabelTexts[static_cast<std::size_t>(label)]);
}

}  // namespace tarsel::firmware
