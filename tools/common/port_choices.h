// The choices the tools offer for a connection: the ports present (sorted, as "COM%d") and the
// fixed list of baud rates.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarsel::tools {

// The baud rates offered by every tool, as shown.
const std::vector<std::string>& BaudRateTexts();
// Index of "115200", selected at start.
constexpr int kDefaultBaudIndex = 4;

// Port numbers of the machine, sorted ascending, without duplicates.
std::vector<unsigned> SortedPorts();
std::string PortText(unsigned portNumber);  // "COM%d"

// Decimal number of a whole text (digits only, no sign, no spaces); empty on anything else or
// when the value exceeds `maximum`.
std::optional<unsigned> ParseDecimal(const std::string& text, unsigned maximum);

}  // namespace tarsel::tools
