// The comparison of a drive's parameter values with another set (a parameter file or a second
// drive of the same model): one row per parameter, marked where the values differ.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tarsel::dialogs {

struct CompareRow {
    int number = 0;
    int32_t drive = 0;
    std::optional<int32_t> other;  // none where the other set has no value
    bool differs = false;
};

// One row per value of `drive`; `other` may be shorter or longer.
std::vector<CompareRow> CompareValues(const std::vector<int32_t>& drive, const std::vector<int32_t>& other);

}  // namespace tarsel::dialogs
