#include "gui/views/motion_family.h"

#include <QtGlobal>

namespace tarsel::views {
namespace {

#define LAMP(text) QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", text)

// Lamp labels of the servo, bit 0 to bit 31.
constexpr std::array<const char*, 32> kServoLamps{LAMP("Error All"),         LAMP("H/W +Limit"),
                                                  LAMP("H/W -Limit"),        LAMP("S/W +Limit"),
                                                  LAMP("S/W -Limit"),        LAMP("Reserved"),
                                                  LAMP("Err Over Current"),  LAMP("Err Over Speed"),
                                                  LAMP("Err Pos Tracking"),  LAMP("Err Over Load"),
                                                  LAMP("Err Over Heat"),     LAMP("Err Back EMF"),
                                                  LAMP("Err Motor Connect"), LAMP("Err Encoder Connect"),
                                                  LAMP("Err Motor Power"),   LAMP("Err Inposition"),
                                                  LAMP("Emg Stop"),          LAMP("Slow Stop"),
                                                  LAMP("Org Returning"),     LAMP("Inposition"),
                                                  LAMP("Servo On"),          LAMP("Alarm Reset"),
                                                  LAMP("PT Stopped"),        LAMP("Origin Sensor"),
                                                  LAMP("Z Pulse"),           LAMP("Org Ret OK"),
                                                  LAMP("Motion DIR"),        LAMP("Motioning"),
                                                  LAMP("Motion Pause"),      LAMP("Motion Accel"),
                                                  LAMP("Motion Decel"),      LAMP("Motion Constant")};

std::array<const char*, 32> StepperLamps() {
    std::array<const char*, 32> lamps = kServoLamps;
    const std::array<const char*, 17> bits5to21{
        LAMP("Reserved"),       LAMP("Reserved"),        LAMP("Err Step Alarm"), LAMP("Err Over Current"),
        LAMP("Err Over Speed"), LAMP("Err Step Out"),    LAMP("Reserved"),       LAMP("Err Over heat"),
        LAMP("Err Back EMF"),   LAMP("Err Motor Power"), LAMP("Err Low Power"),  LAMP("Emg Stop"),
        LAMP("Slow Stop"),      LAMP("Org Returning"),   LAMP("Reserved"),       LAMP("Reserved"),
        LAMP("Alarm Reset")};
    for (std::size_t i = 0; i < bits5to21.size(); ++i) lamps[5 + i] = bits5to21[i];
    return lamps;
}

// The motion controllers: one servo alarm bit and no drive error bits.
std::array<const char*, 32> ControllerLamps() {
    std::array<const char*, 32> lamps = kServoLamps;
    lamps[0] = LAMP("Err Servo Alarm");
    for (int bit = 5; bit <= 15; ++bit) lamps[bit] = LAMP("Reserved");
    return lamps;
}

#define METHOD(text) QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", text)
const std::vector<const char*> kMethods3{METHOD("Origin"), METHOD("Z Origin"), METHOD("Limit Origin")};
const std::vector<const char*> kMethods5{METHOD("Origin"), METHOD("Z Origin"), METHOD("Limit Origin"),
                                         METHOD("Torque Origin"), METHOD("Torque Z Origin")};
std::vector<const char*> Methods6() {
    std::vector<const char*> methods = kMethods5;
    methods.push_back(METHOD("Set Origin"));
    return methods;
}

constexpr MotionParams kCommonParams{1, 2, 3, 4, 6, 8, 17, 18, 19, 20};
constexpr MotionParams kBldcParams{0, 1, 2, 3, 5, 7, 16, 17, 18, 19};
constexpr MotionParams kController2Params{1, 2, 3, 4, 6, 8, 14, 15, 16, 17};

const char* const kAlarmNames[17] = {nullptr,
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Over Current"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Over Speed"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Position Tracking"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Over Load"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Over Temperature"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Over Back EMF"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "No Motor Connect"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "No Encoder Connect"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Low Motor Power"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Inposition Error"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "System Halt"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "ROM Device Error"),
                                     nullptr,
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "High Input Voltage"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Position Overflow"),
                                     QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Position Changed")};

}  // namespace

const char* MotionFamily::EnableCaption(bool set) const {
    if (enable == EnableKind::Step) {
        return set ? QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "STEP ON")
                   : QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "STEP OFF");
    }
    return set ? QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "SERVO OFF")
               : QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "SERVO ON");
}

const std::vector<MotionFamily>& MotionFamilies() {
    // clang-format off
    static const std::vector<MotionFamily> families{
        // class           type  origin methods  enable              brake  parameters          lamps
        {"CViewMotion",     1,   kMethods5,      EnableKind::Servo,  true,  kCommonParams,      kServoLamps},
        {"CViewMotion2",    20,  kMethods3,      EnableKind::Step,   false, kCommonParams,      StepperLamps()},
        {"CViewMotion3",    10,  kMethods3,      EnableKind::Servo,  false, kCommonParams,      ControllerLamps()},
        {"CViewMotion5",    30,  kMethods5,      EnableKind::Servo,  true,  kCommonParams,      kServoLamps},
        {"CViewMotion6",    40,  Methods6(),     EnableKind::Servo,  true,  kBldcParams,        kServoLamps},
        {"CViewMotion7",    110, kMethods3,      EnableKind::Servo,  false, kController2Params, ControllerLamps()},
    };
    // clang-format on
    return families;
}

const MotionFamily& MotionFamilyOf(uint8_t typeCode) {
    for (const MotionFamily& family : MotionFamilies()) {
        if (family.typeCode == typeCode) return family;
    }
    return MotionFamilies().front();
}

const char* AlarmName(uint8_t code) {
    return code <= 16 ? kAlarmNames[code] : nullptr;
}

std::string AlarmText(uint8_t code) {
    if (code == 0) return {};
    if (const char* name = AlarmName(code)) return std::string(name) + " [" + std::to_string(code) + "]";
    return std::to_string(code);
}

MotionButtons ButtonState(bool busy, bool tableRunning, bool repeatRunning, bool jog) {
    if (!busy && !tableRunning && !repeatRunning) return MotionButtons::Idle;
    return jog ? MotionButtons::BusyJog : MotionButtons::Busy;
}

}  // namespace tarsel::views
