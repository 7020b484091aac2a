#include "gui/widgets/invalid_edit.h"

#include <QLineEdit>
#include <QPalette>
#include <QStyle>

namespace tarsel::widgets {

namespace {
const char* const kProperty = "tarselInvalid";
}

void MarkInvalid(QLineEdit* edit, bool invalid) {
    if (edit == nullptr || IsMarkedInvalid(edit) == invalid) return;
    edit->setProperty(kProperty, invalid);
    QPalette palette = edit->palette();
    if (invalid) {
        palette.setColor(QPalette::Base, kInvalidColor);
    } else {
        palette.setColor(QPalette::Base, edit->style() != nullptr
                                             ? edit->style()->standardPalette().color(QPalette::Base)
                                             : QColor(Qt::white));
    }
    edit->setPalette(palette);
}

bool IsMarkedInvalid(const QLineEdit* edit) {
    return edit != nullptr && edit->property(kProperty).toBool();
}

void WatchValidity(QLineEdit* edit, std::function<bool(const QString&)> valid) {
    if (edit == nullptr || !valid) return;
    QObject::connect(
        edit, &QLineEdit::textChanged, edit,
        [edit, valid = std::move(valid)](const QString& text) { MarkInvalid(edit, !valid(text)); });
}

}  // namespace tarsel::widgets
