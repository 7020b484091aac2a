#include "tools/framebench/frame_bench_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "tools/common/port_choices.h"
#include "tools/common/slot_guard.h"

namespace tarsel::framebench {

namespace {
constexpr int kGridRows = (kGridCells + kGridColumns - 1) / kGridColumns;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QLineEdit* ValueField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("-2147483648(W)")) + 12);
    return field;
}
}  // namespace

FrameBenchDialog::FrameBenchDialog(RawPort& port, tools::ToolUi* ui, QWidget* parent) : QDialog(parent) {
    if (ui == nullptr) {
        ownUi_ = std::make_unique<tools::QtToolUi>(this);
        ui = ownUi_.get();
    }
    ui_ = ui;
    controller_ = std::make_unique<FrameBenchController>(port, *ui);
    setObjectName(QStringLiteral("frameBenchDialog"));
    setWindowTitle(QStringLiteral("framebench ver 1.3"));
    drainTimer_ = new QTimer(this);
    drainTimer_->setObjectName(QStringLiteral("drainTimer"));
    drainTimer_->setSingleShot(true);
    drainTimer_->setInterval(100);
    connect(drainTimer_, &QTimer::timeout, this,
            tools::Guarded(this, &FrameBenchDialog::OnDrain, tools::ReportTo(*ui_)));
    BuildLayout();
    RedrawSend();
    RedrawReceived();
}

FrameBenchDialog::~FrameBenchDialog() = default;

void FrameBenchDialog::SetDrainDelay(int milliseconds) {
    drainTimer_->setInterval(milliseconds);
}

QPushButton* FrameBenchDialog::AddButton(const QString& text, const char* name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

void FrameBenchDialog::BuildLayout() {
    // Connection.
    auto* connection = new QGroupBox(tr("Connection"), this);
    portEdit_ = new QLineEdit(connection);
    portEdit_->setObjectName(QStringLiteral("portEdit"));
    baudCombo_ = new QComboBox(connection);
    baudCombo_->setObjectName(QStringLiteral("baudCombo"));
    for (const std::string& text : tools::BaudRateTexts()) baudCombo_->addItem(Q(text));
    baudCombo_->setCurrentIndex(tools::kDefaultBaudIndex);
    connectButton_ = AddButton(QString(), "connectButton");
    auto* about = AddButton(tr("&About framebench..."), "aboutButton");
    auto* connectionLayout = new QHBoxLayout(connection);
    connectionLayout->addWidget(new QLabel(tr("Comm Port"), connection));
    connectionLayout->addWidget(portEdit_);
    connectionLayout->addWidget(new QLabel(tr("Baudrate"), connection));
    connectionLayout->addWidget(baudCombo_);
    connectionLayout->addWidget(connectButton_);
    connectionLayout->addStretch(1);
    connectionLayout->addWidget(about);

    // Send buffer.
    auto* send = new QGroupBox(tr("Send Buffer"), this);
    sendDisplay_ = new QPlainTextEdit(send);
    sendDisplay_->setObjectName(QStringLiteral("sendDisplay"));
    sendDisplay_->setReadOnly(true);
    sendDisplay_->setMinimumHeight(80);
    auto* header = AddButton(tr("1. Header"), "headerButton");
    slaveEdit_ = new QLineEdit(send);
    slaveEdit_->setObjectName(QStringLiteral("slaveEdit"));
    auto* slave = AddButton(tr("2. SlaveNo"), "slaveButton");
    dataEdit_ = new QLineEdit(send);
    dataEdit_->setObjectName(QStringLiteral("dataEdit"));
    dataEdit_->setMaxLength(19);
    auto* data1 = AddButton(tr("1 byte"), "data1Button");
    auto* data2 = AddButton(tr("2 bytes"), "data2Button");
    auto* data4 = AddButton(tr("4 bytes"), "data4Button");
    auto* crc = AddButton(tr("4. CRC"), "crcButton");
    auto* tail = AddButton(tr("5. Tail"), "tailButton");
    auto* clear = AddButton(tr("CLEAR"), "clearButton");
    sendButton_ = AddButton(tr("SEND >>"), "sendButton");
    hexEdit_ = new QLineEdit(send);
    hexEdit_->setObjectName(QStringLiteral("hexEdit"));
    hexEdit_->setPlaceholderText(QStringLiteral("AA CC 01 F1 40 64 60 AA EE"));
    auto* hex = AddButton(tr("Append hex"), "hexButton");

    auto* compose = new QGridLayout;
    compose->addWidget(header, 0, 0, 1, 2);
    compose->addWidget(slaveEdit_, 1, 0);
    compose->addWidget(slave, 1, 1);
    compose->addWidget(new QLabel(tr("3. Data"), send), 2, 0);
    compose->addWidget(dataEdit_, 2, 1);
    auto* widths = new QHBoxLayout;
    widths->addWidget(data1);
    widths->addWidget(data2);
    widths->addWidget(data4);
    compose->addLayout(widths, 3, 0, 1, 2);
    compose->addWidget(crc, 4, 0, 1, 2);
    compose->addWidget(tail, 5, 0, 1, 2);
    compose->addWidget(hexEdit_, 6, 0);
    compose->addWidget(hex, 6, 1);
    auto* actions = new QHBoxLayout;
    actions->addWidget(clear);
    actions->addStretch(1);
    actions->addWidget(sendButton_);
    auto* sendLayout = new QVBoxLayout(send);
    sendLayout->addWidget(sendDisplay_, 1);
    sendLayout->addLayout(compose);
    sendLayout->addLayout(actions);

    // Received bytes.
    auto* received = new QGroupBox(tr("Buffer Received"), this);
    grid_ = new QTableWidget(kGridRows, kGridColumns, received);
    grid_->setObjectName(QStringLiteral("receiveGrid"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    const int cellWidth = grid_->fontMetrics().horizontalAdvance(QStringLiteral("0xFF")) + 14;
    for (int column = 0; column < kGridColumns; ++column) {
        grid_->setColumnWidth(column, cellWidth);
        grid_->setHorizontalHeaderItem(column, new QTableWidgetItem(QString::number(column)));
    }
    for (int row = 0; row < kGridRows; ++row)
        grid_->setVerticalHeaderItem(row, new QTableWidgetItem(QString::number(row * kGridColumns)));
    for (int cell = 0; cell < kGridRows * kGridColumns; ++cell) {
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        if (cell >= kGridCells) item->setFlags(Qt::NoItemFlags);
        grid_->setItem(cell / kGridColumns, cell % kGridColumns, item);
    }
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The grid shows all its cells without scrolling.
    grid_->resizeRowsToContents();
    const int frame = 2 * grid_->frameWidth();
    grid_->setFixedSize(
        grid_->verticalHeader()->sizeHint().width() + kGridColumns * cellWidth + frame,
        grid_->horizontalHeader()->sizeHint().height() + kGridRows * grid_->rowHeight(0) + frame);
    auto* refresh = AddButton(tr("REFRESH"), "refreshButton");
    decodedLabel_ = new QLabel(received);
    decodedLabel_->setObjectName(QStringLiteral("decodedLabel"));
    decodedLabel_->setWordWrap(true);
    decodedLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* values = new QGroupBox(tr("Values"), received);
    byteValue_ = ValueField(values, "byteValue");
    wordValue_ = ValueField(values, "wordValue");
    dwordValue_ = ValueField(values, "dwordValue");
    charValue_ = ValueField(values, "charValue");
    shortValue_ = ValueField(values, "shortValue");
    longValue_ = ValueField(values, "longValue");
    auto* valuesLayout = new QFormLayout(values);
    valuesLayout->addRow(tr("BYTE :"), byteValue_);
    valuesLayout->addRow(tr("WORD :"), wordValue_);
    valuesLayout->addRow(tr("DWORD :"), dwordValue_);
    valuesLayout->addRow(tr("CHAR :"), charValue_);
    valuesLayout->addRow(tr("SHORT :"), shortValue_);
    valuesLayout->addRow(tr("LONG :"), longValue_);
    auto* side = new QVBoxLayout;
    side->addWidget(values);
    side->addWidget(refresh);
    side->addStretch(1);
    auto* gridRow = new QHBoxLayout;
    gridRow->addWidget(grid_, 0, Qt::AlignTop);
    gridRow->addLayout(side);
    auto* receivedLayout = new QVBoxLayout(received);
    receivedLayout->addLayout(gridRow);
    receivedLayout->addWidget(decodedLabel_);

    auto* columns = new QHBoxLayout;
    columns->addWidget(send, 1);
    columns->addWidget(received);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(connection);
    layout->addLayout(columns, 1);

    // Every slot runs guarded: a failure is reported in a box and the dialog stays.
    const auto guarded = [this](auto call) { return tools::Guarded(call, tools::ReportTo(*ui_)); };
    const auto slot = [this](auto member) { return tools::Guarded(this, member, tools::ReportTo(*ui_)); };
    connect(connectButton_, &QPushButton::clicked, this, slot(&FrameBenchDialog::OnConnect));
    connect(about, &QPushButton::clicked, this, slot(&FrameBenchDialog::OnAbout));
    connect(header, &QPushButton::clicked, this,
            guarded([this] { AfterAppend(controller_->AppendHeader()); }));
    connect(slave, &QPushButton::clicked, this, guarded([this] {
                const bool empty = slaveEdit_->text().isEmpty();
                AfterAppend(controller_->AppendSlave(slaveEdit_->text().toStdString()),
                            empty ? slaveEdit_ : nullptr);
            }));
    connect(data1, &QPushButton::clicked, this,
            guarded([this] { AfterAppend(controller_->AppendData(dataEdit_->text().toStdString(), 1)); }));
    connect(data2, &QPushButton::clicked, this,
            guarded([this] { AfterAppend(controller_->AppendData(dataEdit_->text().toStdString(), 2)); }));
    connect(data4, &QPushButton::clicked, this,
            guarded([this] { AfterAppend(controller_->AppendData(dataEdit_->text().toStdString(), 4)); }));
    connect(crc, &QPushButton::clicked, this, guarded([this] { AfterAppend(controller_->AppendCrc()); }));
    connect(tail, &QPushButton::clicked, this, guarded([this] { AfterAppend(controller_->AppendTail()); }));
    connect(hex, &QPushButton::clicked, this, guarded([this] {
                if (controller_->AppendHex(hexEdit_->text().toStdString())) hexEdit_->clear();
                AfterAppend(true, hexEdit_);
            }));
    connect(clear, &QPushButton::clicked, this, guarded([this] {
                controller_->Clear();
                AfterAppend(true);
            }));
    connect(sendButton_, &QPushButton::clicked, this, slot(&FrameBenchDialog::OnSend));
    connect(refresh, &QPushButton::clicked, this, slot(&FrameBenchDialog::OnRefresh));
    connect(grid_, &QTableWidget::currentCellChanged, this, slot(&FrameBenchDialog::OnRefresh));
}

void FrameBenchDialog::AfterAppend(bool /*appended*/, QWidget* focus) {
    RedrawSend();
    (focus != nullptr ? focus : dataEdit_)->setFocus();
}

void FrameBenchDialog::RedrawSend() {
    connectButton_->setText(Q(controller_->ConnectCaption()));
    sendDisplay_->setPlainText(Q(controller_->SendText()));
    sendDisplay_->verticalScrollBar()->setValue(sendDisplay_->verticalScrollBar()->maximum());
    sendButton_->setEnabled(controller_->IsSendEnabled());
}

void FrameBenchDialog::RedrawReceived() {
    for (int cell = 0; cell < kGridCells; ++cell)
        grid_->item(cell / kGridColumns, cell % kGridColumns)->setText(Q(controller_->CellText(cell)));
    decodedLabel_->setText(Q(controller_->DecodedText()));
    OnRefresh();
}

void FrameBenchDialog::OnConnect() {
    drainTimer_->stop();
    controller_->PressConnect(portEdit_->text().toStdString(), baudCombo_->currentText().toStdString());
    RedrawSend();
    RedrawReceived();
}

void FrameBenchDialog::OnSend() {
    drainTimer_->stop();
    const bool sent = controller_->PressSend();
    RedrawReceived();
    if (sent) drainTimer_->start();
}

void FrameBenchDialog::OnDrain() {
    controller_->Drain();
    RedrawReceived();
    RedrawSend();
    emit AnswerShown();
}

void FrameBenchDialog::OnRefresh() {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    const int cell = row < 0 || column < 0 ? 0 : row * kGridColumns + column;
    const CellValues values = controller_->Values(cell);
    byteValue_->setText(Q(values.byteValue));
    wordValue_->setText(Q(values.wordValue));
    dwordValue_->setText(Q(values.dwordValue));
    charValue_->setText(Q(values.charValue));
    shortValue_->setText(Q(values.shortValue));
    longValue_->setText(Q(values.longValue));
}

void FrameBenchDialog::OnAbout() {
    ui_->Inform(tr("About framebench").toStdString(), "framebench Version 1.0");
}

}  // namespace tarsel::framebench
