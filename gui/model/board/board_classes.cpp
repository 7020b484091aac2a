#include "gui/model/board/board_classes.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "gui/model/board/CBoardDorrinTevraBLDC.h"

namespace tarsel {

bool CBoardPellinTevra::IsMotorOn() const {
    const uint32_t status = GetAxisStatus();
    return (status & (axis_bit::kStepperAlarmReset | axis_bit::kStepperFree)) == 0;
}

bool CBoardPellinTevra::GetStepCurrent(uint8_t index, uint16_t& value) {
    uint16_t read = 0;
    if (!Run("DoCmdSTEPGetCurrent", [&] { return Port()->StepGetCurrent(slave_, index, &read); }))
        return false;
    value = read;
    return true;
}

bool CBoardPellinTevra::SetStepCurrent(uint16_t value) {
    return Run("DoCmdSTEPSetCurrent", [&] { return Port()->StepSetCurrent(slave_, value); });
}

bool CBoardPellinTevra::GetStepVersionText(char* buffer, uint32_t size) {
    if (!buffer || size == 0) return false;
    return Run("DoCmdSTEPVersion", [&] { return Port()->StepVersion(slave_, buffer, size); });
}

bool ParseStepVersion(const std::string& text, int& variant) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '.' || c == '/') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    const auto same = [](const std::string& a, const char* b) {
        if (a.size() != std::strlen(b)) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(a[i])) !=
                std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        }
        return true;
    };
    if (words.size() < 6) return false;
    if (!same(words[0], "Pellin") || !same(words[1], "Bipolar") || !same(words[2], "Version")) return false;
    if (words[4] == "0") {
        variant = 0;
    } else if (words[4] == "1") {
        variant = 1;
    } else {
        return false;
    }
    return true;
}

bool CBoardPellinTevra::CheckStepVersion(int& variant) {
    char text[256] = {};
    if (!GetStepVersionText(text, sizeof text)) return false;
    text[sizeof text - 1] = 0;
    return ParseStepVersion(text, variant);
}

bool CBoardPellinTevra::GetStepMotorData(std::array<uint8_t, 64>& data) {
    std::array<uint8_t, 64> read{};
    if (!Run("DoCmdSTEPGetMotorDB", [&] { return Port()->StepGetMotorDB(slave_, &read); })) return false;
    data = read;
    return true;
}

bool CBoardPellinTevra::SetStepMotorData(uint8_t index) {
    return Run("DoCmdSTEPSetMotorDB", [&] { return Port()->StepSetMotorDB(slave_, index); });
}

std::unique_ptr<CBoardInterface> CreateBoard(uint8_t modelCode, uint8_t slave, IBoardCommands& port,
                                             const SlaveInfo* info, const CDefaultParam* defaults,
                                             BoardContext context) {
    switch (modelCode) {
        case board_type::kMotionController:
            return std::make_unique<CBoardRavelo>(slave, port, info, defaults, context);
        case board_type::kStepper:
            return std::make_unique<CBoardPellinTevra>(slave, port, info, defaults, context);
        case board_type::kAbsServo:
            return std::make_unique<CBoardDorrinTevraAbs>(slave, port, info, defaults, context);
        case board_type::kBldc:
            return std::make_unique<CBoardDorrinTevraBLDC>(slave, port, info, AsBldcTable(defaults), context);
        case board_type::kMotionController2:
            return std::make_unique<CBoardRavelo2>(slave, port, info, defaults, context);
        default:
            return std::make_unique<CBoardDorrinTevra>(slave, port, info, defaults, context);
    }
}

}  // namespace tarsel
