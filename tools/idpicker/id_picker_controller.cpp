#include "tools/idpicker/id_picker_controller.h"

#include <algorithm>

#include "comm/result_codes.h"
#include "tools/common/port_choices.h"
#include "tools/common/text_format.h"

namespace tarsel::idpicker {

namespace {
constexpr const char* kTitle = "idpicker";
constexpr std::size_t kPortTextMax = 10;
}  // namespace

IdPickerController::IdPickerController(SlaveLink& link, tools::ToolUi& ui)
    : link_(link), ui_(ui), baudIndex_(tools::kDefaultBaudIndex) {}

void IdPickerController::Start(std::vector<unsigned> ports) {
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    ports_ = std::move(ports);
    baudIndex_ = tools::kDefaultBaudIndex;
    ShowDisconnected();
}

std::vector<std::string> IdPickerController::PortTexts() const {
    std::vector<std::string> texts;
    for (const unsigned port : ports_) texts.push_back(tools::PortText(port));
    return texts;
}

std::string IdPickerController::ConnectCaption() const {
    if (scanning_) return Tr(QT_TRANSLATE_NOOP("IdPicker", "Scanning..."));
    return connected_ ? Tr(QT_TRANSLATE_NOOP("IdPicker", "Disconnect"))
                      : Tr(QT_TRANSLATE_NOOP("IdPicker", "Connect"));
}

std::string IdPickerController::SettingCaption() const {
    if (currentSlave_ == kNoSlave) return Tr(QT_TRANSLATE_NOOP("IdPicker", "Setting"));
    return tools::FormatText(Tr(QT_TRANSLATE_NOOP("IdPicker", "Setting : Slave %1")),
                             {std::to_string(currentSlave_)});
}

void IdPickerController::ShowDisconnected() {
    connected_ = false;
    found_.fill(false);
    ClearSelection();
}

void IdPickerController::ClearSelection() {
    currentSlave_ = kNoSlave;
    identityText_.clear();
    newNumbers_.clear();
    newNumberIndex_ = -1;
    newNumberEnabled_ = false;
    writeEnabled_ = false;
}

void IdPickerController::UpdateWriteEnabled() {
    writeEnabled_ = connected_ && currentSlave_ < kNoSlave && newNumberIndex_ >= 0;
}

void IdPickerController::PressConnect(const std::string& portText, const std::string& baudText) {
    if (scanning_) return;
    if (connected_) {
        link_.Close();
        ShowDisconnected();
        return;
    }

    // "COM%d": the number follows the first three characters.
    const std::string text = portText.substr(0, kPortTextMax);
    const auto port = tools::ParseDecimal(text.size() > 3 ? text.substr(3) : std::string(), 255);
    const auto baud = tools::ParseDecimal(baudText, 0xFFFFFFFFu);
    bool opened = false;
    std::string reason;
    if (!port) {
        link_.Close();
        reason = text.empty()
                     ? Tr(QT_TRANSLATE_NOOP("IdPicker", "No port is selected."))
                     : tools::FormatText(Tr(QT_TRANSLATE_NOOP("IdPicker", "\"%1\" is not a port.")), {text});
    } else if (!baud || *baud == 0) {
        link_.Close();
        reason = Tr(QT_TRANSLATE_NOOP("IdPicker", "The baud rate is not a number."));
    } else {
        opened = link_.Open(*port, *baud);
        if (!opened) reason = link_.OpenErrorText();
    }
    if (!opened) {
        ShowDisconnected();
        ui_.Refresh();
        ui_.Fail(kTitle, Tr(QT_TRANSLATE_NOOP("IdPicker", "connection failed.")), reason);
        return;
    }

    scanning_ = true;
    ShowDisconnected();
    ui_.Refresh();
    int count = 0;
    for (int n = 0; n < kSlaveCount; ++n) {
        found_[static_cast<std::size_t>(n)] = link_.Probe(static_cast<uint8_t>(n)) == kResultSuccess;
        if (found_[static_cast<std::size_t>(n)]) ++count;
    }
    scanning_ = false;
    if (count > 0) {
        connected_ = true;
        return;
    }
    // The box opens over the disconnected display, not over the scan's.
    ShowDisconnected();
    ui_.Refresh();
    ui_.Inform(kTitle, Tr(QT_TRANSLATE_NOOP("IdPicker", "No slaves are detected.")));
}

void IdPickerController::SelectSlave(int n) {
    if (!connected_ || !IsFound(n)) {
        ClearSelection();
        return;
    }
    SlaveInfo identity;
    if (link_.ReadIdentity(static_cast<uint8_t>(n), identity) != kResultSuccess) return;

    currentSlave_ = n;
    const auto& v = identity.version;
    identityText_ =
        tools::FormatText("%1 ver.%2.%3.%4.%5", {identity.Name(), std::to_string(v[0]), std::to_string(v[1]),
                                                 std::to_string(v[2]), std::to_string(v[3])});
    newNumbers_.clear();
    for (int m = 0; m < kSlaveCount; ++m)
        if (m != n && !IsFound(m)) newNumbers_.push_back(m);
    newNumberIndex_ = -1;
    newNumberEnabled_ = true;
    writeEnabled_ = false;
}

void IdPickerController::SelectNewNumber(int index) {
    newNumberIndex_ = index >= 0 && index < static_cast<int>(newNumbers_.size()) ? index : -1;
    UpdateWriteEnabled();
}

void IdPickerController::PressWrite() {
    UpdateWriteEnabled();
    if (!writeEnabled_) return;
    const int from = currentSlave_;
    const int to = newNumbers_[static_cast<std::size_t>(newNumberIndex_)];
    const std::string question = tools::FormatText(
        Tr(QT_TRANSLATE_NOOP("IdPicker", "Do you want to change 'Slave No' from %1 to %2?")),
        {std::to_string(from), std::to_string(to)});
    if (!ui_.Ask(Tr(QT_TRANSLATE_NOOP("IdPicker", "ID Update")), question)) return;

    // Write is shown disabled while the change runs and behind the box that reports it.
    writeEnabled_ = false;
    ui_.Refresh();
    const uint8_t result = link_.ChangeSlaveNumber(static_cast<uint8_t>(from), static_cast<uint8_t>(to));
    if (result != kResultSuccess) {
        ui_.Fail(Tr(QT_TRANSLATE_NOOP("IdPicker", "Error")),
                 tools::FormatText(
                     Tr(QT_TRANSLATE_NOOP("IdPicker", "Failed to execute command.\nReturn code : %1")),
                     {tools::HexByte(result)}));
        return;
    }
    ui_.Inform(Tr(QT_TRANSLATE_NOOP("IdPicker", "ID Update")),
               Tr(QT_TRANSLATE_NOOP("IdPicker", "Finished to update.")));
    for (const int n : {from, to})
        found_[static_cast<std::size_t>(n)] = link_.Probe(static_cast<uint8_t>(n)) == kResultSuccess;
    ClearSelection();
}

}  // namespace tarsel::idpicker
