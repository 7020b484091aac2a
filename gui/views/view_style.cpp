#include "gui/views/view_style.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>

namespace tarsel::views {

QPixmap LampPixmap(LampKind kind) {
    const bool servo = kind == LampKind::ServoOn || kind == LampKind::ServoOff;
    const bool on = kind == LampKind::StatusOn || kind == LampKind::ServoOn;
    const int size = servo ? 30 : 14;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fill = on ? (servo ? QColor(40, 200, 40) : QColor(230, 40, 40)) : QColor(150, 150, 150);
    painter.setPen(QPen(fill.darker(160), 1.5));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(1.5, 1.5, size - 3, size - 3));
    if (on) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 120));
        painter.drawEllipse(QRectF(size * 0.25, size * 0.2, size * 0.3, size * 0.25));
    }
    return pixmap;
}

QFont GroupFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}

void ApplyGroupFont(QWidget* root) {
    const QFont font = GroupFont();
    root->setStyleSheet(
        QStringLiteral("QGroupBox { font-family: \"%1\"; font-size: %2px; font-weight: bold; }")
            .arg(font.family())
            .arg(font.pixelSize()));
}

QLineEdit* AddValueRow(QGridLayout* grid, int row, const QString& caption, const QString& unit,
                       const char* objectName) {
    QWidget* parent = grid->parentWidget();
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(objectName) + QStringLiteral("Label"));
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setAccessibleName(caption);
    edit->setMaximumWidth(110);
    edit->setAlignment(Qt::AlignRight);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    if (!unit.isEmpty()) {
        auto* unitLabel = new QLabel(unit, parent);
        unitLabel->setObjectName(QString::fromLatin1(objectName) + QStringLiteral("Unit"));
        grid->addWidget(unitLabel, row, 2);
    }
    return edit;
}

void MakeReadOnlyValue(QLineEdit* edit) {
    edit->setReadOnly(true);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QColor(208, 240, 208));
    edit->setPalette(palette);
}

}  // namespace tarsel::views
