// Finding a dialog's controls by their object names in the dialog tests.
#pragma once

#include <QString>
#include <QWidget>
#include <QtGlobal>

namespace tarsel::testing {

// The control named `name` under `parent`; a missing control ends the test run at once, since
// every later step would only report its absence again.
template <typename T>
T* FindControl(QWidget* parent, const QString& name) {
    T* child = parent->findChild<T*>(name);
    if (child == nullptr) qFatal("no control %s", qPrintable(name));
    return child;
}

}  // namespace tarsel::testing
