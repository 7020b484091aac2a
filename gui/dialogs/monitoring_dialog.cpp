#include "gui/dialogs/monitoring_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/model/board/board_type_info.h"
#include "gui/model/port/CCommMaster.h"
#include "gui/widgets/decimal_text.h"
#include "gui/widgets/invalid_edit.h"
#include "gui/widgets/slave_selector.h"

namespace tarsel::dialogs {

namespace {

// The drive parameters the motion fields stand for.
constexpr uint8_t kMoveSpeedParam = 0;
constexpr uint8_t kStartSpeedParam = 1;
constexpr uint8_t kAccelParam = 2;
constexpr uint8_t kDecelParam = 3;

std::optional<uint16_t> Parse16(const QString& text) {
    const auto v = widgets::ParseDecimalValue(text);
    if (!v || *v < 0 || *v > 0xFFFF) return std::nullopt;
    return static_cast<uint16_t>(*v);
}

}  // namespace

CDlgMonitoring::CDlgMonitoring(app::IShell& shell, QWidget* parent)
    : CShellDialog(shell, app::DialogKind::Monitoring, parent) {
    setWindowTitle(tr("Monitoring"));
    Build();
    Refresh();
}

CDlgMonitoring::~CDlgMonitoring() {
    delete run_.data();  // cancels and ends the worker before the dialog's widgets go
}

QLineEdit* CDlgMonitoring::AddEdit(QGridLayout* grid, int row, const QString& caption, const QString& unit,
                                   const char* name) {
    QWidget* group = grid->parentWidget();
    auto* label = new QLabel(caption, group);
    auto* edit = new QLineEdit(group);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(caption);
    edit->setAlignment(Qt::AlignRight);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    if (!unit.isEmpty()) grid->addWidget(new QLabel(unit, group), row, 2);
    return edit;
}

void CDlgMonitoring::Build() {
    auto* top = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    top->addLayout(columns);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);

    auto* sampling = new QGroupBox(tr("Sampling"), this);
    sampling->setObjectName(QStringLiteral("groupSampling"));
    auto* samplingGrid = new QGridLayout(sampling);
    samplingEdit_ = AddEdit(samplingGrid, 0, tr("Sampling Time [ms]"), QString(), "editSamplingTime");
    bufferEdit_ = AddEdit(samplingGrid, 1, tr("Buffer Size (samples)"), QString(), "editBufferSize");
    left->addWidget(sampling);

    auto* items = new QGroupBox(tr("Monitoring Item"), this);
    items->setObjectName(QStringLiteral("groupMonitoringItem"));
    auto* itemGrid = new QGridLayout(items);
    const QString captions[] = {tr("1st Item:"), tr("2nd Item:"), tr("3rd Item:"), tr("4th Item:")};
    for (int k = 0; k < 4; ++k) {
        auto* label = new QLabel(captions[k], items);
        auto* list = new QComboBox(items);
        list->setObjectName(QStringLiteral("comboItem%1").arg(k + 1));
        list->setAccessibleName(captions[k]);
        for (const monitoring::Channel& channel : monitoring::Channels())
            list->addItem(QCoreApplication::translate("CDlgMonitoring", channel.name));
        label->setBuddy(list);
        itemGrid->addWidget(label, k, 0);
        itemGrid->addWidget(list, k, 1);
        lists_[k] = list;
        connect(list, &QComboBox::currentIndexChanged, this, &CDlgMonitoring::UpdateStartButton);
    }
    left->addWidget(items);

    auto* right = new QVBoxLayout;
    columns->addLayout(right);
    auto* motion = new QGroupBox(tr("Motion"), this);
    motion->setObjectName(QStringLiteral("groupMotion"));
    auto* motionGrid = new QGridLayout(motion);
    distanceEdit_ = AddEdit(motionGrid, 0, tr("Distance"), tr("[pulse]"), "editDistance");
    startSpeedEdit_ = AddEdit(motionGrid, 1, tr("Start Speed"), tr("[pps]"), "editStartSpeed");
    moveSpeedEdit_ = AddEdit(motionGrid, 2, tr("Move Speed"), tr("[pps]"), "editMoveSpeed");
    accelEdit_ = AddEdit(motionGrid, 3, tr("Accel Time"), tr("[msec]"), "editAccelTime");
    decelEdit_ = AddEdit(motionGrid, 4, tr("Decel Time"), tr("[msec]"), "editDecelTime");
    right->addWidget(motion);
    right->addStretch();

    auto* buttons = new QHBoxLayout;
    selector_ = new widgets::CSlaveSelector(this);
    buttons->addWidget(selector_);
    buttons->addStretch();
    start_ = new QPushButton(tr("Start Sampling"), this);
    start_->setObjectName(QStringLiteral("buttonStartSampling"));
    start_->setAccessibleName(tr("Start Sampling"));
    start_->setAutoDefault(false);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("buttonCancel"));
    cancel_->setAccessibleName(tr("Cancel"));
    cancel_->setAutoDefault(false);
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);
    top->addLayout(buttons);

    connect(start_, &QPushButton::clicked, this, [this] { StartSampling(); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(selector_, &widgets::CSlaveSelector::previousClicked, this,
            [this] { ShowSlave(Shell().Master().GetPrevSlave(Port(), Slave())); });
    connect(selector_, &widgets::CSlaveSelector::nextClicked, this,
            [this] { ShowSlave(Shell().Master().GetNextSlave(Port(), Slave())); });

    // Sampling and distance: decimal numbers kept in the dialog.
    widgets::WatchValidity(samplingEdit_, [this](const QString& text) {
        const auto v = Parse16(text);
        if (v) samplingMs_ = *v;
        return v.has_value();
    });
    widgets::WatchValidity(bufferEdit_, [this](const QString& text) {
        const auto v = Parse16(text);
        if (v) bufferSize_ = *v;
        return v.has_value();
    });
    widgets::WatchValidity(distanceEdit_, [this](const QString& text) {
        const auto v = widgets::ParseDecimalValue(text);
        if (v) distance_ = *v;
        return v.has_value();
    });
    // The move speed must suit the drive's speed parameter and stays in the dialog.
    widgets::WatchValidity(moveSpeedEdit_, [this](const QString& text) {
        const auto v = widgets::ParseDecimalValue(text);
        auto board = Bldc();
        const bool ok = v && *v >= 0 && (!board || board->IsParamValueInRange(kMoveSpeedParam, *v));
        if (ok) moveSpeed_ = static_cast<uint32_t>(*v);
        return ok;
    });
    // Start speed and ramp times are the drive's parameters, written as soon as they are valid.
    const auto parameterEdit = [this](QLineEdit* edit, uint8_t number) {
        widgets::WatchValidity(edit, [this, number](const QString& text) {
            const auto v = widgets::ParseDecimalValue(text);
            auto board = Bldc();
            const bool ok = v && board && board->IsParamValueInRange(number, *v);
            if (ok && !guard_ && board->GetParameterValue(number) != *v) board->SetParameter(number, *v);
            return ok;
        });
    };
    parameterEdit(startSpeedEdit_, kStartSpeedParam);
    parameterEdit(accelEdit_, kAccelParam);
    parameterEdit(decelEdit_, kDecelParam);
}

std::shared_ptr<CBoardDorrinTevraBLDC> CDlgMonitoring::Bldc() const {
    if (!taken_) return nullptr;
    return std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(Board());
}

std::optional<uint8_t> CDlgMonitoring::ShownSlave() const {
    if (!taken_) return std::nullopt;
    return Slave();
}

void CDlgMonitoring::OnMessage(const app::Message& message) {
    switch (message.kind) {
        case app::MsgKind::ServeDrive: {
            // Only a BLDC drive is taken; anything else keeps the drive shown.
            app::BoardRef board = app::LookupBoard(Shell().Master(), message.port, message.slave);
            if (board && board->GetBoardType() == board_type::kBldc &&
                std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(board)) {
                taken_ = true;
                CShellDialog::OnMessage(message);
            } else {
                UpdateSelector();
            }
            return;
        }
        case app::MsgKind::DataReloaded:
            if (taken_ && message.slave == Slave()) Refresh();
            return;
        case app::MsgKind::DriveGoingAway:
            // The main frame destroys the dialog next; the recording stops now.
            if (run_ && (!taken_ || message.slave == Slave())) run_->Cancel();
            return;
        default:
            return;
    }
}

void CDlgMonitoring::ShowSlave(uint8_t slave) {
    if (!taken_ || slave == Slave()) return;
    OnMessage(app::Message::Drive(app::MsgKind::ServeDrive, Port(), slave));
}

void CDlgMonitoring::OnDriveChanged() {
    UpdateSelector();
    auto board = Bldc();
    if (!board) {
        Refresh();
        return;
    }
    const uint32_t bits = load_bit::kParameters | load_bit::kBldc;
    if (board->paramLoaded && board->bldcLoaded) {
        Refresh();
        return;
    }
    SetControlsEnabled(false);
    board->RequestLoad(bits);
    QPointer<CDlgMonitoring> self(this);
    const uint8_t slave = Slave();
    Shell().LoadData(Port(), slave, bits, [self, slave](bool) {
        if (self && self->taken_ && self->Slave() == slave) self->Refresh();
    });
}

void CDlgMonitoring::UpdateSelector() {
    const bool shown = taken_;
    const CCommMaster& master = Shell().Master();
    selector_->SetState(Slave(), shown && master.GetPrevSlave(Port(), Slave()) != Slave(),
                        shown && master.GetNextSlave(Port(), Slave()) != Slave());
}

void CDlgMonitoring::SetControlsEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(samplingEdit_), static_cast<QWidget*>(bufferEdit_),
                       static_cast<QWidget*>(distanceEdit_), static_cast<QWidget*>(startSpeedEdit_),
                       static_cast<QWidget*>(moveSpeedEdit_), static_cast<QWidget*>(accelEdit_),
                       static_cast<QWidget*>(decelEdit_), static_cast<QWidget*>(selector_)})
        w->setEnabled(enabled);
    for (QComboBox* list : lists_) list->setEnabled(enabled);
    if (!enabled) start_->setEnabled(false);
}

void CDlgMonitoring::Refresh() {
    auto board = Bldc();
    const bool open = board && board->IsPortOpen();
    SetControlsEnabled(open);
    if (!open) return;
    guard_ = true;
    MonitoringConfig config;
    if (board->MonitoringGetConfig(config)) {
        samplingEdit_->setText(QString::number(config.samplingTime));
        bufferEdit_->setText(QString::number(config.bufferSize));
        for (int k = 0; k < 4; ++k) {
            // A code the lists do not have, and places beyond the configured count, show "None".
            lists_[k]->setCurrentIndex(
                k < config.channelCount ? monitoring::ChannelIndexOf(config.channels[k]) : 0);
        }
    }
    if (distanceEdit_->text().isEmpty()) {
        distanceEdit_->setText(QStringLiteral("10000"));
        moveSpeedEdit_->setText(QStringLiteral("100000"));
    } else {
        // Checked again against this drive's range.
        emit moveSpeedEdit_->textChanged(moveSpeedEdit_->text());
    }
    startSpeedEdit_->setText(QString::number(board->GetParameterValue(kStartSpeedParam)));
    accelEdit_->setText(QString::number(board->GetParameterValue(kAccelParam)));
    decelEdit_->setText(QString::number(board->GetParameterValue(kDecelParam)));
    guard_ = false;
    UpdateStartButton();
}

std::array<int, 4> CDlgMonitoring::ListIndices() const {
    std::array<int, 4> indices{};
    for (int k = 0; k < 4; ++k) indices[k] = lists_[k]->currentIndex();
    return indices;
}

void CDlgMonitoring::UpdateStartButton() {
    auto board = Bldc();
    const bool chosen = !monitoring::ChosenChannels(ListIndices()).empty();
    start_->setEnabled(chosen && board && board->IsPortOpen() && !run_);
}

bool CDlgMonitoring::StartSampling() {
    if (run_ || !start_->isEnabled()) return false;
    auto board = Bldc();
    if (!board) return false;
    monitoring::Plan plan;
    plan.samplingMs = samplingMs_;
    plan.bufferSize = bufferSize_;
    plan.chosen = monitoring::ChosenChannels(ListIndices());
    plan.distance = distance_;
    plan.moveSpeed = moveSpeed_;
    if (plan.chosen.empty()) return false;
    lastOutcome_.reset();
    run_ = new CMonitoringRun(this, std::move(board), std::move(plan), linkOptions_,
                              [this](MonitoringOutcome outcome) {
                                  lastOutcome_ = outcome;
                                  if (run_) run_->deleteLater();
                                  run_ = nullptr;
                                  UpdateStartButton();
                              });
    UpdateStartButton();
    return true;
}

void CDlgMonitoring::reject() {
    if (run_) run_->Cancel();
    CShellDialog::reject();
}

void RegisterMonitoringDialog(app::ViewRegistry& registry) {
    registry.RegisterDialog(app::DialogKind::Monitoring, [](app::IShell& shell, QWidget* parent) {
        return new CDlgMonitoring(shell, parent);
    });
}

}  // namespace tarsel::dialogs
