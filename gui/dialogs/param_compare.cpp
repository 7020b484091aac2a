#include "gui/dialogs/param_compare.h"

namespace tarsel::dialogs {

std::vector<CompareRow> CompareValues(const std::vector<int32_t>& drive, const std::vector<int32_t>& other) {
    std::vector<CompareRow> rows;
    rows.reserve(drive.size());
    for (std::size_t i = 0; i < drive.size(); ++i) {
        CompareRow row;
        row.number = static_cast<int>(i);
        row.drive = drive[i];
        if (i < other.size()) row.other = other[i];
        row.differs = row.other && *row.other != row.drive;
        rows.push_back(row);
    }
    return rows;
}

}  // namespace tarsel::dialogs
