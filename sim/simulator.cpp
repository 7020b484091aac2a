// The in-process interface: every call takes the line's mutex and brings the drive up to date
// before it reads or changes anything.
#include "sim/simulator.h"

#include <fstream>
#include <iterator>

#include "base/ini/atomic_file.h"
#include "sim/line.h"

namespace tarsel::sim {
namespace {

template <typename T, typename F>
std::optional<T> WithDrive(SimLineImpl& line, uint8_t slave, F&& f) {
    std::lock_guard lock(line.mutex);
    Drive* drive = line.Find(slave);
    if (!drive) return std::nullopt;
    const Clock::time_point now = Clock::now();
    drive->Advance(now);
    return f(*drive, now);
}

template <typename F>
bool WithDriveDo(SimLineImpl& line, uint8_t slave, F&& f) {
    return WithDrive<bool>(line, slave,
                           [&](Drive& d, Clock::time_point now) {
                               f(d, now);
                               return true;
                           })
        .value_or(false);
}

// A state file is replaced whole, so an interrupted save never leaves a damaged one.
bool WriteFile(const std::string& path, const std::string& bytes) {
    return ini::ReplaceFileContents(path, bytes);
}

std::optional<std::string> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

SimLine::SimLine() : impl_(std::make_unique<SimLineImpl>()) {}
SimLine::~SimLine() {
    impl_->Stop();
}

bool SimLine::Start(const LineOptions& options) {
    return impl_->Start(options);
}
bool SimLine::Publish(unsigned portNumber) {
    return impl_->Publish(portNumber);
}
void SimLine::Stop() {
    impl_->Stop();
}
void SimLine::HangUp() {
    impl_->HangUp();
}

bool SimLine::IsRunning() const {
    std::lock_guard lock(impl_->mutex);
    return !impl_->devicePath.empty();
}

std::string SimLine::DevicePath() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->devicePath;
}

std::string SimLine::PublishedPath() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->publishedPath;
}

void SimLine::SetPacing(bool pace, uint32_t baudRate, uint32_t turnaroundMs) {
    std::lock_guard lock(impl_->mutex);
    impl_->options.pace = pace;
    impl_->options.baudRate = baudRate;
    impl_->options.turnaroundMs = turnaroundMs;
}

bool SimLine::AddDrive(const DriveConfig& config) {
    if (config.slave > kMaxAddressedSlave) return false;
    std::string dataDirectory;
    {
        std::lock_guard lock(impl_->mutex);
        if (impl_->Find(config.slave)) return false;
        dataDirectory = impl_->options.dataDirectory;
    }
    // Reading the metadata file happens outside the lock.
    FamilyMetadata metadata = LoadFamilyMetadata(config.modelCode, dataDirectory);
    auto drive = std::make_unique<Drive>(config, std::move(metadata), Clock::now());
    std::lock_guard lock(impl_->mutex);
    return impl_->drives.emplace(config.slave, std::move(drive)).second;
}

bool SimLine::RemoveDrive(uint8_t slave) {
    std::lock_guard lock(impl_->mutex);
    return impl_->drives.erase(slave) > 0;
}

std::vector<uint8_t> SimLine::Slaves() const {
    std::lock_guard lock(impl_->mutex);
    std::vector<uint8_t> slaves;
    for (const auto& [slave, drive] : impl_->drives) slaves.push_back(slave);
    return slaves;
}

std::optional<DriveConfig> SimLine::GetDriveConfig(uint8_t slave) const {
    return WithDrive<DriveConfig>(*impl_, slave, [](Drive& d, Clock::time_point) { return d.Config(); });
}

std::optional<int32_t> SimLine::GetParameter(uint8_t slave, uint8_t number) const {
    return WithDrive<std::optional<int32_t>>(*impl_, slave,
                                             [&](Drive& d, Clock::time_point) { return d.Parameter(number); })
        .value_or(std::nullopt);
}

std::optional<int32_t> SimLine::GetRomParameter(uint8_t slave, uint8_t number) const {
    return WithDrive<std::optional<int32_t>>(
               *impl_, slave, [&](Drive& d, Clock::time_point) { return d.RomParameter(number); })
        .value_or(std::nullopt);
}

bool SimLine::SetParameter(uint8_t slave, uint8_t number, int32_t value) {
    return WithDrive<bool>(*impl_, slave,
                           [&](Drive& d, Clock::time_point) { return d.ForceParameter(number, value); })
        .value_or(false);
}

std::optional<uint32_t> SimLine::ParameterCount(uint8_t slave) const {
    return WithDrive<uint32_t>(*impl_, slave, [](Drive& d, Clock::time_point) { return d.ParameterCount(); });
}

std::optional<int32_t> SimLine::GetBldcParameter(uint8_t slave, uint8_t category, uint32_t number) const {
    return WithDrive<std::optional<int32_t>>(
               *impl_, slave, [&](Drive& d, Clock::time_point) { return d.BldcParameter(category, number); })
        .value_or(std::nullopt);
}

bool SimLine::SetBldcParameter(uint8_t slave, uint8_t category, uint32_t number, int32_t value) {
    return WithDrive<bool>(
               *impl_, slave,
               [&](Drive& d, Clock::time_point) { return d.ForceBldcParameter(category, number, value); })
        .value_or(false);
}

std::optional<AxisState> SimLine::GetAxisState(uint8_t slave) const {
    return WithDrive<AxisState>(*impl_, slave, [](Drive& d, Clock::time_point now) { return d.Axis(now); });
}

bool SimLine::SetPositions(uint8_t slave, int32_t commandPosition, int32_t actualPosition) {
    return WithDriveDo(*impl_, slave, [&](Drive& d, Clock::time_point) {
        d.ForcePositions(commandPosition, actualPosition);
    });
}

bool SimLine::SetServoOn(uint8_t slave, bool on) {
    return WithDriveDo(*impl_, slave, [&](Drive& d, Clock::time_point now) { d.ForceServo(on, now); });
}

bool SimLine::InjectAlarm(uint8_t slave, uint8_t alarmType) {
    return WithDriveDo(*impl_, slave, [&](Drive& d, Clock::time_point now) { d.ForceAlarm(alarmType, now); });
}

bool SimLine::SetAxisEnvironment(uint8_t slave, const AxisEnvironment& environment) {
    return WithDriveDo(*impl_, slave, [&](Drive& d, Clock::time_point) { d.SetEnvironment(environment); });
}

bool SimLine::SetInputPins(uint8_t slave, uint32_t activePins) {
    return WithDriveDo(*impl_, slave, [&](Drive& d, Clock::time_point now) {
        d.SetInputPins(activePins);
        d.Advance(now);  // edges act at once
    });
}

std::optional<uint64_t> SimLine::GetInputStatus(uint8_t slave) const {
    return WithDrive<uint64_t>(*impl_, slave,
                               [](Drive& d, Clock::time_point now) { return d.InputStatus(now); });
}

std::optional<uint32_t> SimLine::GetOutputStatus(uint8_t slave) const {
    return WithDrive<uint32_t>(*impl_, slave,
                               [](Drive& d, Clock::time_point now) { return d.OutputStatus(now); });
}

std::optional<std::pair<uint8_t, uint8_t>> SimLine::GetInputAssignment(uint8_t slave, uint8_t pin) const {
    return WithDrive<std::optional<std::pair<uint8_t, uint8_t>>>(
               *impl_, slave,
               [&](Drive& d, Clock::time_point) -> std::optional<std::pair<uint8_t, uint8_t>> {
                   auto a = d.InputAssignment(pin);
                   if (!a) return std::nullopt;
                   return std::make_pair(a->signal, a->level);
               })
        .value_or(std::nullopt);
}

std::optional<std::pair<uint8_t, uint8_t>> SimLine::GetOutputAssignment(uint8_t slave, uint8_t pin) const {
    return WithDrive<std::optional<std::pair<uint8_t, uint8_t>>>(
               *impl_, slave,
               [&](Drive& d, Clock::time_point) -> std::optional<std::pair<uint8_t, uint8_t>> {
                   auto a = d.OutputAssignment(pin);
                   if (!a) return std::nullopt;
                   return std::make_pair(a->signal, a->level);
               })
        .value_or(std::nullopt);
}

std::optional<std::array<uint8_t, 64>> SimLine::GetTableItem(uint8_t slave, uint16_t item) const {
    return WithDrive<std::optional<TableItem>>(*impl_, slave,
                                               [&](Drive& d, Clock::time_point) { return d.Item(item); })
        .value_or(std::nullopt);
}

bool SimLine::SetTableItem(uint8_t slave, uint16_t item, const std::array<uint8_t, 64>& data) {
    return WithDrive<bool>(*impl_, slave,
                           [&](Drive& d, Clock::time_point) { return d.ForceItem(item, data); })
        .value_or(false);
}

std::optional<std::vector<uint16_t>> SimLine::GetTableHistory(uint8_t slave) const {
    return WithDrive<std::vector<uint16_t>>(*impl_, slave,
                                            [](Drive& d, Clock::time_point) { return d.TableHistory(); });
}

bool SimLine::ClearTableHistory(uint8_t slave) {
    return WithDriveDo(*impl_, slave, [](Drive& d, Clock::time_point) { d.ClearTableHistory(); });
}

std::optional<std::vector<std::pair<uint32_t, uint16_t>>> SimLine::GetFlashImage(uint8_t slave) const {
    return WithDrive<std::vector<std::pair<uint32_t, uint16_t>>>(
        *impl_, slave, [](Drive& d, Clock::time_point) {
            return std::vector<std::pair<uint32_t, uint16_t>>(d.Flash().begin(), d.Flash().end());
        });
}

std::optional<std::vector<uint8_t>> SimLine::GetFlashBytes(uint8_t slave) const {
    return WithDrive<std::vector<uint8_t>>(*impl_, slave,
                                           [](Drive& d, Clock::time_point) { return d.FlashBytes(); });
}

bool SimLine::SetBootRomTimings(uint8_t slave, const BootRomTimings& timings) {
    return WithDriveDo(*impl_, slave, [&](Drive& d, Clock::time_point) { d.SetBootTimings(timings); });
}

bool SimLine::IsInBootRom(uint8_t slave) const {
    return WithDrive<bool>(*impl_, slave, [](Drive& d, Clock::time_point) { return d.InBootRom(); })
        .value_or(false);
}

std::optional<uint8_t> SimLine::GetMonitoringState(uint8_t slave) const {
    return WithDrive<uint8_t>(*impl_, slave, [](Drive& d, Clock::time_point) { return d.MonitoringState(); });
}

std::vector<RequestRecord> SimLine::RequestLog() const {
    std::lock_guard lock(impl_->mutex);
    return {impl_->log.begin(), impl_->log.end()};
}

void SimLine::ClearRequestLog() {
    std::lock_guard lock(impl_->mutex);
    impl_->log.clear();
}

void SimLine::InjectFault(const FaultSpec& fault, std::optional<uint8_t> slave) {
    std::lock_guard lock(impl_->mutex);
    impl_->faults.Add(fault, slave);
}

void SimLine::ClearFaults() {
    std::lock_guard lock(impl_->mutex);
    impl_->faults.Clear();
}

bool SimLine::SendRaw(const std::vector<uint8_t>& bytes) {
    std::lock_guard lock(impl_->mutex);
    return impl_->QueueRaw(bytes);
}

void SimLine::SetFaultSeed(uint64_t seed) {
    std::lock_guard lock(impl_->mutex);
    impl_->faults.Seed(seed);
}

bool SimLine::SaveState(const std::string& directory) const {
    std::lock_guard lock(impl_->mutex);
    bool ok = true;
    for (const auto& [slave, drive] : impl_->drives) {
        const std::string s = std::to_string(slave);
        const std::vector<uint8_t> table = drive->RomTableBytes();
        const std::vector<uint8_t> flash = drive->FlashBytes();
        ok &= WriteFile(directory + "/drive-" + s + ".ini", drive->SaveNonVolatile());
        ok &= WriteFile(directory + "/table-" + s + ".bin", std::string(table.begin(), table.end()));
        ok &= WriteFile(directory + "/flash-" + s + ".bin", std::string(flash.begin(), flash.end()));
    }
    return ok;
}

bool SimLine::LoadState(const std::string& directory) {
    std::lock_guard lock(impl_->mutex);
    for (auto& [slave, drive] : impl_->drives) {
        const std::string s = std::to_string(slave);
        if (auto text = ReadFile(directory + "/drive-" + s + ".ini")) drive->LoadNonVolatile(*text);
        if (auto table = ReadFile(directory + "/table-" + s + ".bin"))
            drive->LoadRomTable({table->begin(), table->end()});
        if (auto flash = ReadFile(directory + "/flash-" + s + ".bin"))
            drive->LoadFlashBytes({flash->begin(), flash->end()});
    }
    return true;
}

std::vector<DriveConfig> DemoDrives() {
    std::vector<DriveConfig> drives;
    const uint16_t codes[] = {model::kServo, model::kMotionController, model::kStepper, model::kAbsServo,
                              model::kBldc,  model::kMotionController2};
    uint8_t slave = 0;
    for (uint16_t code : codes) {
        DriveConfig config;
        config.slave = slave++;
        config.modelCode = code;
        config.motorNumber = static_cast<uint16_t>(100 + config.slave);
        config.motorName = "SIM-MOTOR-" + std::to_string(config.slave);
        // Reference and motor velocity and the torque, so a monitoring run shows something at once.
        if (code == model::kBldc) config.monitoringChannels = {2, 12, 21, 0};
        drives.push_back(config);
    }
    return drives;
}

}  // namespace tarsel::sim
