// The about box: the program's version and the firmware versions it supports.
#pragma once

#include <QDialog>

namespace tarsel::app {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace tarsel::app
