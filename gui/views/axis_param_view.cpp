#include "gui/views/axis_param_view.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/app/child_frame.h"
#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/widgets/decimal_text.h"
#include "gui/widgets/invalid_edit.h"
#include "gui/widgets/slave_selector.h"

namespace tarsel::views {

namespace {

using F = AxisParamForm;

// clang-format off
const RadioControl kMotorDirection{"motorDirection", QT_TRANSLATE_NOOP("CViewAxisParam", "Motor Direction"), {QT_TRANSLATE_NOOP("CViewAxisParam", "CW"), QT_TRANSLATE_NOOP("CViewAxisParam", "CCW"), ""}, &F::motorDirection};
const RadioControl kOriginDirection{"originDirection", QT_TRANSLATE_NOOP("CViewAxisParam", "Origin Direction"), {"CW", "CCW", ""}, &F::originDirection};
const RadioControl kLimitStop{"limitStopMode", QT_TRANSLATE_NOOP("CViewAxisParam", "H/W Limit Stop Mode"), {QT_TRANSLATE_NOOP("CViewAxisParam", "E-Stop"), QT_TRANSLATE_NOOP("CViewAxisParam", "Stop"), ""}, &F::limitStopMode};
const std::array<RadioControl, 4> kFurtherRadios{{
    {"runStopLogic", QT_TRANSLATE_NOOP("CViewAxisParam", "Run/Stop Signal Logic"), {QT_TRANSLATE_NOOP("CViewAxisParam", "Low Active"), QT_TRANSLATE_NOOP("CViewAxisParam", "High Active"), ""}, &F::runStopLogic},
    {"encoderDirection", QT_TRANSLATE_NOOP("CViewAxisParam", "Encoder Direction"), {"CW", "CCW", ""}, &F::encoderDirection},
    {"pulseType", QT_TRANSLATE_NOOP("CViewAxisParam", "Pulse Type"), {QT_TRANSLATE_NOOP("CViewAxisParam", "1 pulse"), QT_TRANSLATE_NOOP("CViewAxisParam", "2 pulse"), ""}, &F::pulseType},
    {"encoderDirection3", "Encoder Direction", {"CW", "CCW", "CCW"}, &F::encoderDirection3},
}};
const std::array<EditControl, 2> kOriginEdits{{
    {"originOffset", QT_TRANSLATE_NOOP("CViewAxisParam", "Origin Offset"), "[pulse]", &F::originOffset},
    {"originPositionSet", QT_TRANSLATE_NOOP("CViewAxisParam", "Origin Position Set"), "[pulse]", &F::originPositionSet},
}};
const EditControl kInPosition{"inPosition", QT_TRANSLATE_NOOP("CViewAxisParam", "INP Value"), "", &F::inPosition};
const std::array<EditControl, 3> kLimitEdits{{
    {"softLimitPlus", QT_TRANSLATE_NOOP("CViewAxisParam", "S/W +Limit Value"), "[pulse]", &F::softLimitPlus},
    {"softLimitMinus", QT_TRANSLATE_NOOP("CViewAxisParam", "S/W -Limit Value"), "[pulse]", &F::softLimitMinus},
    {"trackingLimit", QT_TRANSLATE_NOOP("CViewAxisParam", "Pos Tracking Limit"), "[pulse]", &F::trackingLimit},
}};
const EditControl kSpeedRatio{"speedRatio", QT_TRANSLATE_NOOP("CViewAxisParam", "Max Speed Ratio"), "[%]", &F::speedRatio};
// clang-format on

QString Tr(const char* text) {
    return QCoreApplication::translate("CViewAxisParam", text);
}

QGroupBox* MakeGroup(const char* title, const QString& name, QWidget* parent) {
    auto* group = new QGroupBox(title[0] != '\0' ? Tr(title) : QString(), parent);
    group->setObjectName(name + QStringLiteral("Group"));
    return group;
}

}  // namespace

CViewAxisParam::CViewAxisParam(app::IShell& shell, const AxisParamForm& form, QWidget* parent)
    : CView(shell, app::FrameKind::AxisParam, parent), form_(form) {
    setObjectName(QString::fromLatin1(form.className));

    // Left: motor direction, origin, in-position; right: limit stop mode, limits, speed override;
    // below: the family's further radio groups.
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    left->addWidget(MakeRadios(kMotorDirection, form.*kMotorDirection.parameter));

    auto* origin = MakeGroup(QT_TRANSLATE_NOOP("CViewAxisParam", "Origin"), QStringLiteral("origin"), this);
    auto* originBox = new QVBoxLayout(origin);
    originBox->addWidget(MakeRadios(kOriginDirection, form.*kOriginDirection.parameter, false));
    auto* originLayout = new QGridLayout;
    originBox->addLayout(originLayout);
    for (const EditControl& c : kOriginEdits) AddEdit(originLayout, c, form.*c.parameter);
    left->addWidget(origin);
    if (form.inPosition >= 0) {
        auto* inPosition =
            MakeGroup(QT_TRANSLATE_NOOP("CViewAxisParam", "Inposition"), QStringLiteral("inPosition"), this);
        AddEdit(new QGridLayout(inPosition), kInPosition, form.inPosition);
        left->addWidget(inPosition);
    }
    left->addStretch(1);

    right->addWidget(MakeRadios(kLimitStop, form.*kLimitStop.parameter));
    auto* limits = MakeGroup("", QStringLiteral("limits"), this);
    auto* limitsLayout = new QGridLayout(limits);
    for (const EditControl& c : kLimitEdits) AddEdit(limitsLayout, c, form.*c.parameter);
    right->addWidget(limits);
    auto* speed =
        MakeGroup(QT_TRANSLATE_NOOP("CViewAxisParam", "Speed Override"), QStringLiteral("speed"), this);
    AddEdit(new QGridLayout(speed), kSpeedRatio, form.speedRatio);
    right->addWidget(speed);
    right->addStretch(1);

    auto* further = new QHBoxLayout;
    for (const RadioControl& c : kFurtherRadios) {
        if (form.*c.parameter >= 0) further->addWidget(MakeRadios(c, form.*c.parameter));
    }

    close_ = new QPushButton(tr("Close"), this);
    close_->setObjectName(QStringLiteral("closeButton"));
    connect(close_, &QPushButton::clicked, this, [this] {
        if (app::CChildFrame* frame = Frame()) frame->close();
    });

    auto* top = new QHBoxLayout;
    top->addWidget(SlaveSelector());
    top->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(columns);
    if (further->count() > 0)
        layout->addLayout(further);
    else
        delete further;  // a form without further groups: nobody would own the empty layout
    layout->addLayout(bottom);
    SetControlsEnabled(false);
}

QWidget* CViewAxisParam::MakeRadios(const RadioControl& control, int parameter, bool framed) {
    const QString name = QString::fromLatin1(control.name);
    QWidget* group = nullptr;
    QHBoxLayout* layout = nullptr;
    if (framed) {
        group = MakeGroup(control.title, name, this);
        layout = new QHBoxLayout(group);
    } else {
        // Inside another group: the title is a label in front of the buttons.
        group = new QWidget(this);
        group->setObjectName(name + QStringLiteral("Group"));
        layout = new QHBoxLayout(group);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* title = new QLabel(Tr(control.title), group);
        title->setObjectName(name + QStringLiteral("Label"));
        layout->addWidget(title);
    }
    auto* buttons = new QButtonGroup(group);
    buttons->setObjectName(name + QStringLiteral("Radios"));
    for (int value = 0; value < 3 && control.captions[static_cast<std::size_t>(value)][0] != '\0'; ++value) {
        const QString caption = Tr(control.captions[static_cast<std::size_t>(value)]);
        auto* radio = new QRadioButton(caption, group);
        radio->setObjectName(name + QStringLiteral("Radio%1").arg(value));
        radio->setAccessibleName(Tr(control.title) + QLatin1Char(' ') + caption);
        buttons->addButton(radio, value);
        layout->addWidget(radio);
        // Every click writes, also on the button already selected.
        connect(radio, &QRadioButton::clicked, this,
                [this, parameter, value](bool checked) { OnRadioClicked(parameter, value, checked); });
    }
    layout->addStretch(1);
    bindings_.push_back({parameter, buttons, nullptr});
    return group;
}

void CViewAxisParam::AddEdit(QGridLayout* layout, const EditControl& control, int parameter) {
    if (parameter < 0) return;
    const int row = layout->rowCount();
    const QString name = QString::fromLatin1(control.name);
    auto* label = new QLabel(Tr(control.caption), this);
    label->setObjectName(name + QStringLiteral("Label"));
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name + QStringLiteral("Edit"));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(110);
    label->setBuddy(edit);
    edit->setAccessibleName(Tr(control.caption));
    layout->addWidget(label, row, 0);
    layout->addWidget(edit, row, 1);
    if (control.unit[0] != '\0')
        layout->addWidget(new QLabel(QString::fromLatin1(control.unit), this), row, 2);
    connect(edit, &QLineEdit::textChanged, this,
            [this, edit, parameter](const QString& text) { OnEditChanged(edit, parameter, text); });
    bindings_.push_back({parameter, nullptr, edit});
}

QButtonGroup* CViewAxisParam::RadioGroup(int parameter) const {
    for (const Binding& b : bindings_) {
        if (b.parameter == parameter && b.radios != nullptr) return b.radios;
    }
    return nullptr;
}

QLineEdit* CViewAxisParam::Edit(int parameter) const {
    for (const Binding& b : bindings_) {
        if (b.parameter == parameter && b.edit != nullptr) return b.edit;
    }
    return nullptr;
}

void CViewAxisParam::OnMessage(const app::Message& message) {
    using app::MsgKind;
    const bool mine = HasDrive() && (message.port == 0 || message.port == Port()) && message.slave == Slave();
    switch (message.kind) {
        case MsgKind::DriveGoingAway:
            if (!HasDrive() || mine) {
                if (app::CChildFrame* frame = Frame()) frame->close();
            }
            return;
        case MsgKind::DataReloaded:
            if (mine) Refresh();
            return;
        case MsgKind::ParameterChanged:
            if (mine) {
                if (const auto board = Board()) {
                    updating_ = true;
                    for (const Binding& b : bindings_) {
                        if (b.parameter == message.value) Show(*board, b);
                    }
                    updating_ = false;
                }
            }
            return;
        default:
            CView::OnMessage(message);
    }
}

void CViewAxisParam::OnDriveChanged() {
    // The form's size is known only once it is shown with its style's fonts and margins.
    FitFrame();
    const auto board = Board();
    if (board && !board->paramLoaded) {
        board->paramReloadRequest = true;
        Shell().LoadData(Port(), Slave(), app::kLoadParameters);  // DataReloaded refreshes
        return;
    }
    Refresh();
}

void CViewAxisParam::Refresh() {
    const auto board = Board();
    if (!board || !board->IsPortOpen()) {
        SetControlsEnabled(false);
        return;
    }
    SetControlsEnabled(true);
    updating_ = true;
    for (const Binding& b : bindings_) Show(*board, b);
    updating_ = false;
}

void CViewAxisParam::Show(const CBoardInterface& board, const Binding& binding) {
    if (binding.parameter < 0) return;
    const int32_t value = board.GetParameterValue(static_cast<uint8_t>(binding.parameter));
    if (binding.radios != nullptr) {
        // A value without a button of its own leaves the buttons as they are.
        if (QAbstractButton* button = binding.radios->button(value)) button->setChecked(true);
    } else if (binding.edit != nullptr) {
        const QString text = QString::number(value);
        if (binding.edit->text() != text) binding.edit->setText(text);
    }
}

void CViewAxisParam::OnRadioClicked(int parameter, int value, bool checked) {
    if (updating_ || !checked || parameter < 0) return;
    if (const auto board = Board()) board->SetParameter(static_cast<uint8_t>(parameter), value);
}

void CViewAxisParam::OnEditChanged(QLineEdit* edit, int parameter, const QString& text) {
    const auto board = Board();
    if (!board) return;
    const std::optional<int32_t> value = widgets::ParseDecimalValue(text);
    const bool valid = value && board->IsParamValueInRange(static_cast<uint32_t>(parameter), *value);
    widgets::MarkInvalid(edit, !valid);
    if (valid && !updating_) board->SetParameter(static_cast<uint8_t>(parameter), *value);
}

void CViewAxisParam::SetControlsEnabled(bool enabled) {
    for (const Binding& b : bindings_) {
        if (b.radios != nullptr) {
            for (QAbstractButton* button : b.radios->buttons()) button->setEnabled(enabled);
        }
        if (b.edit != nullptr) b.edit->setEnabled(enabled);
    }
    SlaveSelector()->setEnabled(enabled || !HasDrive());
}

void RegisterAxisParamViews(app::ViewRegistry& registry) {
    for (const AxisParamForm& form : AxisParamForms()) {
        const auto make = [&form](app::IShell& shell, QWidget* parent) {
            return new CViewAxisParam(shell, form, parent);
        };
        registry.Register(app::FrameKind::AxisParam, form.typeCode, QString::fromLatin1(form.className),
                          make);
        if (form.typeCode == board_type::kServo)
            registry.Register(app::FrameKind::AxisParam, app::ViewRegistry::kAnyType,
                              QString::fromLatin1(form.className), make);
    }
}

}  // namespace tarsel::views
