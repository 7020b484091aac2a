// The windows the screenshot tour shows; one line per window.
#include "gui/app/tour.h"

namespace tarsel::app {

const std::vector<TourStop>& TourList() {
    // clang-format off
    static const std::vector<TourStop> stops{
        {"boards", false},
        {"bldc", false},
        {"parameters", true},
        {"axis", true},
        {"motion", true},
        {"repeat", false},
        {"position-table", true},
        {"io-monitor", true},
        {"io-setting", true},
        {"inertia", false},
        {"rl", false},
        {"monitoring", false},
    };
    // clang-format on
    return stops;
}

}  // namespace tarsel::app
