// Edits whose text is not a valid value are painted light red (red 255, green 220, blue 220);
// the window ignores their value until the text is valid again.
#pragma once

#include <QColor>
#include <functional>

class QLineEdit;

namespace tarsel::widgets {

inline const QColor kInvalidColor{255, 220, 220};

// Paints the edit's background light red while `invalid` is set, back to normal otherwise.
// Does nothing when the state did not change.
void MarkInvalid(QLineEdit* edit, bool invalid);
bool IsMarkedInvalid(const QLineEdit* edit);

// Checks the edit's text with `valid` on every change and marks it accordingly.
void WatchValidity(QLineEdit* edit, std::function<bool(const QString&)> valid);

}  // namespace tarsel::widgets
