// Second page: shows the drive and lets the user choose the image set.
#pragma once

#include <QWidget>

#include "tools/firmloader/wizard/firmloader_document.h"
#include "tools/firmloader/wizard/wizard_environment.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarsel::firmware {

class CViewSelectFile : public QWidget {
    Q_OBJECT
public:
    CViewSelectFile(FirmloaderDocument& document, const WizardEnvironment& environment,
                    QWidget* parent = nullptr);

    void OnOpen();
    // Looks for the four files of the path in the edit and enables "Next >" when all exist and
    // can be written; otherwise says which file is missing or why the set is refused.
    void CheckImageSet();

    QLabel* PortLine() const { return portLine_; }
    QLabel* VersionLine() const { return versionLine_; }
    QLineEdit* PathEdit() const { return pathEdit_; }
    QPushButton* BrowseButton() const { return browseButton_; }
    QPushButton* NextButton() const { return nextButton_; }
    QPushButton* PrevButton() const { return prevButton_; }
    QLabel* ProblemLine() const { return problemLine_; }
    QLabel* WarningLine() const { return warningLine_; }

signals:
    void Prev();
    void Next();

private:
    void OnBrowse();

    FirmloaderDocument& document_;
    const WizardEnvironment& environment_;
    QLabel* portLine_;
    QLabel* versionLine_;
    QLineEdit* pathEdit_;
    QPushButton* browseButton_;
    QLabel* problemLine_;  // why "Next >" is disabled
    QLabel* warningLine_;  // what to know about a set that can be written
    QPushButton* prevButton_;
    QPushButton* nextButton_;
};

}  // namespace tarsel::firmware
