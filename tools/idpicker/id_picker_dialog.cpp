#include "tools/idpicker/id_picker_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "tools/common/port_choices.h"
#include "tools/common/slot_guard.h"

namespace tarsel::idpicker {

namespace {
QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
}  // namespace

// Passes everything to the tool's ui and redraws the dialog first when a blocking step wants
// its state shown (the caption "Scanning..." during a scan).
class IdPickerDialog::RedrawingUi : public tools::ToolUi {
public:
    RedrawingUi(IdPickerDialog& dialog, tools::ToolUi& inner) : dialog_(dialog), inner_(inner) {}
    void Inform(const std::string& title, const std::string& text) override { inner_.Inform(title, text); }
    void Fail(const std::string& title, const std::string& text, const std::string& detail) override {
        inner_.Fail(title, text, detail);
    }
    bool Ask(const std::string& title, const std::string& text) override { return inner_.Ask(title, text); }
    std::string Translate(const char* context, const char* source) const override {
        return inner_.Translate(context, source);
    }
    void Refresh() override {
        dialog_.Redraw();
        inner_.Refresh();
    }

private:
    IdPickerDialog& dialog_;
    tools::ToolUi& inner_;
};

IdPickerDialog::IdPickerDialog(SlaveLink& link, std::vector<unsigned> ports, tools::ToolUi* ui,
                               QWidget* parent)
    : QDialog(parent) {
    if (ui == nullptr) {
        ownUi_ = std::make_unique<tools::QtToolUi>(this);
        ui = ownUi_.get();
    }
    ui_ = std::make_unique<RedrawingUi>(*this, *ui);
    controller_ = std::make_unique<IdPickerController>(link, *ui_);
    setObjectName(QStringLiteral("idPickerDialog"));
    setWindowTitle(QStringLiteral("idpicker"));
    BuildLayout();

    controller_->Start(std::move(ports));
    for (const std::string& text : controller_->PortTexts()) portCombo_->addItem(Q(text));
    portCombo_->setCurrentIndex(controller_->InitialPortIndex());
    for (const std::string& text : tools::BaudRateTexts()) baudCombo_->addItem(Q(text));
    baudCombo_->setCurrentIndex(controller_->BaudIndex());
    Redraw();
}

IdPickerDialog::~IdPickerDialog() = default;

void IdPickerDialog::BuildLayout() {
    auto* portGroup = new QGroupBox(tr("COM Port"), this);
    portGroup->setObjectName(QStringLiteral("portGroup"));
    portCombo_ = new QComboBox(portGroup);
    portCombo_->setObjectName(QStringLiteral("portCombo"));
    baudCombo_ = new QComboBox(portGroup);
    baudCombo_->setObjectName(QStringLiteral("baudCombo"));
    connectButton_ = new QPushButton(portGroup);
    connectButton_->setObjectName(QStringLiteral("connectButton"));
    auto* portForm = new QFormLayout;
    portForm->addRow(tr("Port No. :"), portCombo_);
    portForm->addRow(tr("Baudrate :"), baudCombo_);
    auto* portLayout = new QHBoxLayout(portGroup);
    portLayout->addLayout(portForm, 1);
    portLayout->addWidget(connectButton_, 0, Qt::AlignBottom);

    auto* targetGroup = new QGroupBox(tr("Target"), this);
    targetGroup->setObjectName(QStringLiteral("targetGroup"));
    auto* radioGrid = new QGridLayout;
    slaveGroup_ = new QButtonGroup(this);
    for (int n = 0; n < kSlaveCount; ++n) {
        auto* radio = new QRadioButton(tr("Slave %1").arg(n), targetGroup);
        radio->setObjectName(QStringLiteral("slaveRadio%1").arg(n));
        slaveGroup_->addButton(radio, n);
        radioGrid->addWidget(radio, n / 4, n % 4);
        slaveRadios_[static_cast<std::size_t>(n)] = radio;
    }
    identityLabel_ = new QLabel(targetGroup);
    identityLabel_->setObjectName(QStringLiteral("identityLabel"));
    identityLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* targetLayout = new QVBoxLayout(targetGroup);
    targetLayout->addLayout(radioGrid);
    targetLayout->addWidget(identityLabel_);

    settingGroup_ = new QGroupBox(this);
    settingGroup_->setObjectName(QStringLiteral("settingGroup"));
    newNumberCombo_ = new QComboBox(settingGroup_);
    newNumberCombo_->setObjectName(QStringLiteral("newNumberCombo"));
    writeButton_ = new QPushButton(tr("Write"), settingGroup_);
    writeButton_->setObjectName(QStringLiteral("writeButton"));
    auto* settingLayout = new QHBoxLayout(settingGroup_);
    settingLayout->addWidget(new QLabel(tr("New Slave No. :"), settingGroup_));
    settingLayout->addWidget(newNumberCombo_, 1);
    settingLayout->addWidget(writeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(portGroup);
    layout->addWidget(targetGroup);
    layout->addWidget(settingGroup_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto guarded = [this](auto slot) { return tools::Guarded(this, slot, tools::ReportTo(*ui_)); };
    connect(connectButton_, &QPushButton::clicked, this, guarded(&IdPickerDialog::OnConnect));
    connect(slaveGroup_, &QButtonGroup::idClicked, this, guarded(&IdPickerDialog::OnSlaveClicked));
    connect(newNumberCombo_, &QComboBox::currentIndexChanged, this,
            guarded(&IdPickerDialog::OnNewNumberChanged));
    connect(writeButton_, &QPushButton::clicked, this, guarded(&IdPickerDialog::OnWrite));
}

bool IdPickerDialog::SelectPort(unsigned port) {
    const int index = portCombo_->findText(Q(tools::PortText(port)));
    if (index < 0) return false;
    portCombo_->setCurrentIndex(index);
    return true;
}

void IdPickerDialog::Redraw() {
    const IdPickerController& c = *controller_;
    connectButton_->setText(Q(c.ConnectCaption()));
    connectButton_->setEnabled(c.IsConnectEnabled());
    portCombo_->setEnabled(!c.IsConnected() && !c.IsScanning());
    baudCombo_->setEnabled(!c.IsConnected() && !c.IsScanning());

    // Unchecking every button of an exclusive group needs the exclusivity lifted for a moment.
    slaveGroup_->setExclusive(false);
    for (int n = 0; n < kSlaveCount; ++n) {
        QRadioButton* radio = slaveRadios_[static_cast<std::size_t>(n)];
        radio->setEnabled(c.IsSlaveEnabled(n));
        radio->setChecked(n == c.CurrentSlave());
    }
    slaveGroup_->setExclusive(true);

    identityLabel_->setText(Q(c.IdentityText()));
    settingGroup_->setTitle(Q(c.SettingCaption()));
    {
        const QSignalBlocker block(newNumberCombo_);
        newNumberCombo_->clear();
        for (const int n : c.NewNumbers()) newNumberCombo_->addItem(QString::number(n));
        newNumberCombo_->setCurrentIndex(c.NewNumberIndex());
    }
    newNumberCombo_->setEnabled(c.IsNewNumberEnabled());
    writeButton_->setEnabled(c.IsWriteEnabled());
}

void IdPickerDialog::OnConnect() {
    controller_->PressConnect(portCombo_->currentText().toStdString(),
                              baudCombo_->currentText().toStdString());
    Redraw();
}

void IdPickerDialog::OnSlaveClicked(int n) {
    controller_->SelectSlave(n);
    Redraw();
}

void IdPickerDialog::OnNewNumberChanged(int index) {
    controller_->SelectNewNumber(index);
    writeButton_->setEnabled(controller_->IsWriteEnabled());
}

void IdPickerDialog::OnWrite() {
    controller_->PressWrite();
    Redraw();
}

}  // namespace tarsel::idpicker
