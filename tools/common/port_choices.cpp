#include "tools/common/port_choices.h"

#include <algorithm>

#include "comm/platform/ports.h"

namespace tarsel::tools {

const std::vector<std::string>& BaudRateTexts() {
    static const std::vector<std::string> texts{"9600",   "19200",  "38400",  "57600",
                                                "115200", "230400", "460800", "921600"};
    return texts;
}

std::vector<unsigned> SortedPorts() {
    std::vector<unsigned> ports;
    platform::EnumeratePorts(ports);
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return ports;
}

std::string PortText(unsigned portNumber) {
    return "COM" + std::to_string(portNumber);
}

std::optional<unsigned> ParseDecimal(const std::string& text, unsigned maximum) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    unsigned long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > maximum) return std::nullopt;
    return static_cast<unsigned>(value);
}

}  // namespace tarsel::tools
