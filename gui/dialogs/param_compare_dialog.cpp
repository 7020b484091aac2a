#include "gui/dialogs/param_compare_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/ini/ini_file.h"
#include "formats/files/drive_file_header.h"
#include "formats/files/parameter_file.h"
#include "formats/metadata/CDefaultParam.h"
#include "gui/app/board_access.h"
#include "gui/app/shell.h"

namespace tarsel::dialogs {

namespace {
const QColor kDiffers{255, 240, 200};
}

CDlgParamCompare::CDlgParamCompare(app::IShell& shell, uint8_t port, uint8_t slave, QWidget* parent)
    : QDialog(parent), shell_(shell), port_(port), slave_(slave) {
    setObjectName(QStringLiteral("CDlgParamCompare"));
    setWindowTitle(tr("Compare Parameters"));
    setAttribute(Qt::WA_DeleteOnClose);

    browse_ = new QPushButton(tr("File..."), this);
    browse_->setObjectName(QStringLiteral("compareFileButton"));
    auto* drivesLabel = new QLabel(tr("Drive:"), this);
    drives_ = new QComboBox(this);
    drives_->setObjectName(QStringLiteral("compareDriveCombo"));
    drivesLabel->setBuddy(drives_);
    drives_->addItem(tr("(none)"), -1);
    if (app::BoardRef self = app::LookupBoard(shell_.Master(), port_, slave_)) {
        for (uint8_t s = 0; s < 16; ++s) {
            app::BoardRef other = app::LookupBoard(shell_.Master(), port_, s);
            if (s != slave_ && other && other->GetModelName() == self->GetModelName())
                drives_->addItem(tr("Slave %1").arg(s), s);
        }
    }
    source_ = new QLabel(this);
    source_->setObjectName(QStringLiteral("compareSource"));

    table_ = new QTableWidget(0, kColumnCount, this);
    table_->setObjectName(QStringLiteral("compareTable"));
    table_->setAccessibleName(tr("Compared parameters"));
    table_->setHorizontalHeaderLabels({tr("No."), tr("Name"), tr("Drive"), tr("Other")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setColumnWidth(kName, 190);
    table_->setMinimumSize(460, 360);

    copy_ = new QPushButton(tr("Copy to Drive"), this);
    copy_->setObjectName(QStringLiteral("compareCopyButton"));
    copy_->setEnabled(false);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("compareCloseButton"));

    auto* top = new QHBoxLayout;
    top->addWidget(browse_);
    top->addSpacing(12);
    top->addWidget(drivesLabel);
    top->addWidget(drives_);
    top->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(copy_);
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(source_);
    layout->addWidget(table_, 1);
    layout->addLayout(bottom);

    connect(browse_, &QPushButton::clicked, this, &CDlgParamCompare::OnBrowse);
    connect(drives_, &QComboBox::activated, this, &CDlgParamCompare::OnDriveChosen);
    connect(copy_, &QPushButton::clicked, this, &CDlgParamCompare::CopyChecked);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    Show({}, QString());
}

std::vector<int32_t> CDlgParamCompare::DriveValues() const {
    std::vector<int32_t> values;
    if (app::BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_)) {
        for (uint8_t i = 0; i < board->GetParameterCount(); ++i)
            values.push_back(board->GetParameterValue(i));
    }
    return values;
}

void CDlgParamCompare::OnBrowse() {
    app::FileRequest request;
    request.caption = tr("Compare Parameters");
    request.filter = tr("Parameter File(*.fpt)") + QStringLiteral(";;") + tr("All Files(*.*)");
    if (const auto path = shell_.Dialogs().OpenFile(request)) CompareWithFile(*path);
}

bool CDlgParamCompare::CompareWithFile(const QString& path) {
    const QString caption = tr("Compare Parameters");
    app::BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    if (!board) return false;
    const auto file = ini::IniFile::Load(path.toStdString());
    if (!file) {
        shell_.Dialogs().Inform(caption, tr("Failed to read file."), app::BoxIcon::Exclamation);
        return false;
    }
    const auto values = files::ModelMatches(*file, board->GetModelName())
                            ? files::ReadParameterSection(*file, board->GetParameterCount())
                            : std::nullopt;
    if (!values) {
        shell_.Dialogs().Inform(
            caption, tr("It is NOT a paramerer file or not a supported one.\nPlease check it again."),
            app::BoxIcon::Exclamation);
        return false;
    }
    Show(values->values, path);
    return true;
}

bool CDlgParamCompare::CompareWithDrive(uint8_t slave) {
    app::BoardRef self = app::LookupBoard(shell_.Master(), port_, slave_);
    app::BoardRef other = app::LookupBoard(shell_.Master(), port_, slave);
    if (!self || !other || slave == slave_ || other->GetModelName() != self->GetModelName()) return false;
    if (!other->paramLoaded) {
        // Its values are read first; the comparison follows when they are in.
        other->paramReloadRequest = true;
        shell_.LoadData(port_, slave, app::kLoadParameters, [this, slave](bool loaded) {
            if (loaded) CompareWithDrive(slave);
        });
        return true;
    }
    std::vector<int32_t> values;
    for (uint8_t i = 0; i < other->GetParameterCount(); ++i) values.push_back(other->GetParameterValue(i));
    Show(std::move(values), tr("Slave %1").arg(slave));
    return true;
}

void CDlgParamCompare::OnDriveChosen(int index) {
    const int slave = drives_->itemData(index).toInt();
    if (slave >= 0) CompareWithDrive(static_cast<uint8_t>(slave));
}

void CDlgParamCompare::Show(std::vector<int32_t> other, const QString& source) {
    other_ = std::move(other);
    source_->setText(source.isEmpty() ? tr("Choose a parameter file or a drive to compare with.")
                                      : tr("Compared with: %1").arg(source));
    Redraw();
}

void CDlgParamCompare::Redraw() {
    rows_ = CompareValues(DriveValues(), other_);
    app::BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    const CDefaultParam* table = board ? shell_.Master().GetDefaultTable(board->GetBoardType()) : nullptr;
    table_->setRowCount(static_cast<int>(rows_.size()));
    int differing = 0;
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        const CompareRow& row = rows_[static_cast<std::size_t>(r)];
        const CParamItemInfo* info = table ? table->GetParamInfo(static_cast<uint32_t>(row.number)) : nullptr;
        const QStringList texts{
            QString::number(row.number), info ? QString::fromStdString(info->name) : QString(),
            QString::number(row.drive), row.other ? QString::number(*row.other) : QString()};
        for (int c = 0; c < kColumnCount; ++c) {
            auto* cell = new QTableWidgetItem(texts[c]);
            Qt::ItemFlags flags = Qt::ItemIsEnabled;
            if (c == kNumber && row.differs) {
                flags |= Qt::ItemIsUserCheckable;
                cell->setCheckState(Qt::Unchecked);
            }
            cell->setFlags(flags);
            if (c >= kDrive) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row.differs) cell->setBackground(kDiffers);
            table_->setItem(r, c, cell);
        }
        if (row.differs) ++differing;
    }
    copy_->setEnabled(differing > 0);
}

void CDlgParamCompare::SetChecked(int number, bool checked) {
    if (number < 0 || number >= table_->rowCount()) return;
    QTableWidgetItem* cell = table_->item(number, kNumber);
    if (cell != nullptr && (cell->flags() & Qt::ItemIsUserCheckable))
        cell->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

int CDlgParamCompare::CopyChecked() {
    app::BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    if (!board) return 0;
    int written = 0;
    for (const CompareRow& row : rows_) {
        QTableWidgetItem* cell = table_->item(row.number, kNumber);
        if (!row.differs || !row.other || cell == nullptr || cell->checkState() != Qt::Checked) continue;
        if (!board->SetParameter(static_cast<uint8_t>(row.number), *row.other)) break;
        ++written;
    }
    Redraw();
    return written;
}

}  // namespace tarsel::dialogs
