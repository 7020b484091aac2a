// The four read-only status rows the test windows show ("Cmd Pos", "Actual Pos", "Actual Vel",
// "Pos Error"), filled from the board's status cache and redrawn only where a value changed.
#pragma once

#include <QtGlobal>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>

class QGridLayout;
class QLineEdit;

namespace tarsel {
class CBoardInterface;
}

namespace tarsel::views {

class PositionStatusRows {
public:
    enum Row { kCommand, kActual, kVelocity, kError };

    // Adds the rows to `grid` from row `firstRow` on, with their units when `withUnits`.
    void Build(QGridLayout* grid, int firstRow, bool withUnits);
    // Shows the board's command and actual position, actual velocity and position error; `all`
    // redraws every row, rows in `skipped` stay as they are.  Returns the number of rows redrawn.
    int Show(const CBoardInterface& board, bool all, std::initializer_list<Row> skipped = {});
    QLineEdit* Field(Row row) const { return fields_[row]; }

private:
    std::array<QLineEdit*, 4> fields_{};
    std::array<std::optional<int32_t>, 4> shown_{};
};

}  // namespace tarsel::views
