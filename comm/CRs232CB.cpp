#include "comm/CRs232CB.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "comm/platform/clock.h"
#include "comm/platform/ports.h"
#include "comm/result_codes.h"

namespace tarsel {
namespace {

constexpr int kAttemptCapFactor = 3;  // requests written, in units of the normal attempts
constexpr int kTimeLimitFactor = 2;   // time limit, in units of the normal attempts
constexpr uint32_t kSchedulingSlackMs = 5;
// A largest request (512 wire bytes) and a largest answer (256 body bytes, all stuffed, plus
// header and tail).
constexpr uint64_t kLargestExchangeBytes = kWireBufferSize + 2 * kRecvBufferSize + 4;

int NormalAttempts(bool reducedRetry) {
    return reducedRetry ? 2 : 3;
}

}  // namespace

int CRs232CB::AttemptCap(bool reducedRetry) {
    return kAttemptCapFactor * NormalAttempts(reducedRetry);
}

uint32_t CRs232CB::TransactionLimitMs(uint32_t timeoutMs, bool reducedRetry, uint32_t baudRate) {
    const uint64_t wireMs = baudRate > 0 ? (kLargestExchangeBytes * 10 * 1000 + baudRate - 1) / baudRate : 0;
    const uint64_t perAttempt = uint64_t{timeoutMs} + wireMs + kSchedulingSlackMs;
    const uint64_t limit =
        uint64_t{kTimeLimitFactor} * static_cast<uint64_t>(NormalAttempts(reducedRetry)) * perAttempt;
    // Tick differences are taken modulo 2^32.
    return static_cast<uint32_t>(std::min<uint64_t>(limit, 0x7FFFFFFFu));
}

CRs232CB::CRs232CB(TransportConfig config) : config_(config) {
    for (auto& count : timeoutCounts_) count.store(0);
}

CRs232CB::~CRs232CB() {
    ClosePort();
    log_.Close();
}

bool CRs232CB::OpenPort(uint8_t portNumber, uint32_t baudRate, uint8_t dataBits, uint8_t parity,
                        uint8_t stopBits) {
    (void)dataBits;  // the line is always 8N1
    (void)parity;
    (void)stopBits;
    const std::string device = platform::ResolvePortDevice(portNumber);
    if (device.empty()) {
        ClosePort();
        std::lock_guard<std::mutex> lock(portMutex_);
        portNumber_ = portNumber;
        baudRate_ = baudRate;
        lastOpenError_ = platform::OpenError::NoSuchPort;
        return false;
    }
    return OpenDevice(device, portNumber, baudRate);
}

bool CRs232CB::OpenDevice(const std::string& path, uint8_t portNumber, uint32_t baudRate) {
    ClosePort();
    std::lock_guard<std::mutex> lock(portMutex_);
    for (auto& count : timeoutCounts_) count.store(0);
    portNumber_ = portNumber;
    baudRate_ = baudRate;
    lastOpenError_ = device_.Open(path, baudRate);
    if (lastOpenError_ != platform::OpenError::None) return false;

    sync_.Reset();
    echoingAdapter_ = false;
    open_.store(true);
    log_.SetEnabled(config_.communicationLog);
    log_.SetDirectory(nullptr);
    return true;
}

std::string CRs232CB::LastOpenErrorText() const {
    return platform::DescribeOpenError(lastOpenError_);
}

void CRs232CB::ClosePort() {
    std::lock_guard<std::mutex> lock(portMutex_);
    ClosePortLocked();
}

void CRs232CB::ClosePortLocked() {
    log_.SetEnabled(false);
    if (open_.exchange(false)) device_.Close();
}

void CRs232CB::ForgetDevice() {
    // The device has vanished: nothing more can be done with it, but the descriptor and the
    // exclusive lock are still released so that the port can be opened again when it returns.
    open_.store(false);
    device_.Close();
}

uint8_t CRs232CB::TimeoutCount(uint8_t slave) const {
    return slave < timeoutCounts_.size() ? timeoutCounts_[slave].load() : 0;
}

void CRs232CB::SetTimeoutCount(uint8_t slave, uint8_t count) {
    if (slave < timeoutCounts_.size()) timeoutCounts_[slave].store(count);
}

uint8_t CRs232CB::SyncCounter(uint8_t slave) const {
    std::lock_guard<std::mutex> lock(portMutex_);
    return sync_.Get(slave);
}

void CRs232CB::LogLine(const char* format, ...) {
    if (!config_.communicationLog) return;
    va_list args;
    va_start(args, format);
    log_.WriteMessageV(format, args);
    va_end(args);
}

void CRs232CB::LogRecvLine(const CommPacket& packet, const char* format, ...) {
    if (!config_.communicationLog) return;
    char text[512];
    const int prefix = std::snprintf(text, sizeof(text), "CRs232CB::RecvPacket(P%d, S%d, N0x%02X, C0x%02X) ",
                                     portNumber_, packet.slave, packet.sync, packet.frameType);
    va_list args;
    va_start(args, format);
    std::vsnprintf(text + prefix, sizeof(text) - static_cast<std::size_t>(prefix), format, args);
    va_end(args);
    log_.WriteMessage("%s", text);
}

platform::IoStatus CRs232CB::FuncCommand(const CommPacket& packet, FrameForm form, int waitMs) {
    bodyLength_ = BuildRequestBody(form, packet.slave, packet.sync, packet.frameType, packet.send,
                                   packet.sendLength, body_.data());
    wireLength_ = bodyLength_ ? StuffFrame(body_.data(), bodyLength_, wire_.data()) : 0;
    if (wireLength_ == 0 || !open_.load()) return platform::IoStatus::Error;
    return WriteBytes(wire_.data(), wireLength_, waitMs);
}

bool CRs232CB::WriteRaw(const uint8_t* data, std::size_t length) {
    // The bench's bytes may be many: their time on the wire, plus what a write may always take.
    const uint64_t wireMs = baudRate_ > 0 ? (uint64_t{length} * 10 * 1000 + baudRate_ - 1) / baudRate_ : 0;
    const int waitMs = static_cast<int>(
        std::min<uint64_t>(wireMs + platform::SerialDevice::kDefaultWriteWaitMs, 0x7FFFFFFFu));
    return WriteBytes(data, length, waitMs) == platform::IoStatus::Ok;
}

platform::IoStatus CRs232CB::WriteBytes(const uint8_t* data, std::size_t length, int waitMs) {
    if (!open_.load()) return platform::IoStatus::Error;
    const platform::IoStatus status = device_.Write(data, length, waitMs);
    if (status == platform::IoStatus::Ok || status == platform::IoStatus::TimedOut) return status;
    const int err = device_.LastErrorCode();
    if (status == platform::IoStatus::Fatal) {
        LogLine("CRs232CB::FuncCommand(P%d) WriteFile error : %s\r\n", portNumber_, device_.LastFatalText());
        ForgetDevice();
    } else {
        LogLine("CRs232CB::FuncCommand(P%d) WriteFile error : (GetLastError %d)\r\n", portNumber_, err);
    }
    return status;
}

int CRs232CB::ReadComm(uint8_t& byte) {
    if (!open_.load()) return -1;
    const platform::IoStatus status = device_.ReadByte(byte, 1);
    if (status == platform::IoStatus::Ok) return 1;
    if (status == platform::IoStatus::NoData) return 0;
    const int err = device_.LastErrorCode();
    if (status == platform::IoStatus::Fatal) {
        LogLine("CRs232CB::ReadComm(P%d) Read Error : %s\r\n", portNumber_, device_.LastFatalText());
        ForgetDevice();
    } else {
        LogLine("CRs232CB::ReadComm(P%d) Read Error : (GetLastError %d)\r\n", portNumber_, err);
    }
    return -1;
}

bool CRs232CB::ReadCommOneByte(uint8_t& byte) {
    std::lock_guard<std::mutex> lock(portMutex_);
    if (!open_.load()) return false;
    const platform::IoStatus status = device_.ReadByte(byte, 1);
    if (status == platform::IoStatus::Fatal) ForgetDevice();
    return status == platform::IoStatus::Ok;
}

CRs232CB::Outcome CRs232CB::RecvPacket(CommPacket& packet) {
    receiver_.Reset();
    uint32_t last = platform::TickMs();
    for (;;) {
        uint8_t byte = 0;
        const int got = ReadComm(byte);
        if (got < 0) return Outcome::ReadError;
        if (Expired(packet)) {
            // Bytes that keep coming (noise, frames for others) restart the silence timeout,
            // but not this limit.
            CountTimeout(packet);
            LogRecvLine(packet, "Recv Timeout [transaction limit %u ms]\r\n", packet.limitMs);
            log_.DumpRecvBuffer(receiver_.Data(), receiver_.Count());
            return Outcome::Expired;
        }
        if (got == 0) {
            if (platform::TickMs() - last <= packet.timeoutMs) continue;
            CountTimeout(packet);
            if (!packet.reducedRetry) {
                const std::size_t count = receiver_.Count();
                if (count == 0) {
                    LogRecvLine(packet, "Recv Timeout [Nothing received]\r\n");
                } else {
                    LogRecvLine(packet, "Recv Timeout [levl:%d, Read:%d]\r\n",
                                static_cast<int>(receiver_.GetState()), static_cast<int>(count));
                    log_.DumpRecvBuffer(receiver_.Data(), count);
                }
            }
            return Outcome::Timeout;
        }

        switch (receiver_.Feed(byte)) {
            case FrameReceiver::Event::None:
                break;
            case FrameReceiver::Event::Overflow:
                LogRecvLine(packet, "Recv. queue was overflowed.\r\n");
                log_.DumpRecvBuffer(receiver_.Data(), receiver_.EventCount());
                return Outcome::Overflow;
            case FrameReceiver::Event::UnknownBytes:
                LogRecvLine(packet, "unknown bytes\r\n");
                log_.DumpRecvBuffer(receiver_.Data(), receiver_.EventCount());
                break;
            case FrameReceiver::Event::HeaderFailed:
                LogRecvLine(packet, "HEADER failed.\r\n");
                log_.DumpRecvBuffer(receiver_.Data(), receiver_.EventCount());
                break;
            case FrameReceiver::Event::DataCanceled:
                LogRecvLine(packet, "DATA canceled.\r\n");
                log_.DumpRecvBuffer(receiver_.Data(), receiver_.EventCount());
                break;
            case FrameReceiver::Event::CrcFailed:
                LogRecvLine(packet, "CRC Failed.\r\n");
                return Outcome::CrcFailed;
            case FrameReceiver::Event::Complete:
                if (config_.timeoutCounts && packet.slave <= kMaxAddressedSlave)
                    timeoutCounts_[packet.slave].store(0);
                return Outcome::Frame;
        }
        last = platform::TickMs();
    }
}

bool CRs232CB::Expired(const CommPacket& packet) const {
    return platform::TickMs() - packet.startTick > packet.limitMs;
}

int CRs232CB::RemainingMs(const CommPacket& packet) {
    const uint32_t elapsed = platform::TickMs() - packet.startTick;
    return elapsed >= packet.limitMs ? 0 : static_cast<int>(packet.limitMs - elapsed);
}

void CRs232CB::CountTimeout(const CommPacket& packet) {
    if (!config_.timeoutCounts || packet.slave > kMaxAddressedSlave) return;
    auto& count = timeoutCounts_[packet.slave];
    if (count.load() < 255) count.store(static_cast<uint8_t>(count.load() + 1));
}

bool CRs232CB::IsEchoOfRequest() const {
    return receiver_.EventCount() == bodyLength_ && bodyLength_ > 0 &&
           std::memcmp(receiver_.Data(), body_.data(), bodyLength_) == 0;
}

bool CRs232CB::EchoCouldBeTheAnswer(const CommPacket& packet, FrameForm form) const {
    // Read as an answer, the request's first data byte is the status and the rest the data.  A
    // drive that succeeds sends exactly the data asked for, so only a request whose first data
    // byte is 0 and whose remaining data is as long as the answer expected (none for a command
    // without answer data, like a one-byte "off" or "pause" with the value 0) can be answered
    // by a frame equal to itself.
    const std::size_t minimum = form == FrameForm::Legacy ? kLegacyMinResponse : kSequencedMinResponse;
    const std::size_t statusIndex = minimum - 3;
    return bodyLength_ >= minimum && body_[statusIndex] == 0 && bodyLength_ - minimum == packet.recvLength;
}

CRs232CB::Outcome CRs232CB::ValidateSequenced(CommPacket& packet, bool logging) {
    const uint8_t* frame = receiver_.Data();
    const std::size_t count = receiver_.EventCount();
    const bool log = logging && config_.communicationLog;

    if (count < kSequencedMinResponse) {
        if (log)
            LogRecvLine(packet, "Packet is smaller than %d.\r\n", static_cast<int>(kSequencedMinResponse));
        return Outcome::TooShort;
    }
    const bool slaveDiffers = frame[0] != packet.slave;
    const bool typeDiffers = frame[2] != packet.frameType;
    const bool syncDiffers = frame[1] != packet.sync;
    if (slaveDiffers || typeDiffers || syncDiffers) {
        if (log) {
            if (slaveDiffers) LogRecvLine(packet, "Different Slave Number. (Recv_Slave %d)\r\n", frame[0]);
            if (typeDiffers) LogRecvLine(packet, "Different Command. (Recv_Cmd 0x%02X)\r\n", frame[2]);
            if (syncDiffers) LogRecvLine(packet, "Different Sync No. (Recv_Sync 0x%02X)\r\n", frame[1]);
            log_.DumpRecvBuffer(frame, count);
        }
        return Outcome::Mismatch;
    }
    packet.status = frame[3];

    if (count == kSequencedMinResponse) {
        if (packet.status == kStatusPacketError) {
            if (log) {
                LogRecvLine(packet, "Packet error.\r\n");
                log_.DumpSendBuffer(wire_.data(), wireLength_);
            }
            return Outcome::PacketError;
        }
        if (packet.status == kStatusRequestCrcError) {
            if (log) {
                LogRecvLine(packet, "Send Packet CRC error.\r\n");
                log_.DumpSendBuffer(wire_.data(), wireLength_);
            }
            return Outcome::RequestCrcError;
        }
        if (packet.status == kStatusFrameTypeError && config_.frameTypeErrorIsFrame && log) {
            LogRecvLine(packet, "Frame type error.\r\n");
            log_.DumpSendBuffer(wire_.data(), wireLength_);
        }
        return Outcome::Frame;
    }

    if (packet.recvLength != 0) {
        const std::size_t dataLength = count - kSequencedMinResponse;
        if (dataLength != packet.recvLength) {
            if (log) {
                LogRecvLine(packet, "Packet data must be %d. [received %d]\r\n",
                            static_cast<int>(packet.recvLength + 1), static_cast<int>(count - 5));
                log_.DumpRecvBuffer(frame, count);
            }
            return Outcome::LengthError;
        }
        if (packet.recv) std::memcpy(packet.recv, frame + 4, dataLength);
    }
    return Outcome::Frame;
}

CRs232CB::Outcome CRs232CB::ValidateLegacy(CommPacket& packet) {
    const uint8_t* frame = receiver_.Data();
    const std::size_t count = receiver_.EventCount();
    if (count < kLegacyMinResponse) return Outcome::TooShort;
    if (frame[0] != packet.slave || frame[1] != packet.frameType) return Outcome::Mismatch;
    packet.status = frame[2];

    if (count == kLegacyMinResponse) {
        if (packet.status == kStatusPacketError) return Outcome::PacketError;
        if (packet.status == kStatusRequestCrcError) return Outcome::RequestCrcError;
        return Outcome::Frame;
    }
    const std::size_t dataLength = count - kLegacyMinResponse;
    if (packet.frameType == frame_type::kSlaveInfo) {
        // Old firmware answers the identification request with a text of its own length.
        if (dataLength < 2) return Outcome::LengthError;
        if (packet.recv)
            std::memcpy(packet.recv, frame + 3, std::min<std::size_t>(dataLength, packet.recvLength));
        return Outcome::Frame;
    }
    if (packet.recvLength != 0) {
        if (dataLength != packet.recvLength) return Outcome::LengthError;
        if (packet.recv) std::memcpy(packet.recv, frame + 3, dataLength);
    }
    return Outcome::Frame;
}

CRs232CB::Outcome CRs232CB::ReceiveAndValidate(CommPacket& packet, bool detectForm, FrameForm& form) {
    bool echoSkipped = false;
    for (;;) {
        if (packet.recv && packet.recvLength) std::memset(packet.recv, 0, packet.recvLength);
        const Outcome received = RecvPacket(packet);
        if (received != Outcome::Frame) return received;
        if (IsEchoOfRequest()) {
            // The adapter heard its own transmission: slave, sync number, frame type and CRC are
            // all right, but it is not an answer.  A frame that could also be the drive's answer
            // is skipped only on a port seen echoing, and only once per attempt: the echo
            // always comes first.
            const bool couldBeAnswer = EchoCouldBeTheAnswer(packet, form);
            if (!couldBeAnswer) echoingAdapter_ = true;
            if (!couldBeAnswer || (echoingAdapter_ && !echoSkipped)) {
                echoSkipped = true;
                LogRecvLine(packet, "Echo of the request skipped.\r\n");
                log_.DumpRecvBuffer(receiver_.Data(), receiver_.EventCount());
                continue;
            }
        }

        if (!detectForm) {
            const Outcome valid = ValidateSequenced(packet, true);
            if (valid == Outcome::Mismatch) continue;  // a late answer to an earlier request
            return valid;
        }

        const bool legacy = form == FrameForm::Legacy;
        const Outcome first = legacy ? ValidateLegacy(packet) : ValidateSequenced(packet, false);
        if (first == Outcome::Frame) return first;

        // A frame exactly as long as the other form's status-only answer may be the drive
        // telling us that it speaks the other form.
        const std::size_t otherMinimum = legacy ? kSequencedMinResponse : kLegacyMinResponse;
        if (receiver_.EventCount() == otherMinimum) {
            const Outcome second = legacy ? ValidateSequenced(packet, false) : ValidateLegacy(packet);
            if (second == Outcome::PacketError || second == Outcome::Mismatch) {
                form = legacy ? FrameForm::Sequenced : FrameForm::Legacy;
                legacyForm_.store(!legacy);
            }
            return second;
        }
        if (first == Outcome::Mismatch) continue;
        return first;
    }
}

uint8_t CRs232CB::MapOutcome(Outcome outcome, uint8_t status) {
    switch (outcome) {
        case Outcome::Frame:
        case Outcome::PacketError:
        case Outcome::RequestCrcError:
            return status;
        case Outcome::Timeout:
        case Outcome::Expired:
            return kResultTimeout;
        case Outcome::CrcFailed:
            return kResultCrcFailed;
        case Outcome::ReadError:
            return kResultDisconnected;
        default:
            return kResultPacketError;
    }
}

uint8_t CRs232CB::Transact(CommPacket& packet, bool detectForm) {
    if (!open_.load()) return kResultDisconnected;
    const std::size_t headerLength = 3;
    if (packet.sendLength + headerLength + 2 > kBodyBufferSize)
        return kResultPacketError;  // never fits a frame
    packet.attempts = NormalAttempts(packet.reducedRetry);

    std::lock_guard<std::mutex> lock(portMutex_);
    packet.startTick = platform::TickMs();
    packet.limitMs = TransactionLimitMs(packet.timeoutMs, packet.reducedRetry, baudRate_);
    packet.sync = sync_.Next(packet.slave);
    FrameForm form = detectForm && legacyForm_.load() ? FrameForm::Legacy : FrameForm::Sequenced;

    uint8_t result = kResultDisconnected;
    int attemptsLeft = packet.attempts;
    int written = 0;
    Outcome previous = Outcome::None;
    LineHealth::Transaction record;
    record.slave = packet.slave;
    record.attempts = 0;
    const auto started = LineHealth::Clock::now();
    for (;;) {
        ++written;
        ++record.attempts;
        // The write and the wait for its bytes to leave count against the transaction's time:
        // an adapter that stops transmitting must not hold the call (and the port) beyond it.
        const platform::IoStatus sent = FuncCommand(packet, form, RemainingMs(packet));
        if (sent == platform::IoStatus::TimedOut) {
            CountTimeout(packet);
            ++record.timeouts;
            LogLine(
                "CRs232CB::FuncCommand(P%d, S%d, N0x%02X, C0x%02X) Write Timeout [transaction limit %u "
                "ms]\r\n",
                portNumber_, packet.slave, packet.sync, packet.frameType, packet.limitMs);
            result = kResultTimeout;
            break;
        }
        if (sent != platform::IoStatus::Ok) {
            result = kResultDisconnected;
            break;
        }
        const Outcome outcome = ReceiveAndValidate(packet, detectForm, form);
        if (outcome == Outcome::Timeout) ++record.timeouts;
        if (outcome == Outcome::CrcFailed) ++record.crcFailures;
        if (outcome == Outcome::Frame) {
            record.answered = true;
            record.roundTrip = LineHealth::Clock::now() - started;
        }
        if (outcome == Outcome::ReadError) {
            result = kResultDisconnected;
            break;
        }
        if (outcome == Outcome::Overflow) {
            result = kResultPacketError;
            break;
        }
        if (outcome == Outcome::Expired) {
            result = kResultTimeout;
            break;
        }
        if (previous != Outcome::None && outcome != previous) {
            attemptsLeft = packet.attempts;
        } else {
            --attemptsLeft;
        }
        previous = outcome;
        if (outcome == Outcome::Frame || attemptsLeft <= 0) {
            result = MapOutcome(outcome, packet.status);
            break;
        }
        if (written >= AttemptCap(packet.reducedRetry) || Expired(packet)) {
            LogLine(
                "CRs232CB::DoSendCommand(P%d, S%d, N0x%02X, C0x%02X) Gave up after %d requests in %u ms.\r\n",
                portNumber_, packet.slave, packet.sync, packet.frameType, written,
                platform::TickMs() - packet.startTick);
            result = kResultTimeout;
            break;
        }
    }

    health_.Record(record);
    if (result == kResultDisconnected) {
        LogLine("CRs232CB::DoSendCommand(P%d) Port will be closed.\r\n", portNumber_);
        ClosePortLocked();
    }
    return result;
}

CRs232CB::CommPacket CRs232CB::MakePacket(uint8_t slave, uint8_t frameType, const void* send,
                                          uint32_t sendLength, void* recv, uint32_t recvLength,
                                          uint32_t timeoutMs, bool reducedRetry) {
    CommPacket packet;
    packet.slave = slave;
    packet.frameType = frameType;
    packet.send = static_cast<const uint8_t*>(send);
    packet.sendLength = send ? sendLength : 0;
    packet.recv = static_cast<uint8_t*>(recv);
    packet.recvLength = recv ? recvLength : 0;
    packet.timeoutMs = timeoutMs;
    packet.reducedRetry = reducedRetry;
    return packet;
}

uint8_t CRs232CB::DoSendCommand(uint8_t slave, uint8_t frameType, const void* send, uint32_t sendLength,
                                void* recv, uint32_t recvLength, uint32_t timeoutMs, bool reducedRetry) {
    CommPacket packet =
        MakePacket(slave, frameType, send, sendLength, recv, recvLength, timeoutMs, reducedRetry);
    return Transact(packet, config_.autoDetectEveryRequest);
}

uint8_t CRs232CB::DoSendCommandAuto(uint8_t slave, uint8_t frameType, const void* send, uint32_t sendLength,
                                    void* recv, uint32_t recvLength, uint32_t timeoutMs, bool reducedRetry) {
    // Without the legacy form there is nothing to detect.
    CommPacket packet =
        MakePacket(slave, frameType, send, sendLength, recv, recvLength, timeoutMs, reducedRetry);
    return Transact(packet, config_.legacyFormCapable || config_.autoDetectEveryRequest);
}

uint8_t CRs232CB::DoSendCommandNoResp(uint8_t slave, uint8_t frameType, const void* send,
                                      uint32_t sendLength) {
    if (!open_.load()) return kResultDisconnected;
    std::lock_guard<std::mutex> lock(portMutex_);
    CommPacket packet = MakePacket(slave, frameType, send, sendLength, nullptr, 0, 0, false);
    packet.sync = sync_.Next(slave);
    const FrameForm form =
        config_.noRespInCurrentForm && legacyForm_.load() ? FrameForm::Legacy : FrameForm::Sequenced;
    uint8_t result = kResultSuccess;
    // A broadcast is a transaction without an answer, and bounded like one.
    packet.startTick = platform::TickMs();
    packet.limitMs = TransactionLimitMs(0, false, baudRate_);
    if (FuncCommand(packet, form, RemainingMs(packet)) != platform::IoStatus::Ok) {
        LogLine("CRs232CB::DoSendCommandNoResp(P%d) Port will be closed.\r\n", portNumber_);
        ClosePortLocked();
        result = kResultDisconnected;
    }
    platform::SleepMs(1);
    return result;
}

}  // namespace tarsel
