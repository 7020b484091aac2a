// Step codes, label states, messages and time limits of the firmware update procedure.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/firmloader/core/image_problem.h"

namespace tarsel::firmware {

enum class Step : uint8_t {
    Initialise = 0,
    CheckRomType = 1,
    RestartIntoBootRom = 2,
    WaitForBootRom = 3,
    Erase = 4,
    WaitForErase = 5,
    WriteImage = 6,
    RestartIntoRunRom = 7,
    WaitForRunRom = 8,
    Finished = 9,
    Abort = 10,
};

// The five labels of the update page, left to right.
enum class StepLabel : uint8_t { CheckType = 0, BootRom, Erase, UpdateRom, Reboot };
constexpr std::size_t kStepLabelCount = 5;
constexpr std::array<const char*, kStepLabelCount> kStepLabelTexts = {"Check Type", "Boot ROM", "Erase",
                                                                      "Update ROM", "Reboot"};

enum class LabelState : uint8_t { Pending, Running, Done, Failed, Skipped };

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb LabelColour(LabelState state) {
    switch (state) {
        case LabelState::Pending:
            return {128, 128, 128};
        case LabelState::Running:
            return {1, 0, 176};
        case LabelState::Done:
            return {1, 1, 1};
        case LabelState::Failed:
            return {144, 1, 1};
        case LabelState::Skipped:
            return {1, 176, 1};
    }
    return {};
}

enum class MessageKind : uint8_t { None = 0, Error = 16, Notice = 64 };

enum class MessageId : uint8_t {
    None,
    ImageSetRefused,  // detail: which file and record
    RomTypeFailed,    // with return code
    StillRunRom,      // the drive did not change to its boot ROM
    NoResponse,       // nothing answered after the restart into the boot ROM
    EraseFailed,      // with return code
    EraseNoResponse,  // the erase state query failed
    EraseNotErased,   // the erase state never read 1
    WriteFailed,      // with return code
    PowerCycle,       // too few answers after the restart into the run ROM
    StillBootRom,     // the drive stayed in its boot ROM
};

struct ProcedureMessage {
    MessageId id = MessageId::None;
    MessageKind kind = MessageKind::None;
    uint8_t code = 0;      // return code of the failed command, where the text carries one
    std::string detail;    // ImageSetRefused: the reason, in English
    ImageProblem image{};  // ImageSetRefused: the reason, for translating
};

// The message templates, in English; "%d[0x%02X]" takes the return code twice.
const char* MessageTemplate(MessageId id);
bool MessageHasCode(MessageId id);
// The finished English text of a message.
std::string MessageText(const ProcedureMessage& message);

// Time limits and pauses; tests shorten them.
struct ProcedureTimings {
    std::chrono::milliseconds restartWait{10000};      // steps 3 and 8
    std::chrono::milliseconds eraseWait{15000};        // step 5
    std::chrono::milliseconds afterRestartPause{100};  // steps 2 and 7
    std::chrono::milliseconds afterErasePause{50};     // step 4
    uint32_t eraseCommandTimeoutMs = 80000;            // step 4
};

// What the update page (or the command line) reads while the worker runs.
struct ProcedureSnapshot {
    Step currentStep = Step::Initialise;
    std::array<LabelState, kStepLabelCount> labels{};
    ProcedureMessage message;
    bool messagePending = false;
    std::size_t recordCount = 0;  // image records written
    std::size_t recordTotal = 0;  // records of the image set
    bool workerRunning = false;
};

}  // namespace tarsel::firmware
