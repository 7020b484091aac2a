#include "tools/firmloader/wizard/view_select_file.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "comm/result_codes.h"
#include "tools/firmloader/core/boot_link.h"
#include "tools/firmloader/wizard/wizard_texts.h"

namespace tarsel::firmware {

CViewSelectFile::CViewSelectFile(FirmloaderDocument& document, const WizardEnvironment& environment,
                                 QWidget* parent)
    : QWidget(parent),
      document_(document),
      environment_(environment),
      portLine_(new QLabel),
      versionLine_(new QLabel),
      pathEdit_(new QLineEdit),
      browseButton_(new QPushButton(QStringLiteral("..."))),
      problemLine_(new QLabel),
      warningLine_(new QLabel),
      prevButton_(new QPushButton(tr("< Prev"))),
      nextButton_(new QPushButton(tr("Next >"))) {
    auto* info = new QGroupBox(tr("Driver Information"));
    auto* infoLayout = new QVBoxLayout(info);
    infoLayout->addWidget(portLine_);
    infoLayout->addWidget(versionLine_);

    auto* files = new QGroupBox(tr("ROM files"));
    auto* filesLayout = new QVBoxLayout(files);
    filesLayout->addWidget(new QLabel(tr("Select one of the ROM files (*.i00, *.i01, *.i10, *.i11) :")));
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathEdit_, 1);
    pathRow->addWidget(browseButton_);
    filesLayout->addLayout(pathRow);
    problemLine_->setWordWrap(true);
    problemLine_->setStyleSheet(QStringLiteral("color: rgb(144, 1, 1);"));
    filesLayout->addWidget(problemLine_);
    warningLine_->setWordWrap(true);
    warningLine_->setStyleSheet(QStringLiteral("color: rgb(160, 90, 0);"));
    filesLayout->addWidget(warningLine_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(prevButton_);
    buttons->addWidget(nextButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addWidget(files);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(browseButton_, &QPushButton::clicked, this,
            GuardedSlot(this, environment_, &CViewSelectFile::OnBrowse));
    connect(pathEdit_, &QLineEdit::editingFinished, this,
            GuardedSlot(this, environment_, &CViewSelectFile::CheckImageSet));
    connect(prevButton_, &QPushButton::clicked, this, &CViewSelectFile::Prev);
    connect(nextButton_, &QPushButton::clicked, this, &CViewSelectFile::Next);
}

void CViewSelectFile::OnOpen() {
    portLine_->setText(
        QStringLiteral("PortNo : %1, SlaveNo : %2").arg(document_.port.PortNumber()).arg(document_.slave));
    TransportBootLink link(document_.port, document_.slave);
    DriveIdentity identity;
    if (link.GetSlaveInfo(identity) == kResultSuccess) {
        versionLine_->setText(QString::asprintf("%s ver.%d.%d.%d.%d", identity.name.c_str(),
                                                identity.version[0], identity.version[1], identity.version[2],
                                                identity.version[3]));
    } else {
        versionLine_->setText(tr("Version : "));
    }
    pathEdit_->setText(QString::fromStdString(document_.imagePaths[0]));
    CheckImageSet();
}

void CViewSelectFile::OnBrowse() {
    const QString chosen = environment_.prompt->ChooseImageFile(this, pathEdit_->text());
    if (chosen.isEmpty()) return;
    pathEdit_->setText(chosen);
    CheckImageSet();
}

void CViewSelectFile::CheckImageSet() {
    problemLine_->clear();
    warningLine_->clear();
    nextButton_->setEnabled(false);
    const std::string path = pathEdit_->text().toStdString();
    if (path.empty()) return;
    ImagePaths found;
    const std::string base = StripExtension(path);
    const std::size_t count = FindImageFiles(base, found);
    for (std::size_t slot = 0; slot < count; ++slot) document_.imagePaths[slot] = found[slot];
    if (count < kImageSlots) {
        problemLine_->setText(
            tr("Missing image file %1").arg(QString::fromStdString(base + kImageExtensions[count])));
        return;
    }
    // All four files exist; refuse a set that could not be written whole before the drive is
    // touched.
    ImagePlan plan;
    ImageProblem problem;
    if (!BuildImagePlan(found, plan, problem)) {
        problemLine_->setText(TranslatedProblem(problem));
        return;
    }
    QStringList warnings;
    for (const ImageProblem& warning : plan.warnings) warnings << TranslatedProblem(warning);
    warningLine_->setText(warnings.join(QLatin1Char('\n')));
    nextButton_->setEnabled(true);
}

}  // namespace tarsel::firmware
