#include "tools/firmloader/wizard/view_update_rom.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "formats/files/connection_settings.h"
#include "tools/firmloader/wizard/wizard_texts.h"

namespace tarsel::firmware {
namespace {

constexpr int kProgressRange = 1000;
constexpr int kStepLabelGap = 24;  // pixels between two step labels

QString ColourStyle(LabelState state) {
    const Rgb c = LabelColour(state);
    return QStringLiteral("color: rgb(%1, %2, %3);").arg(c.red).arg(c.green).arg(c.blue);
}

}  // namespace

CViewUpdateROM::CViewUpdateROM(FirmloaderDocument& document, const WizardEnvironment& environment,
                               QWidget* parent)
    : QWidget(parent),
      document_(document),
      environment_(environment),
      progress_(new QProgressBar),
      warning_(new QLabel(tr("Warning :\n\n* It's updating ROM. So, do NOT turn OFF the power or disconnect "
                             "cable.\n* If you turn off or disconnect cable, It may not be connected."))),
      prevButton_(new QPushButton(tr("< Prev"))),
      nextButton_(new QPushButton(tr("Next >"))) {
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(16);
    bold.setBold(true);

    auto* group = new QGroupBox(tr("Progress"));
    auto* groupLayout = new QVBoxLayout(group);
    // The five labels share the row evenly with room between them; the page is never narrower
    // than they need.
    auto* row = new QHBoxLayout;
    row->setSpacing(kStepLabelGap);
    for (std::size_t i = 0; i < kStepLabelCount; ++i) {
        labels_[i] = new QLabel(TranslatedLabel(static_cast<StepLabel>(i)));
        labels_[i]->setObjectName(QStringLiteral("stepLabel%1").arg(i));
        labels_[i]->setFont(bold);
        labels_[i]->setAlignment(Qt::AlignCenter);
        labels_[i]->setStyleSheet(ColourStyle(LabelState::Pending));
        labels_[i]->setEnabled(false);
        labels_[i]->setMinimumWidth(labels_[i]->sizeHint().width());
        row->addWidget(labels_[i], 1);
    }
    groupLayout->addLayout(row);
    progress_->setRange(0, kProgressRange);
    progress_->setValue(0);
    groupLayout->addWidget(progress_);
    warning_->setWordWrap(true);
    groupLayout->addWidget(warning_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(prevButton_);
    buttons->addWidget(nextButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(buttons);

    prevButton_->hide();
    nextButton_->hide();
    connect(prevButton_, &QPushButton::clicked, this, GuardedSlot(this, environment_, [this] {
                StopProcedure();
                emit Prev();
            }));
    connect(nextButton_, &QPushButton::clicked, this,
            GuardedSlot(this, environment_, &CViewUpdateROM::OnNext));
    timer_.setInterval(environment_.pageTimerMs);
    connect(&timer_, &QTimer::timeout, this, GuardedSlot(this, environment_, &CViewUpdateROM::OnTimer));
}

CViewUpdateROM::~CViewUpdateROM() {
    StopProcedure();
}

void CViewUpdateROM::OnOpen() {
    exitMode_ = false;
    prevButton_->hide();
    nextButton_->setText(tr("Next >"));
    nextButton_->hide();
    procedure_.reset();  // the old procedure uses the old link
    link_ = std::make_unique<TransportBootLink>(document_.port, document_.slave);
    procedure_ = std::make_unique<UpdateProcedure>(*link_, environment_.timings);
    procedure_->SetImagePaths(document_.imagePaths);
    const std::filesystem::path directory = environment_.iniDirectory;
    procedure_->SetHistoryWriter(
        [directory](const std::string& text) { files::WriteBootRomHistory(text, directory); });
    Start();
}

void CViewUpdateROM::Start() {
    progress_->setRange(0, kProgressRange);
    progress_->setValue(0);
    shownStates_.fill(LabelState::Pending);
    for (QLabel* label : labels_) {
        label->setStyleSheet(ColourStyle(LabelState::Pending));
        label->setEnabled(false);
    }
    procedure_->Start();
    timer_.start();
}

void CViewUpdateROM::StopProcedure() {
    timer_.stop();
    if (procedure_) procedure_->Stop();
}

bool CViewUpdateROM::IsRunning() const {
    return procedure_ && procedure_->Snapshot().workerRunning;
}

ProcedureSnapshot CViewUpdateROM::Snapshot() const {
    return procedure_ ? procedure_->Snapshot() : ProcedureSnapshot{};
}

void CViewUpdateROM::OnTimer() {
    const ProcedureSnapshot state = procedure_->Snapshot();
    blinkOn_ = !blinkOn_;
    for (std::size_t i = 0; i < kStepLabelCount; ++i) {
        const LabelState s = state.labels[i];
        QLabel* label = labels_[i];
        if (s != shownStates_[i]) {
            label->setStyleSheet(ColourStyle(s));
            shownStates_[i] = s;
        }
        if (s == LabelState::Running) {
            if (!state.messagePending) label->setEnabled(blinkOn_);
        } else {
            label->setEnabled(s != LabelState::Pending);
        }
    }
    if (state.currentStep == Step::WriteImage) {
        // The bar spans the records of this image set.
        const std::size_t total = std::max<std::size_t>(state.recordTotal, 1);
        progress_->setValue(static_cast<int>(state.recordCount * kProgressRange / total));
    }
    if (state.currentStep == Step::Finished && !state.workerRunning) {
        timer_.stop();
        progress_->setValue(kProgressRange);
        emit Finished();
        return;
    }
    if (state.currentStep == Step::Abort && state.messagePending && state.message.id != MessageId::None) {
        timer_.stop();
        QMetaObject::invokeMethod(this, GuardedSlot(this, environment_, &CViewUpdateROM::ShowMessage),
                                  Qt::QueuedConnection);
    }
}

void CViewUpdateROM::ShowMessage() {
    const ProcedureSnapshot state = procedure_->Snapshot();
    const QString text = TranslatedMessage(state.message);
    if (state.message.kind == MessageKind::Error) {
        if (environment_.prompt->AskRetry(this, text + tr("\n\nPlease check the Power or Communication "
                                                          "cable.\nDo you want to retry firmloader?"))) {
            StopProcedure();
            Start();
            return;
        }
    } else if (state.message.kind == MessageKind::Notice) {
        environment_.prompt->Notice(this, text);
    }
    prevButton_->show();
    nextButton_->setText(tr("Exit"));
    nextButton_->show();
    exitMode_ = true;
    procedure_->ClearMessage();
    // The labels stop blinking in their last state.
    for (std::size_t i = 0; i < kStepLabelCount; ++i)
        labels_[i]->setEnabled(state.labels[i] != LabelState::Pending);
}

void CViewUpdateROM::OnNext() {
    if (!exitMode_) return;
    StopProcedure();
    emit ExitRequested();
}

}  // namespace tarsel::firmware
