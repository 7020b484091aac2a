#include "gui/dialogs/monitoring_plan.h"

#include <QtGlobal>
#include <algorithm>

namespace tarsel::dialogs::monitoring {

namespace {

// The names are marked for translation; the lists show them translated, the graph program gets
// them as they stand.
constexpr std::array<Channel, 6> kChannels{{
    {0, QT_TRANSLATE_NOOP("CDlgMonitoring", "None"), ""},
    {1, QT_TRANSLATE_NOOP("CDlgMonitoring", "Reference Position"), "[pulse]"},
    {2, QT_TRANSLATE_NOOP("CDlgMonitoring", "Reference Velocity"), "[rpm]"},
    {11, QT_TRANSLATE_NOOP("CDlgMonitoring", "Motor Position"), "[pulse]"},
    {12, QT_TRANSLATE_NOOP("CDlgMonitoring", "Motor Velocity"), "[rpm]"},
    {21, QT_TRANSLATE_NOOP("CDlgMonitoring", "Torque"), "[%%]"},
}};

}  // namespace

std::span<const Channel> Channels() {
    return kChannels;
}

int ChannelIndexOf(uint8_t code) {
    for (std::size_t k = 0; k < kChannels.size(); ++k) {
        if (kChannels[k].code == code) return static_cast<int>(k);
    }
    return 0;
}

std::string SeriesName(const Channel& channel) {
    return std::string(channel.name) + ' ' + channel.unit;
}

std::vector<const Channel*> ChosenChannels(const std::array<int, 4>& listIndices) {
    std::vector<const Channel*> chosen;
    for (int index : listIndices) {
        if (index > 0 && index < static_cast<int>(kChannels.size())) chosen.push_back(&kChannels[index]);
    }
    return chosen;
}

MonitoringConfig ConfigOf(const Plan& plan) {
    MonitoringConfig config;
    config.samplingTime = plan.samplingMs;
    config.bufferSize = plan.bufferSize;
    const std::size_t count = std::min<std::size_t>(plan.chosen.size(), config.channels.size());
    config.channelCount = static_cast<uint8_t>(count);
    for (std::size_t k = 0; k < count; ++k) config.channels[k] = plan.chosen[k]->code;
    return config;
}

}  // namespace tarsel::dialogs::monitoring
