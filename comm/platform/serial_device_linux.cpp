// Serial device on Linux: exclusive, non-blocking terminal file driven by poll().  The only
// file that knows the device's file descriptor and errno.
#ifdef __linux__

#include "comm/platform/serial_device.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "comm/platform/clock.h"
#include "comm/platform/serial_line_linux.h"

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

// The terminal file of an open device and what the last call left behind.
class SerialDevice::Impl {
public:
    IoStatus Classify(int err);

    int fd = -1;
    bool locked = false;
    int lastErrno = 0;
    OpenError lastOpenError = OpenError::None;
    std::array<uint8_t, 512> pending{};
    std::size_t pendingHead = 0;
    std::size_t pendingTail = 0;
};

SerialDevice::SerialDevice() : impl_(std::make_unique<Impl>()) {}

SerialDevice::~SerialDevice() {
    Close();
}

bool SerialDevice::IsOpen() const {
    return impl_->fd >= 0;
}

int SerialDevice::LastErrorCode() const {
    return impl_->lastErrno;
}

OpenError SerialDevice::LastOpenError() const {
    return impl_->lastOpenError;
}

const char* SerialDevice::LastFatalText() const {
    switch (impl_->lastErrno) {
        case EACCES:
        case EPERM:
            return "(ERROR_ACCESS_DENIED : Access is denied.)";
        case EBADF:
            return "(ERROR_INVALID_HANDLE : The handle is invalid.)";
        default:
            return "(ERROR_GEN_FAILURE : A device attached to the system is not functioning.)";
    }
}

OpenError SerialDevice::Open(const std::string& path, uint32_t baudRate) {
    Close();
    impl_->lastErrno = 0;

    // The exclusive flag belongs to the terminal, not to our descriptor: clear it only when
    // this open set it, never when another holder's lock turned us away.
    bool exclusiveSet = false;
    auto fail = [this, &exclusiveSet](OpenError error, int err, int fd) {
        impl_->lastErrno = err;
        impl_->lastOpenError = error;
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

    impl_->fd = fd;
    impl_->locked = true;
    impl_->pendingHead = impl_->pendingTail = 0;
    impl_->lastOpenError = OpenError::None;
    return OpenError::None;
}

void SerialDevice::Close() {
    if (impl_->fd < 0) return;
    // Without clearing the exclusive flag a pseudo-terminal would refuse every later open.
    (void)ioctl(impl_->fd, TIOCNXCL);
    if (impl_->locked) (void)flock(impl_->fd, LOCK_UN);
    ::close(impl_->fd);
    impl_->fd = -1;
    impl_->locked = false;
    impl_->pendingHead = impl_->pendingTail = 0;
}

IoStatus SerialDevice::Impl::Classify(int err) {
    lastErrno = err;
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
    if (impl_->pendingHead < impl_->pendingTail) {
        byte = impl_->pending[impl_->pendingHead++];
        return IoStatus::Ok;
    }
    if (impl_->fd < 0) return impl_->Classify(EBADF);
    if (waitMs < 0) waitMs = 0;

    const uint32_t start = TickMs();
    for (;;) {
        pollfd watch{impl_->fd, POLLIN, 0};
        const int ready = ::poll(&watch, 1, RemainingMs(start, waitMs));
        if (ready < 0) {
            if (errno == EINTR) continue;
            return impl_->Classify(errno);
        }
        if (ready == 0) return IoStatus::NoData;
        if ((watch.revents & POLLIN) == 0) {
            // Hang-up or error without data: the device is gone.
            return impl_->Classify(watch.revents & POLLNVAL ? EBADF : EIO);
        }

        const ssize_t got = ::read(impl_->fd, impl_->pending.data(), impl_->pending.size());
        if (got > 0) {
            impl_->pendingHead = 1;
            impl_->pendingTail = static_cast<std::size_t>(got);
            byte = impl_->pending[0];
            return IoStatus::Ok;
        }
        if (got == 0) return impl_->Classify(EIO);  // end of file on a terminal means hang-up
        const int err = errno;
        if (err == EINTR || err == EAGAIN) {
            if (RemainingMs(start, waitMs) == 0) return IoStatus::NoData;
            continue;
        }
        return impl_->Classify(err);
    }
}

IoStatus SerialDevice::Write(const uint8_t* data, std::size_t length) {
    if (impl_->fd < 0) return impl_->Classify(EBADF);

    std::size_t done = 0;
    while (done < length) {
        const ssize_t written = ::write(impl_->fd, data + done, length - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
            continue;
        }
        const int err = written == 0 ? EAGAIN : errno;
        if (err == EINTR) continue;
        if (err != EAGAIN) return impl_->Classify(err);

        // The driver's queue is full: wait for room, but not forever.
        const uint32_t start = TickMs();
        for (;;) {
            pollfd watch{impl_->fd, POLLOUT, 0};
            const int ready = ::poll(&watch, 1, RemainingMs(start, kWriteStallLimitMs));
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0) return impl_->Classify(errno);
            if (ready == 0) {
                impl_->lastErrno = ETIMEDOUT;
                return IoStatus::Error;
            }
            if (watch.revents & (POLLERR | POLLHUP | POLLNVAL)) {
                return impl_->Classify(watch.revents & POLLNVAL ? EBADF : EIO);
            }
            break;
        }
    }

    while (tcdrain(impl_->fd) != 0) {
        if (errno != EINTR) return impl_->Classify(errno);
    }
    return IoStatus::Ok;
}

void SerialDevice::DiscardInput() {
    if (impl_->fd >= 0) (void)tcflush(impl_->fd, TCIFLUSH);
    impl_->pendingHead = impl_->pendingTail = 0;
}

}  // namespace tarsel::platform

#endif  // __linux__
