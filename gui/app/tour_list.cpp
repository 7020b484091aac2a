// The windows the screenshot tour shows; one line per window.
#include "gui/app/tour.h"

namespace tarsel::app {

const std::vector<TourStop>& TourList() {
    static const std::vector<TourStop> stops{
        {"boards", false},
        {"bldc", false},
    };
    return stops;
}

}  // namespace tarsel::app
