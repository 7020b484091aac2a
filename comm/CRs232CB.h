// The serial transport: one object per port.  Opens and configures the device, frames and
// writes requests, receives and checks answers byte by byte with per-byte timeouts, retries, and
// returns one result code per transaction.  A port mutex serialises whole transactions, so any
// thread may call in.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "comm/comm_log.h"
#include "comm/frame.h"
#include "comm/line_health.h"
#include "comm/platform/serial_device.h"
#include "comm/transport_config.h"

namespace tarsel {

class CRs232CB {
public:
    explicit CRs232CB(TransportConfig config = TransportConfig::Library());
    virtual ~CRs232CB();
    CRs232CB(const CRs232CB&) = delete;
    CRs232CB& operator=(const CRs232CB&) = delete;

    // All callers pass 8 data bits, no parity (0) and one stop bit (0).
    bool OpenPort(uint8_t portNumber, uint32_t baudRate, uint8_t dataBits = 8, uint8_t parity = 0,
                  uint8_t stopBits = 0);
    // Opens a device by path instead of by port number (tests, explicit devices).
    bool OpenDevice(const std::string& path, uint8_t portNumber, uint32_t baudRate);
    void ClosePort();
    bool IsOpen() const { return open_.load(); }
    uint8_t PortNumber() const { return portNumber_; }
    uint32_t BaudRate() const { return baudRate_; }
    const TransportConfig& Config() const { return config_; }

    // Why the last OpenPort failed, and a sentence for the user.
    platform::OpenError LastOpenError() const { return lastOpenError_; }
    std::string LastOpenErrorText() const;

    // One transaction: 0 on success, 5 to 8 from the transport, or the drive's nonzero status.
    // `recv` receives the answer payload (at most `recvLength` bytes) and may be null.
    uint8_t DoSendCommand(uint8_t slave, uint8_t frameType, const void* send, uint32_t sendLength, void* recv,
                          uint32_t recvLength, uint32_t timeoutMs, bool reducedRetry = false);
    // The same, detecting the frame form the drive speaks (legacy or sequenced).
    uint8_t DoSendCommandAuto(uint8_t slave, uint8_t frameType, const void* send, uint32_t sendLength,
                              void* recv, uint32_t recvLength, uint32_t timeoutMs, bool reducedRetry = false);
    // Bounds of one transaction.  The silence timeout restarts with every byte and the attempt
    // counter restarts when the kind of failure changes, so noise or alternating failures could
    // keep a call alive for ever; a transaction therefore also ends, with 6, after this many
    // requests written or after this time (twice the attempts, each a silence timeout plus the
    // wire time of a largest request and answer at the baud rate).
    static int AttemptCap(bool reducedRetry);
    static uint32_t TransactionLimitMs(uint32_t timeoutMs, bool reducedRetry, uint32_t baudRate);

    // A request that gets no answer (broadcasts): 0 after a good write, 5 otherwise.
    uint8_t DoSendCommandNoResp(uint8_t slave, uint8_t frameType, const void* send, uint32_t sendLength);

    // Frame bench: writes `length` raw bytes as they are (no framing); false on failure.
    bool WriteRaw(const uint8_t* data, std::size_t length);
    // Frame bench: at most one byte; false when none arrived or the read failed.
    bool ReadCommOneByte(uint8_t& byte);

    // Log controls (the owner sets them again after every OpenPort).
    void SetLogEnabled(bool enabled) { log_.SetEnabled(enabled); }
    void SetLogDirectory(const char* directory) { log_.SetDirectory(directory); }
    CCommLog& Log() { return log_; }

    // Per-slave consecutive timeout counts (configuration program only).
    uint8_t TimeoutCount(uint8_t slave) const;
    void SetTimeoutCount(uint8_t slave, uint8_t count);

    // Transactions, failures, retries and round-trip times per slave, kept as they happen.
    const LineHealth& Health() const { return health_; }

    // Frame form of this port (legacy-capable configurations only).
    bool IsLegacyForm() const { return legacyForm_.load(); }
    void SetLegacyForm(bool legacy) { legacyForm_.store(legacy && config_.legacyFormCapable); }

    // Sync counter of a slave as it stands (tests and diagnostics).
    uint8_t SyncCounter(uint8_t slave) const;

    // Takes the port mutex for a sequence that must not be interleaved with other requests.
    std::mutex& PortMutex() { return portMutex_; }

protected:
    enum class Outcome : uint8_t {
        None,
        Frame,            // valid answer: the status is the result
        Timeout,          // 6
        CrcFailed,        // 7
        TooShort,         // 8
        LengthError,      // 8
        PacketError,      // status 0x82 in a status-only answer
        RequestCrcError,  // status 0xAA in a status-only answer
        Mismatch,         // answer to another request: skipped
        ReadError,        // 5
        Overflow,         // 8
        Expired,          // the transaction's time limit passed: 6, no further attempt
    };

    struct CommPacket {
        uint8_t slave = 0;
        uint8_t sync = 0;
        uint8_t frameType = 0;
        const uint8_t* send = nullptr;
        uint32_t sendLength = 0;
        uint8_t status = 0;
        uint8_t* recv = nullptr;
        uint32_t recvLength = 0;
        uint32_t timeoutMs = 0;
        int attempts = 3;
        bool reducedRetry = false;
        uint32_t startTick = 0;  // when the transaction got the port
        uint32_t limitMs = 0;    // time limit of the whole transaction, all attempts included
    };

    // Builds and writes a request, waiting at most `waitMs` for its bytes to leave.
    platform::IoStatus FuncCommand(const CommPacket& packet, FrameForm form, int waitMs);
    // One byte from the device: 1 byte read, 0 nothing within about a millisecond, -1 error.
    int ReadComm(uint8_t& byte);
    Outcome RecvPacket(CommPacket& packet);
    Outcome ValidateSequenced(CommPacket& packet, bool logging);
    Outcome ValidateLegacy(CommPacket& packet);
    // The received frame is byte for byte the request just written (an adapter that hears its
    // own transmission).
    bool IsEchoOfRequest() const;
    bool EchoCouldBeTheAnswer(const CommPacket& packet, FrameForm form) const;
    bool Expired(const CommPacket& packet) const;
    static int RemainingMs(const CommPacket& packet);
    void CountTimeout(const CommPacket& packet);

private:
    static CommPacket MakePacket(uint8_t slave, uint8_t frameType, const void* send, uint32_t sendLength,
                                 void* recv, uint32_t recvLength, uint32_t timeoutMs, bool reducedRetry);
    uint8_t Transact(CommPacket& packet, bool detectForm);
    Outcome ReceiveAndValidate(CommPacket& packet, bool detectForm, FrameForm& form);
    // Writes bytes within `waitMs`; logs failures and forgets a vanished device.
    platform::IoStatus WriteBytes(const uint8_t* data, std::size_t length, int waitMs);
    void ClosePortLocked();
    void ForgetDevice();
    void LogLine(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void LogRecvLine(const CommPacket& packet, const char* format, ...) __attribute__((format(printf, 3, 4)));
    static uint8_t MapOutcome(Outcome outcome, uint8_t status);

    const TransportConfig config_;
    mutable std::mutex portMutex_;
    platform::SerialDevice device_;
    std::atomic<bool> open_{false};
    std::atomic<bool> legacyForm_{false};
    uint8_t portNumber_ = 0;
    uint32_t baudRate_ = 0;
    platform::OpenError lastOpenError_ = platform::OpenError::None;

    SyncCounters sync_;
    bool echoingAdapter_ = false;  // an echo was recognised since the port was opened
    LineHealth health_;
    std::array<std::atomic<uint8_t>, kSlaveNumberCount> timeoutCounts_{};

    FrameReceiver receiver_;
    std::array<uint8_t, kBodyBufferSize> body_{};
    std::size_t bodyLength_ = 0;
    std::array<uint8_t, kWireBufferSize> wire_{};
    std::size_t wireLength_ = 0;

    CCommLog log_;
};

}  // namespace tarsel
