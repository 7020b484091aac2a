// Drawing pieces the test views share: the lamps, the value rows (caption, edit, unit), the light
// green read-only value fields and the bold caption font.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QString>

class QGridLayout;
class QLineEdit;
class QWidget;

namespace tarsel::views {

enum class LampKind { StatusOn, StatusOff, ServoOn, ServoOff };
QPixmap LampPixmap(LampKind kind);

// Bold "Arial", 16 pixels high: group captions and the enable button.
QFont GroupFont();
// Gives the captions of the group boxes below `root` that font (style sheet fonts do not pass on
// to the controls inside).
void ApplyGroupFont(QWidget* root);

// Adds "caption [edit] unit" as row `row` of `grid`; the caption is the edit's buddy, so it names
// the edit for assistive tools.  `unit` may be empty.
QLineEdit* AddValueRow(QGridLayout* grid, int row, const QString& caption, const QString& unit,
                       const char* objectName);
// A read-only value field on the light green background.
void MakeReadOnlyValue(QLineEdit* edit);

}  // namespace tarsel::views
