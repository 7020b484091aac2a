// The logic of the slave-number dialog, free of any toolkit: the connection state, the table of
// found slaves, the selected slave and the new number, and every text and enabling rule the
// dialog shows.  The dialog forwards its user's actions here and redraws from the accessors.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/tool_ui.h"
#include "tools/idpicker/slave_link.h"

namespace tarsel::idpicker {

constexpr int kNoSlave = kSlaveCount;  // no slave chosen

class IdPickerController {
public:
    IdPickerController(SlaveLink& link, tools::ToolUi& ui);

    // Start-up: the port numbers found on the machine (sorted here).
    void Start(std::vector<unsigned> ports);

    // Connect button.  `portText` is the port combo's text ("COM%d", may be empty), `baudText`
    // the baud-rate combo's.
    void PressConnect(const std::string& portText, const std::string& baudText);
    // Radio button of slave `n` clicked.
    void SelectSlave(int n);
    // Selection of the new-number combo changed (-1: none).
    void SelectNewNumber(int index);
    // Write button.
    void PressWrite();

    // What the dialog shows.
    const std::vector<unsigned>& Ports() const { return ports_; }
    std::vector<std::string> PortTexts() const;
    int InitialPortIndex() const { return ports_.empty() ? -1 : 0; }
    int BaudIndex() const { return baudIndex_; }
    bool IsConnected() const { return connected_; }
    bool IsScanning() const { return scanning_; }
    bool IsFound(int n) const { return n >= 0 && n < kSlaveCount && found_[static_cast<std::size_t>(n)]; }
    bool IsSlaveEnabled(int n) const { return connected_ && IsFound(n); }
    int CurrentSlave() const { return currentSlave_; }
    std::string ConnectCaption() const;
    bool IsConnectEnabled() const { return !scanning_; }
    std::string SettingCaption() const;
    const std::string& IdentityText() const { return identityText_; }
    const std::vector<int>& NewNumbers() const { return newNumbers_; }
    int NewNumberIndex() const { return newNumberIndex_; }
    bool IsNewNumberEnabled() const { return newNumberEnabled_; }
    bool IsWriteEnabled() const { return writeEnabled_; }

private:
    std::string Tr(const char* source) const { return ui_.Translate("IdPicker", source); }
    void ShowDisconnected();
    void ClearSelection();
    void UpdateWriteEnabled();

    SlaveLink& link_;
    tools::ToolUi& ui_;
    std::vector<unsigned> ports_;
    int baudIndex_;
    bool connected_ = false;
    bool scanning_ = false;
    std::array<bool, kSlaveCount> found_{};
    int currentSlave_ = kNoSlave;
    std::string identityText_;
    std::vector<int> newNumbers_;
    int newNumberIndex_ = -1;
    bool newNumberEnabled_ = false;
    bool writeEnabled_ = false;
};

}  // namespace tarsel::idpicker
