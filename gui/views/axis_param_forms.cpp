#include "gui/views/axis_param_forms.h"

namespace tarsel::views {

namespace {

// clang-format off
constexpr std::array<AxisParamForm, 6> kForms{{
    // class               type form  motor orgDir orgOff orgPos  INP stop  +lim -lim track ratio  run/stop encDir pulse enc3
    {"CViewAxisParam",      1, 156,   28,   21,    22,    23,     26,  15,  12,  13,  27,   5,     -1,      -1,    -1,   -1},
    {"CViewAxisParam2",    20, 157,   26,   21,    22,    23,     -1,  15,  12,  13,  -1,   5,     10,      -1,    -1,   -1},
    {"CViewAxisParam3",    10, 158,   28,   21,    22,    23,     -1,  15,  12,  13,  -1,   5,     -1,      27,    26,    0},
    {"CViewAxisParam5",    30, 159,   28,   21,    22,    23,     26,  15,  12,  13,  27,   5,     -1,      -1,    -1,   -1},
    {"CViewAxisParam6",    40, 160,   25,   20,    21,    22,     -1,  14,  11,  12,  24,   4,     -1,      -1,    -1,   -1},
    {"CViewAxisParam7",   110, 228,   25,   18,    19,    20,     -1,  12,   9,  10,  -1,   5,     -1,      24,    23,    0},
}};
// clang-format on

}  // namespace

std::span<const AxisParamForm> AxisParamForms() {
    return kForms;
}

const AxisParamForm& AxisParamFormOf(uint8_t typeCode) {
    for (const AxisParamForm& form : kForms) {
        if (form.typeCode == typeCode) return form;
    }
    return kForms[0];
}

}  // namespace tarsel::views
