// The about box: program version and the drives the writer supports.
#pragma once

#include <QDialog>

namespace tarsel::firmware {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace tarsel::firmware
