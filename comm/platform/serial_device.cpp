// Serial device on Linux: exclusive, non-blocking terminal file driven by poll().
#ifdef __linux__

#include "comm/platform/serial_device.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "comm/platform/clock.h"

namespace tarsel::platform {
namespace {

// How long one write may wait for room in the driver's queue before it gives up.
constexpr int kWriteStallLimitMs = 2000;

OpenError OpenErrorFromErrno(int err) {
    switch (err) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
            return OpenError::NoSuchPort;
        case EACCES:
        case EPERM:
        case EROFS:
            return OpenError::PermissionDenied;
        case EBUSY:
        case EWOULDBLOCK:
            return OpenError::Busy;
        case ENOTTY:
        case EISDIR:
            return OpenError::NotSerial;
        default:
            return OpenError::Other;
    }
}

// DTR and RTS on (the converter may draw power from them) and the driver's low-latency mode.
// Pseudo-terminals and some adapters know neither: that is not an error.
void ApplyBestEffortLineOptions(int fd) {
    const int modemLines = TIOCM_DTR | TIOCM_RTS;
    (void)ioctl(fd, TIOCMBIS, &modemLines);

    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) == 0 && (serial.flags & ASYNC_LOW_LATENCY) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        (void)ioctl(fd, TIOCSSERIAL, &serial);
    }
}

int RemainingMs(uint32_t startTick, int limitMs) {
    const uint32_t elapsed = TickMs() - startTick;
    return elapsed >= static_cast<uint32_t>(limitMs) ? 0 : limitMs - static_cast<int>(elapsed);
}

}  // namespace

const char* DescribeOpenError(OpenError error) {
    switch (error) {
        case OpenError::None:
            return "The port was opened.";
        case OpenError::NoSuchPort:
            return "The serial port does not exist. Check that the adapter is plugged in.";
        case OpenError::PermissionDenied:
            return "You may not open the serial port. Ask for membership of the 'dialout' group, then "
                   "log in again.";
        case OpenError::Busy:
            return "The serial port is in use by another program.";
        case OpenError::NotSerial:
            return "The device is not a serial port.";
        case OpenError::ConfigFailed:
            return "The serial port refused the line settings, for instance the baud rate.";
        case OpenError::Other:
            break;
    }
    return "The serial port could not be opened.";
}

SerialDevice::~SerialDevice() {
    Close();
}

OpenError SerialDevice::Open(const std::string& path, uint32_t baudRate) {
    Close();
    lastErrno_ = 0;

    // The exclusive flag belongs to the terminal, not to our descriptor: clear it only when
    // this open set it, never when another holder's lock turned us away.
    bool exclusiveSet = false;
    auto fail = [this, &exclusiveSet](OpenError error, int err, int fd) {
        lastErrno_ = err;
        lastOpenError_ = error;
        if (fd >= 0) {
            if (exclusiveSet) (void)ioctl(fd, TIOCNXCL);
            ::close(fd);  // also drops a lock taken on it
        }
        return error;
    };

    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        return fail(OpenErrorFromErrno(err), err, -1);
    }
    if (!isatty(fd)) return fail(OpenError::NotSerial, ENOTTY, fd);

    // The lock keeps out every cooperating process, root included; TIOCEXCL makes any further
    // open() of the terminal fail with EBUSY for everyone else.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        return fail(err == EWOULDBLOCK ? OpenError::Busy : OpenError::Other, err, fd);
    }
    if (ioctl(fd, TIOCEXCL) != 0) {
        const int err = errno;
        return fail(err == ENOTTY ? OpenError::NotSerial : OpenError::Other, err, fd);
    }
    exclusiveSet = true;

    errno = 0;
    if (!ConfigureLine(fd, baudRate)) return fail(OpenError::ConfigFailed, errno != 0 ? errno : EINVAL, fd);
    ApplyBestEffortLineOptions(fd);
    (void)tcflush(fd, TCIOFLUSH);

    fd_ = fd;
    locked_ = true;
    pendingHead_ = pendingTail_ = 0;
    lastOpenError_ = OpenError::None;
    return OpenError::None;
}

void SerialDevice::Close() {
    if (fd_ < 0) return;
    // Without clearing the exclusive flag a pseudo-terminal would refuse every later open.
    (void)ioctl(fd_, TIOCNXCL);
    if (locked_) (void)flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
    locked_ = false;
    pendingHead_ = pendingTail_ = 0;
}

IoStatus SerialDevice::Classify(int err) {
    lastErrno_ = err;
    switch (err) {
        case EIO:
        case ENXIO:
        case ENODEV:
        case EBADF:
        case EPIPE:
            return IoStatus::Fatal;
        case EAGAIN:
        case EINTR:
            return IoStatus::NoData;
        default:
            return IoStatus::Error;
    }
}

IoStatus SerialDevice::ReadByte(uint8_t& byte, int waitMs) {
    if (pendingHead_ < pendingTail_) {
        byte = pending_[pendingHead_++];
        return IoStatus::Ok;
    }
    if (fd_ < 0) return Classify(EBADF);
    if (waitMs < 0) waitMs = 0;

    const uint32_t start = TickMs();
    for (;;) {
        pollfd watch{fd_, POLLIN, 0};
        const int ready = ::poll(&watch, 1, RemainingMs(start, waitMs));
        if (ready < 0) {
            if (errno == EINTR) continue;
            return Classify(errno);
        }
        if (ready == 0) return IoStatus::NoData;
        if ((watch.revents & POLLIN) == 0) {
            // Hang-up or error without data: the device is gone.
            return Classify(watch.revents & POLLNVAL ? EBADF : EIO);
        }

        const ssize_t got = ::read(fd_, pending_.data(), pending_.size());
        if (got > 0) {
            pendingHead_ = 1;
            pendingTail_ = static_cast<std::size_t>(got);
            byte = pending_[0];
            return IoStatus::Ok;
        }
        if (got == 0) return Classify(EIO);  // end of file on a terminal means hang-up
        const int err = errno;
        if (err == EINTR || err == EAGAIN) {
            if (RemainingMs(start, waitMs) == 0) return IoStatus::NoData;
            continue;
        }
        return Classify(err);
    }
}

IoStatus SerialDevice::Write(const uint8_t* data, std::size_t length) {
    if (fd_ < 0) return Classify(EBADF);

    std::size_t done = 0;
    while (done < length) {
        const ssize_t written = ::write(fd_, data + done, length - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
            continue;
        }
        const int err = written == 0 ? EAGAIN : errno;
        if (err == EINTR) continue;
        if (err != EAGAIN) return Classify(err);

        // The driver's queue is full: wait for room, but not forever.
        const uint32_t start = TickMs();
        for (;;) {
            pollfd watch{fd_, POLLOUT, 0};
            const int ready = ::poll(&watch, 1, RemainingMs(start, kWriteStallLimitMs));
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0) return Classify(errno);
            if (ready == 0) {
                lastErrno_ = ETIMEDOUT;
                return IoStatus::Error;
            }
            if (watch.revents & (POLLERR | POLLHUP | POLLNVAL)) {
                return Classify(watch.revents & POLLNVAL ? EBADF : EIO);
            }
            break;
        }
    }

    while (tcdrain(fd_) != 0) {
        if (errno != EINTR) return Classify(errno);
    }
    return IoStatus::Ok;
}

void SerialDevice::DiscardInput() {
    if (fd_ >= 0) (void)tcflush(fd_, TCIFLUSH);
    pendingHead_ = pendingTail_ = 0;
}

}  // namespace tarsel::platform

#endif  // __linux__
