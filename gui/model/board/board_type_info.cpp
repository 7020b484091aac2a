#include "gui/model/board/board_type_info.h"

#include <array>

namespace tarsel {
namespace {

std::vector<std::string> Numbered(const char* stem, int from, int to) {
    std::vector<std::string> out;
    for (int i = from; i <= to; ++i) out.push_back(std::string(stem) + std::to_string(i));
    return out;
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

enum class Family { Ravelo, Dorrin, DorrinAbs, Pellin };

std::vector<std::string> InputLabels(Family family) {
    std::vector<std::string> in{"Limit +", "Limit -", "Origin",
                                family == Family::DorrinAbs ? "Reserved" : "Clear Pos"};
    Append(in, Numbered("PT A", 0, 5));
    if (family == Family::Ravelo) {
        Append(in, {"Reserved", "Reserved"});
    } else {
        Append(in, {"PT A6", "PT A7"});
    }
    Append(in, {"PT Start", "Stop", "Jog +", "Jog -", "Alarm Reset",
                family == Family::Pellin ? "Reserved" : "Servo On", "Pause", "Origin Search", "Teaching",
                "E-Stop"});
    Append(in, Numbered("JPT IN ", 0, 2));
    in.push_back("JPT Start");
    Append(in, Numbered("User IN ", 0, family == Family::Ravelo ? 5 : 8));
    return in;
}

enum class OutFamily { Ravelo, Dorrin, DorrinAbs, Pellin };

std::vector<std::string> OutputLabels(OutFamily family) {
    std::vector<std::string> out;
    switch (family) {
        case OutFamily::Ravelo:
            out = {"Comp. Out", "Inposition", "Alarm",         "Moving",      "Acc/Dec",  "ACK",
                   "END",       "Reserved",   "Org Search Ok", "Servo Ready", "Reserved", "Reserved"};
            Append(out, Numbered("PT OUT ", 0, 2));
            out.push_back("User OUT 0");
            for (int i = 17; i <= 24; ++i) out.push_back("Reserved");
            break;
        case OutFamily::Dorrin:
        case OutFamily::DorrinAbs:
        case OutFamily::Pellin: {
            const bool pellin = family == OutFamily::Pellin;
            out = {family == OutFamily::DorrinAbs ? "Reserved" : "Comp. Out",
                   pellin ? "Reserved" : "Inposition",
                   "Alarm",
                   pellin ? "Run/Stop" : "Moving",
                   "Acc/Dec",
                   "PT ACK",
                   "PT End",
                   "AlarmBlink",
                   "Org Search Ok",
                   pellin ? "Reserved" : "Servo Ready",
                   "Reserved",
                   "Brake"};
            Append(out, Numbered("PT OUT ", 0, 2));
            if (family == OutFamily::DorrinAbs) {
                out.push_back("PT OUT 3");
                Append(out, Numbered("User OUT ", 0, 8));
            } else {
                Append(out, Numbered("User OUT ", 0, 8));
            }
            break;
        }
    }
    return out;
}

std::vector<EnumeratedParam> Enumerated(std::initializer_list<uint8_t> levels,
                                        std::initializer_list<uint8_t> stops,
                                        std::initializer_list<uint8_t> directions,
                                        std::initializer_list<EnumeratedParam> others) {
    std::vector<EnumeratedParam> out;
    for (uint8_t p : levels) out.push_back({p, ValueTexts::Level});
    for (uint8_t p : stops) out.push_back({p, ValueTexts::StopKind});
    for (uint8_t p : directions) out.push_back({p, ValueTexts::Direction});
    out.insert(out.end(), others.begin(), others.end());
    return out;
}

std::vector<BoardTypeInfo> BuildTable() {
    std::vector<BoardTypeInfo> table;

    BoardTypeInfo servo;
    servo.typeCode = board_type::kServo;
    servo.modelName = "Dorrin Tevra Inc.";
    servo.defaultFile = "Dorrin_ParamDefault.ini";
    servo.defaultSection = "DORRIN_TEVRA";
    servo.inputSignals = 35, servo.inputFixed = 3, servo.outputSignals = 24, servo.outputFixed = 1;
    servo.inputLabels = InputLabels(Family::Dorrin);
    servo.outputLabels = OutputLabels(OutFamily::Dorrin);
    servo.firstUserOutput = 16, servo.lastUserOutput = 24;
    servo.startSpeedParam = 18, servo.runSpeedParam = 17, servo.accDecParam = 19;
    servo.limitParam = 16, servo.originParam = 24;
    servo.ties = {{16, false, 1},  {16, false, 2},  {24, false, 3},
                  {10, false, 18}, {11, false, 17}, {9, true, 3}};
    servo.enumerated = Enumerated(
        {9, 10, 11, 16, 24}, {14, 15}, {21, 28, 29},
        {{0, ValueTexts::ServoResolution}, {20, ValueTexts::Origin5}, {26, ValueTexts::ServoGain}});
    servo.queriesBrake = true;
    table.push_back(servo);

    BoardTypeInfo abs = servo;
    abs.typeCode = board_type::kAbsServo;
    abs.modelName = "Dorrin Tevra Abs.";
    abs.defaultFile = "Dorrin_ABS_ParamDefault.ini";
    abs.defaultSection = "DORRIN_TEVRA_ABS";
    abs.outputSignals = 25;
    abs.inputLabels = InputLabels(Family::DorrinAbs);
    abs.outputLabels = OutputLabels(OutFamily::DorrinAbs);
    abs.firstUserOutput = 17, abs.lastUserOutput = 25;
    table.push_back(abs);

    BoardTypeInfo bldc;
    bldc.typeCode = board_type::kBldc;
    bldc.modelName = "Dorrin Tevra BLDC F60";
    bldc.defaultFile = "Dorrin_BLDC_ParamDefault.ini";
    bldc.defaultSection = "DORRIN_TEVRA_BLDC";
    bldc.inputSignals = 35, bldc.inputFixed = 3, bldc.outputSignals = 25, bldc.outputFixed = 1;
    bldc.inputLabels = InputLabels(Family::Dorrin);
    bldc.outputLabels = OutputLabels(OutFamily::DorrinAbs);
    bldc.firstUserOutput = 17, bldc.lastUserOutput = 25;
    bldc.checkValueBase = 0;
    bldc.startSpeedParam = 17, bldc.runSpeedParam = 16, bldc.accDecParam = 18;
    bldc.limitParam = 15, bldc.originParam = 23;
    bldc.ties = {{15, false, 1}, {15, false, 2},  {23, false, 3},
                 {9, false, 18}, {10, false, 17}, {8, true, 3}};
    bldc.enumerated = Enumerated({8, 9, 10, 15, 23}, {13, 14}, {20, 25, 26}, {{19, ValueTexts::Origin6}});
    bldc.queriesBrake = true;
    table.push_back(bldc);

    BoardTypeInfo ravelo;
    ravelo.typeCode = board_type::kMotionController;
    ravelo.modelName = "Ravelo";
    ravelo.defaultFile = "Ravelo_ParamDefault.ini";
    ravelo.defaultSection = "RAVELO";
    ravelo.inputSignals = 32, ravelo.inputFixed = 3, ravelo.outputSignals = 24, ravelo.outputFixed = 1;
    ravelo.inputLabels = InputLabels(Family::Ravelo);
    ravelo.outputLabels = OutputLabels(OutFamily::Ravelo);
    ravelo.firstUserOutput = 16, ravelo.lastUserOutput = 16;
    ravelo.startSpeedParam = 18, ravelo.runSpeedParam = 17, ravelo.accDecParam = 19;
    ravelo.limitParam = 16, ravelo.originParam = 24;
    ravelo.ties = {{16, false, 1},  {16, false, 2},  {24, false, 3},
                   {10, false, 18}, {11, false, 17}, {9, true, 3}};
    ravelo.enumerated =
        Enumerated({9, 10, 11, 16, 24, 29, 30, 31, 32}, {14, 15}, {21, 25, 27, 28},
                   {{0, ValueTexts::Multiplier}, {20, ValueTexts::Origin3}, {26, ValueTexts::PulseMode}});
    table.push_back(ravelo);

    BoardTypeInfo ravelo2 = ravelo;
    ravelo2.typeCode = board_type::kMotionController2;
    ravelo2.modelName = "Ravelo2";
    ravelo2.defaultFile = "Ravelo2_ParamDefault.ini";
    ravelo2.defaultSection = "RAVELO2";
    ravelo2.startSpeedParam = 15, ravelo2.runSpeedParam = 14, ravelo2.accDecParam = 16;
    ravelo2.limitParam = 13, ravelo2.originParam = 21;
    ravelo2.ties = {{13, false, 1}, {13, false, 2}, {21, false, 3}};
    ravelo2.enumerated =
        Enumerated({13, 21, 26, 27, 28, 29}, {11, 12}, {18, 22, 24, 25},
                   {{0, ValueTexts::Multiplier}, {17, ValueTexts::Origin3}, {23, ValueTexts::PulseMode}});
    table.push_back(ravelo2);

    BoardTypeInfo pellin;
    pellin.typeCode = board_type::kStepper;
    pellin.modelName = "Pellin Tevra";
    pellin.defaultFile = "Pellin_ParamDefault.ini";
    pellin.defaultSection = "PELLIN_TEVRA";
    pellin.inputSignals = 35, pellin.inputFixed = 3, pellin.outputSignals = 24, pellin.outputFixed = 1;
    pellin.inputLabels = InputLabels(Family::Pellin);
    pellin.outputLabels = OutputLabels(OutFamily::Pellin);
    pellin.firstUserOutput = 16, pellin.lastUserOutput = 24;
    pellin.startSpeedParam = 18, pellin.runSpeedParam = 17, pellin.accDecParam = 19;
    pellin.limitParam = 16, pellin.originParam = 24;
    pellin.servoCommands = false;
    pellin.stepCommands = true;
    pellin.ties = {{16, false, 1},  {16, false, 2},      {24, false, 3},
                   {11, false, 17}, {9, true, 3, false}, {10, true, 4}};
    pellin.enumerated = Enumerated(
        {9, 10, 11, 16, 24}, {14, 15}, {21, 26, 27},
        {{0, ValueTexts::StepResolution}, {20, ValueTexts::Origin3}, {28, ValueTexts::StepEncoder}});
    table.push_back(pellin);
    return table;
}

template <std::size_t N>
std::string Pick(const std::array<const char*, N>& texts, int32_t value) {
    return value >= 0 && static_cast<std::size_t>(value) < N ? texts[value] : std::string();
}

}  // namespace

const BoardTypeInfo& TypeInfo(uint8_t typeCode) {
    static const std::vector<BoardTypeInfo> table = BuildTable();
    for (const auto& info : table) {
        if (info.typeCode == typeCode) return info;
    }
    return table.front();
}

std::string EnumeratedText(ValueTexts texts, int32_t value) {
    static const std::array<const char*, 6> origin{"Origin",        "Z Origin",        "Limit Origin",
                                                   "Torque Origin", "Torque Z Origin", "Set Origin"};
    switch (texts) {
        case ValueTexts::None:
            return {};
        case ValueTexts::Level:
            return Pick(std::array<const char*, 2>{"Low Active", "High Active"}, value);
        case ValueTexts::StopKind:
            return Pick(std::array<const char*, 2>{"E-Stop", "Stop"}, value);
        case ValueTexts::Direction:
            return Pick(std::array<const char*, 2>{"CW", "CCW"}, value);
        case ValueTexts::Multiplier:
            return Pick(std::array<const char*, 3>{"x1", "x2", "x4"}, value);
        case ValueTexts::PulseMode:
            return Pick(std::array<const char*, 2>{"1 pulse", "2 pulse"}, value);
        case ValueTexts::Origin3:
            return value >= 0 && value < 3 ? origin[value] : "";
        case ValueTexts::Origin5:
            return value >= 0 && value < 5 ? origin[value] : "";
        case ValueTexts::Origin6:
            return value >= 0 && value < 6 ? origin[value] : "";
        case ValueTexts::ServoResolution:
            return Pick(std::array<const char*, 10>{"500", "500", "1000", "1600", "2000", "3600", "5000",
                                                    "6400", "7200", "10000"},
                        value);
        case ValueTexts::ServoGain:
            if (value >= 0 && value < 8) return "Fast" + std::to_string(value);
            if (value >= 8 && value < 16) return "Accurate" + std::to_string(value - 8);
            return {};
        case ValueTexts::StepResolution:
            return Pick(std::array<const char*, 16>{"500", "1000", "1600", "2000", "3200", "3600", "4000",
                                                    "5000", "6400", "8000", "10000", "20000", "25000",
                                                    "36000", "40000", "50000"},
                        value);
        case ValueTexts::StepEncoder:
            return Pick(std::array<const char*, 4>{"No Encoder", "By 1", "By 2", "By 4"}, value);
    }
    return {};
}

}  // namespace tarsel
