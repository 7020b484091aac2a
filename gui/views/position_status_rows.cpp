#include "gui/views/position_status_rows.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <algorithm>

#include "gui/model/board/CBoardInterface.h"
#include "gui/views/view_style.h"

namespace tarsel::views {

namespace {

struct RowText {
    const char* caption;
    const char* objectName;
    const char* unit;
};

constexpr std::array<RowText, 4> kRows{{
    {QT_TRANSLATE_NOOP("tarsel::views::PositionStatusRows", "Cmd Pos"), "cmdPosValue", "[pulse]"},
    {QT_TRANSLATE_NOOP("tarsel::views::PositionStatusRows", "Actual Pos"), "actualPosValue", "[pulse]"},
    {QT_TRANSLATE_NOOP("tarsel::views::PositionStatusRows", "Actual Vel"), "actualVelValue", "[pps]"},
    {QT_TRANSLATE_NOOP("tarsel::views::PositionStatusRows", "Pos Error"), "posErrorValue", "[pulse]"},
}};

}  // namespace

void PositionStatusRows::Build(QGridLayout* grid, int firstRow, bool withUnits) {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const QString caption =
            QCoreApplication::translate("tarsel::views::PositionStatusRows", kRows[i].caption);
        const QString unit = withUnits ? QString::fromLatin1(kRows[i].unit) : QString();
        fields_[i] = AddValueRow(grid, firstRow + static_cast<int>(i), caption, unit, kRows[i].objectName);
        MakeReadOnlyValue(fields_[i]);
    }
}

int PositionStatusRows::Show(const CBoardInterface& board, bool all, std::initializer_list<Row> skipped) {
    const std::array<int32_t, 4> values{board.GetCommandPosition(), board.GetActualPosition(),
                                        board.GetActualVelocity(), board.GetPositionError()};
    int redrawn = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (std::find(skipped.begin(), skipped.end(), static_cast<Row>(i)) != skipped.end()) continue;
        if (!all && shown_[i] == values[i]) continue;
        fields_[i]->setText(QString::number(values[i]));
        shown_[i] = values[i];
        ++redrawn;
    }
    return redrawn;
}

}  // namespace tarsel::views
