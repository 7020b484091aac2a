// In-process drive simulator: a simulated RS-485 line of drives served on a pseudo-terminal.
//
// A `SimLine` opens a pty pair, serves the master side on its own thread and hands out the
// slave device path, which any program opens like a serial port.  Drives are added and removed
// at any time; their state can be read and changed from the calling thread (every method is
// thread-safe), and faults can be injected per line or per drive.
//
//   tarsel::sim::SimLine line;
//   line.Start();                                   // -> line.DevicePath() == "/dev/pts/7"
//   line.AddDrive({.slave = 0, .modelCode = 1});
//   ... open line.DevicePath() with the transport ...
//   line.Stop();                                    // also done by the destructor
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comm/frame.h"

namespace tarsel::sim {

// Drive model codes (the type code of the slave information record).
namespace model {
constexpr uint16_t kServo = 1;
constexpr uint16_t kMotionController = 10;
constexpr uint16_t kStepper = 20;
constexpr uint16_t kAbsServo = 30;
constexpr uint16_t kBldc = 40;
constexpr uint16_t kMotionController2 = 110;
}  // namespace model

// Boot-ROM timings of one drive; short values keep firmware-writer tests fast.
struct BootRomTimings {
    uint32_t silenceAfterRestartMs = 1500;  // no answers after a restart into either ROM
    uint32_t eraseAnswerDelayMs = 0;        // the erase command is answered after this delay
    uint32_t eraseDurationMs = 2000;        // erase state reads 0 until this much time has passed
};

// Simulated mechanics around the axis, in pulses.
struct AxisEnvironment {
    int32_t limitPlus = 2'000'000;    // the +limit sensor is active at and beyond this position
    int32_t limitMinus = -2'000'000;  // the -limit sensor likewise
    int32_t originSensor = -1000;     // the origin sensor covers [originSensor, originSensor + width]
    int32_t originWidth = 200;
    bool softLimitsEnabled = false;  // software limits clamp targets (status bits 3, 4)
    int32_t softLimitPlus = 1'000'000;
    int32_t softLimitMinus = -1'000'000;
    uint32_t zPulsePeriod = 10000;  // a Z pulse every this many pulses (status bit 24)
};

struct DriveConfig {
    uint8_t slave = 0;
    uint16_t modelCode = model::kServo;
    std::array<uint16_t, 4> version{8, 0, 0, 0};  // major, minor, build, revision; 8: accepted
    uint16_t firmwareType = 0;                    // nonzero: firmware the host does not accept
    FrameForm form = FrameForm::Sequenced;        // frame form the drive speaks
    std::string name;                             // empty: the family's model name
    uint16_t motorNumber = 0;
    std::string motorName;
    uint16_t inputCount = 0;     // physical input pins; 0: the family's default
    uint16_t outputCount = 0;    // physical output pins; 0: the family's default
    uint16_t tableSize = 0;      // position-table items; 0: the family's default
    uint8_t legacyTypeByte = 0;  // type byte of the legacy information text; 0: from the model
    int stepperVariant = 0;      // 0 or 1: variant named in the stepper version text
    uint16_t driveWord = 8192;   // answer of the drive-word request
    double inertiaRatio = 2.5;   // result of the inertia estimation (display value)
    double windingR = 1.75;      // results of the R and L estimation (display values)
    double windingL = 3.2;
    uint32_t rlEstimationMs = 3000;  // the R and L trigger returns to 0 after this time
    bool bldcRomReadFails = false;   // the BLDC ROM read answers a data error and changes nothing
    std::array<uint8_t, 4> monitoringChannels{};  // the monitoring channels set at power-up; 0 ends the list
    bool startInBootRom = false;
    BootRomTimings boot;
    AxisEnvironment axis;
};

// Model name of a family ("Dorrin Tevra Inc." for 1 and any unknown code).
std::string ModelName(uint16_t modelCode);

enum class FaultKind : uint8_t {
    DropRequest,  // the request is ignored: no answer, no execution
    DelayAnswer,  // the answer is sent after `delayMs`
    CorruptCrc,   // the answer's CRC is wrong
    FlipBit,      // one bit of the answer body (`bitIndex`) is inverted before stuffing
    StrayBytes,   // `bytes` are written before the answer
    StaleSync,    // the answer carries the previous sync number
    Silent,       // the drive neither executes nor answers (unplugged)
    Echo,         // the request comes back to the host first, as from an adapter that hears itself
    Truncate,     // only the first half of the answer's wire bytes is sent
    Duplicate,    // the answer is sent twice
    Split,        // the answer is sent in two halves with `pauseMs` between them
};

struct FaultSpec {
    FaultKind kind = FaultKind::DropRequest;
    uint32_t count = 0;                      // answers (requests) affected; 0: until cleared
    uint32_t delayMs = 500;                  // DelayAnswer
    uint32_t bitIndex = 0;                   // FlipBit: bit of the unstuffed answer body, counted from byte 0
    std::vector<uint8_t> bytes{0x12, 0x34};  // StrayBytes
    double rate = 1.0;                       // chance that a request is affected (0..1)
    uint32_t pauseMs = 30;                   // Split
};

// One frame the line received and took as addressed to a drive (or a broadcast).
struct RequestRecord {
    std::chrono::steady_clock::time_point time;
    uint8_t slave = 0;
    uint8_t sync = 0;  // 0 in the legacy form
    uint8_t frameType = 0;
    FrameForm form = FrameForm::Sequenced;
    std::vector<uint8_t> data;
    bool crcError = false;  // the request failed its CRC check
    bool answered = false;
    uint8_t status = 0;            // status byte of the answer
    std::size_t answerLength = 0;  // data bytes after the status byte
};

struct LineOptions {
    uint32_t baudRate = 115200;
    bool pace = false;          // send answers at the byte time of the baud rate (10 bits a byte)
    uint32_t turnaroundMs = 0;  // delay between a request and its answer
    // Directory of the metadata files; empty: $TARSEL_DATA_DIR, the program's directory, then
    // the source tree's data folder.
    std::string dataDirectory;
};

// Snapshot of the motion state of one drive.
struct AxisState {
    uint32_t status = 0;  // axis status word
    int32_t commandPosition = 0;
    int32_t actualPosition = 0;
    int32_t positionError = 0;
    int32_t actualVelocity = 0;
    uint32_t runningItem = 0;  // position-table item running or last run
    bool servoOn = false;
    bool brakeOn = false;
    uint8_t alarmType = 0;
    bool bootRom = false;
};

class SimLineImpl;

class SimLine {
public:
    SimLine();
    ~SimLine();  // stops the line
    SimLine(const SimLine&) = delete;
    SimLine& operator=(const SimLine&) = delete;

    // Opens a pty pair (the slave side in raw mode) and starts serving it.  False when the pty
    // cannot be created or the line runs already.
    bool Start(const LineOptions& options = {});
    // Publishes the device as "com<N>" in the ports directory (replacing an entry left by a line
    // that is gone; false while another running line serves it); the
    // entry is removed by Stop.  False when the link cannot be created.
    bool Publish(unsigned portNumber);
    // Stops the thread, closes the pty and removes the published entry.
    void Stop();
    bool IsRunning() const;
    std::string DevicePath() const;  // slave side of the pty; empty when not running
    std::string PublishedPath() const;

    void SetPacing(bool pace, uint32_t baudRate, uint32_t turnaroundMs);

    // Drives.  AddDrive fails for a slave number above 15 or one in use.
    bool AddDrive(const DriveConfig& config);
    bool RemoveDrive(uint8_t slave);
    std::vector<uint8_t> Slaves() const;
    std::optional<DriveConfig> GetDriveConfig(uint8_t slave) const;

    // Parameters (working and ROM copies).  Set* bypass the range check of the metadata.
    std::optional<int32_t> GetParameter(uint8_t slave, uint8_t number) const;
    std::optional<int32_t> GetRomParameter(uint8_t slave, uint8_t number) const;
    bool SetParameter(uint8_t slave, uint8_t number, int32_t value);
    std::optional<uint32_t> ParameterCount(uint8_t slave) const;
    std::optional<int32_t> GetBldcParameter(uint8_t slave, uint8_t category, uint32_t number) const;
    bool SetBldcParameter(uint8_t slave, uint8_t category, uint32_t number, int32_t value);

    // Axis.
    std::optional<AxisState> GetAxisState(uint8_t slave) const;
    bool SetPositions(uint8_t slave, int32_t commandPosition, int32_t actualPosition);
    bool SetServoOn(uint8_t slave, bool on);
    bool InjectAlarm(uint8_t slave, uint8_t alarmType);  // 0 clears
    bool SetAxisEnvironment(uint8_t slave, const AxisEnvironment& environment);

    // I/O.  Input pins are sensor states after the level is applied (true = the signal the pin
    // carries is active); input and output status words carry bit n-1 for signal n.
    bool SetInputPins(uint8_t slave, uint32_t activePins);
    std::optional<uint64_t> GetInputStatus(uint8_t slave) const;
    std::optional<uint32_t> GetOutputStatus(uint8_t slave) const;
    // Pin assignment: signal number and level of input/output pin `pin`.
    std::optional<std::pair<uint8_t, uint8_t>> GetInputAssignment(uint8_t slave, uint8_t pin) const;
    std::optional<std::pair<uint8_t, uint8_t>> GetOutputAssignment(uint8_t slave, uint8_t pin) const;

    // Position table: 64-byte items.
    std::optional<std::array<uint8_t, 64>> GetTableItem(uint8_t slave, uint16_t item) const;
    bool SetTableItem(uint8_t slave, uint16_t item, const std::array<uint8_t, 64>& data);
    // Items started by table runs since the drive was added or the history was cleared (the most
    // recent ones only, after 20000).
    std::optional<std::vector<uint16_t>> GetTableHistory(uint8_t slave) const;
    bool ClearTableHistory(uint8_t slave);

    // Boot ROM: the flash image as address -> 16-bit word (written words only).
    std::optional<std::vector<std::pair<uint32_t, uint16_t>>> GetFlashImage(uint8_t slave) const;
    // The image in the layout of the state file: word at address a at byte offset 2a, little
    // endian, unwritten words 0xFFFF, as long as the highest written word.
    std::optional<std::vector<uint8_t>> GetFlashBytes(uint8_t slave) const;
    bool SetBootRomTimings(uint8_t slave, const BootRomTimings& timings);
    bool IsInBootRom(uint8_t slave) const;

    // Monitoring state (0 not ready, 1 started, 2 gathering, 3 done).
    std::optional<uint8_t> GetMonitoringState(uint8_t slave) const;

    // Request log of the whole line (every frame received; bounded to the last 10000).
    std::vector<RequestRecord> RequestLog() const;
    void ClearRequestLog();

    // Faults.  `slave` empty: every drive of the line.
    void InjectFault(const FaultSpec& fault, std::optional<uint8_t> slave = std::nullopt);
    void ClearFaults();
    // Puts bytes on the line now, as another device on the bus would (noise, foreign frames).
    bool SendRaw(const std::vector<uint8_t>& bytes);
    // Seed of the draws of faults with a rate below 1 (a fixed seed repeats a run).
    void SetFaultSeed(uint64_t seed);
    // The adapter vanishes: the master side is closed, the host's reads fail; the line stays
    // down until Stop.
    void HangUp();

    // State files of every drive in `directory` (parameters, position table, flash image).
    bool SaveState(const std::string& directory) const;
    bool LoadState(const std::string& directory);

private:
    std::unique_ptr<SimLineImpl> impl_;
};

// One drive of each family at slaves 0..5: model codes 1, 10, 20, 30, 40, 110.
std::vector<DriveConfig> DemoDrives();

}  // namespace tarsel::sim
