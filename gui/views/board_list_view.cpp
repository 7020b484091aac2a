#include "gui/views/board_list_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "formats/metadata/metadata_files.h"
#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/model/port/CCommMaster.h"

namespace tarsel::app {

namespace {

// Grid lines between the cells of the list.
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(QColor(210, 210, 210));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

// The number after the first `skip` characters of a row text ("Port 99", "Slave 3").
std::optional<uint8_t> NumberAfter(const QString& text, int skip) {
    bool ok = false;
    const unsigned value = text.mid(skip).trimmed().toUInt(&ok);
    if (!ok || value > 255) return std::nullopt;
    return static_cast<uint8_t>(value);
}

}  // namespace

CViewBoardList::CViewBoardList(IShell& shell, QWidget* parent) : CView(shell, FrameKind::BoardList, parent) {
    setObjectName(QStringLiteral("CViewBoardList"));
    auto* listGroup = new QGroupBox(tr("Controller List"), this);
    listGroup->setObjectName(QStringLiteral("controllerList"));
    tree_ = new QTreeWidget(listGroup);
    tree_->setObjectName(QStringLiteral("boardTree"));
    tree_->setAccessibleName(tr("Controller List"));
    tree_->setColumnCount(4);
    tree_->setHeaderLabels({tr("Device List"), tr("Type"), tr("Motor"), tr("Information")});
    const int widths[] = {90, 150, 60, 230};
    for (int c = 0; c < 4; ++c) tree_->setColumnWidth(c, widths[c]);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setAllColumnsShowFocus(true);
    tree_->setItemDelegate(new GridDelegate(tree_));
    tree_->setRootIsDecorated(true);
    tree_->setIndentation(12);  // "Slave 15" fits the first column
    tree_->setMinimumSize(90 + 150 + 60 + 230 + 24, 200);
    auto* listLayout = new QVBoxLayout(listGroup);
    listLayout->addWidget(tree_);

    auto* parameterGroup = new QGroupBox(tr("Parameter"), this);
    parameterGroup->setObjectName(QStringLiteral("parameterGroup"));
    auto* parameterLayout = new QVBoxLayout(parameterGroup);
    parameterLayout->addWidget(AddButton(tr("Parameter List"), "parameterList", MsgKind::ParamListFrame));
    parameterLayout->addWidget(AddButton(tr("Axis Parameter"), "axisParameter", MsgKind::AxisParamFrame));
    auto* ioGroup = new QGroupBox(tr("I/O"), this);
    ioGroup->setObjectName(QStringLiteral("ioGroup"));
    auto* ioLayout = new QVBoxLayout(ioGroup);
    ioLayout->addWidget(AddButton(tr("I/O Monitor"), "ioMonitor", MsgKind::IoMonitorFrame));
    ioLayout->addWidget(AddButton(tr("I/O Setting"), "ioSetting", MsgKind::IoSettingFrame));
    auto* motionGroup = new QGroupBox(tr("Motion"), this);
    motionGroup->setObjectName(QStringLiteral("motionGroup"));
    auto* motionLayout = new QVBoxLayout(motionGroup);
    motionLayout->addWidget(AddButton(tr("Motion Test"), "motionTest", MsgKind::MotionFrame));
    motionLayout->addWidget(AddButton(tr("Repeat Test"), "repeatTest", MsgKind::RepeatFrame));
    motionLayout->addWidget(AddButton(tr("Position Table"), "positionTable", MsgKind::PosTableFrame));

    auto* buttons = new QGridLayout;
    buttons->addWidget(parameterGroup, 0, 0);
    buttons->addWidget(ioGroup, 0, 1);
    buttons->addWidget(motionGroup, 0, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listGroup, 1);
    layout->addLayout(buttons);
}

QPushButton* CViewBoardList::AddButton(const QString& caption, const char* name, MsgKind message) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, [this, message] {
        if (const auto drive = SelectedDrive())
            Shell().Post(Message::Open(message, drive->first, drive->second));
    });
    return button;
}

void CViewBoardList::OnMessage(const Message& message) {
    switch (message.kind) {
        case MsgKind::DataReloaded:
            Rebuild();
            return;
        case MsgKind::ParameterChanged:
            return;
        default:
            CView::OnMessage(message);
    }
}

QString CViewBoardList::MotorText(uint16_t motorNumber, const QString& definedName,
                                  const QString& driveName) {
    if (!definedName.isEmpty()) return definedName;
    if (driveName.isEmpty()) return QString::number(motorNumber);
    return driveName;
}

void CViewBoardList::Rebuild() {
    tree_->clear();
    CCommMaster& master = Shell().Master();
    const uint8_t port = master.GetPortNumberAt(0);
    if (master.GetPort(port) == nullptr || !master.IsPortOpen(port)) return;
    auto* root = new QTreeWidgetItem(tree_);
    root->setText(0, QStringLiteral("Port %1").arg(port));
    root->setText(3, QStringLiteral("Baudrate : %1").arg(master.GetPort(port)->BaudRate()));
    uint8_t slave = master.GetFirstSlave(port);
    for (;;) {
        auto* row = new QTreeWidgetItem(root);
        row->setText(0, QStringLiteral("Slave %1").arg(slave));
        BoardRef board = LookupBoard(master, port, slave);
        if (board == nullptr) break;
        row->setText(1, QString::fromStdString(board->GetModelName()));
        const SlaveInfo& info = board->GetSlaveInfo();
        row->setText(3, QStringLiteral("%1 Ver.%2.%3.%4.%5")
                            .arg(QString::fromStdString(board->GetFirmwareName()))
                            .arg(info.version[0])
                            .arg(info.version[1])
                            .arg(info.version[2])
                            .arg(info.version[3]));
        row->setText(2, MotorText(info.motorNumber, QString::fromStdString(ReadMotorName(info.motorNumber)),
                                  QString::fromStdString(info.MotorName())));
        const uint8_t next = master.GetNextSlave(port, slave);
        if (next == slave) break;
        slave = next;
    }
    root->setExpanded(true);
}

std::optional<std::pair<uint8_t, uint8_t>> CViewBoardList::SelectedDrive() {
    if (Shell().Master().GetPortCount() == 0) return std::nullopt;
    QTreeWidgetItem* item = tree_->currentItem();
    if (item == nullptr || !item->isSelected()) {
        if (tree_->topLevelItemCount() == 0) return std::nullopt;
        item = tree_->topLevelItem(0);
        tree_->setCurrentItem(item);
    }
    QTreeWidgetItem* portRow = item->parent() != nullptr ? item->parent() : item;
    QTreeWidgetItem* slaveRow = item->parent() != nullptr ? item : item->child(0);
    if (slaveRow == nullptr) return std::nullopt;
    const auto port = NumberAfter(portRow->text(0), 4);
    const auto slave = NumberAfter(slaveRow->text(0), 5);
    if (!port || !slave) return std::nullopt;
    return std::make_pair(*port, *slave);
}

void RegisterBoardListView(ViewRegistry& registry) {
    registry.Register(FrameKind::BoardList, ViewRegistry::kAnyType, QStringLiteral("CViewBoardList"),
                      [](IShell& shell, QWidget* parent) { return new CViewBoardList(shell, parent); });
}

}  // namespace tarsel::app
