// A serial device opened for exclusive use: raw 8N1 at any baud rate, DTR and RTS asserted,
// no flow control.  This is the whole of what the transport needs from the operating system.
// The operating system's state (handle, error numbers, read buffer) lives behind a private
// implementation in the platform's own file (serial_device_linux.cpp), so another backend
// replaces that file and nothing that includes this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tarsel::platform {

enum class OpenError : uint8_t {
    None,
    NoSuchPort,        // no device behind the port number or path
    PermissionDenied,  // the user may not open the device
    Busy,              // another program holds it
    NotSerial,         // the path is not a terminal device
    ConfigFailed,      // the line settings were refused (for instance the baud rate)
    Other,
};

// One English sentence for a failed open, for message boxes and command-line tools.
const char* DescribeOpenError(OpenError error);

enum class IoStatus : uint8_t {
    Ok,        // byte read / all bytes written
    NoData,    // nothing arrived within the wait
    Fatal,     // the device is gone (hang-up, unplugged adapter); the port must be closed
    Error,     // any other failure; the port stays usable
    TimedOut,  // a write could not get its bytes out within its time; the rest was dropped
};

class SerialDevice {
public:
    SerialDevice();
    ~SerialDevice();
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    // Opens `path` and configures the line.  On failure the device stays closed and the
    // reason is returned (and kept in LastOpenError()).
    OpenError Open(const std::string& path, uint32_t baudRate);
    void Close();
    bool IsOpen() const;

    // One byte, waiting at most `waitMs` in the kernel when none is buffered.  Bytes already
    // queued by the driver are fetched in one read call and handed out one by one.
    IoStatus ReadByte(uint8_t& byte, int waitMs = 1);

    // Writes every byte, then waits until the driver has transmitted them, all within `waitMs`.
    // When the driver takes no more bytes or does not get them out in time (an adapter that
    // stopped transmitting, a pseudo-terminal whose peer stopped reading), whatever is still
    // queued is dropped, so that no cut-off frame leaves later, and the result is TimedOut.
    IoStatus Write(const uint8_t* data, std::size_t length, int waitMs = kDefaultWriteWaitMs);
    static constexpr int kDefaultWriteWaitMs = 2000;

    // Drops everything received but not yet read (driver queue and local buffer).
    void DiscardInput();

    // The system's own number of the last failure (0 when none), for the log.
    int LastErrorCode() const;
    // The log text of the last Fatal failure, in the form the communication log has always used.
    const char* LastFatalText() const;
    OpenError LastOpenError() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tarsel::platform
