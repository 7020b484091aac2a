// What one monitoring run records: the drive's sampling settings, the chosen channels in list
// order and the relative move during which the drive samples.  Also the channel table the four
// lists offer and what the graph program is told about each series.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "comm/CCommInterface.h"

namespace tarsel::dialogs::monitoring {

struct Channel {
    uint8_t code;      // the drive's channel code
    const char* name;  // shown in the lists and sent to the graph program
    const char* unit;  // empty for "None"
};

// The channels in the order the lists show them; the first is "None" (code 0).
std::span<const Channel> Channels();
// Index of `code` in Channels(), or 0 ("None") for a code the lists do not have.
int ChannelIndexOf(uint8_t code);

// Series colours (COLORREF, 0x00BBGGRR) by the series' position among the chosen channels.
inline constexpr std::array<uint32_t, 4> kSeriesColours{0x2020FF, 0x4484FF, 0x20FFFF, 0x40FF40};

// The series name the graph program shows: name and unit separated by one space, the unit text as
// it stands (the torque's "[%%]" included).
std::string SeriesName(const Channel& channel);

struct Plan {
    uint16_t samplingMs = 0;
    uint16_t bufferSize = 0;             // samples
    std::vector<const Channel*> chosen;  // up to four, in list order, never "None"
    int32_t distance = 0;                // pulses, relative
    uint32_t moveSpeed = 0;              // pps
};

// The channels of the four lists (table indices), "None" skipped, in list order.
std::vector<const Channel*> ChosenChannels(const std::array<int, 4>& listIndices);

// The drive's sampling configuration for a plan: the chosen codes first, 0 in the empty places.
MonitoringConfig ConfigOf(const Plan& plan);

}  // namespace tarsel::dialogs::monitoring
