// Serial device on Linux: exclusive, non-blocking terminal file driven by poll().  The only
// file that knows the device's file descriptor and errno.
#ifdef __linux__

#include "comm/platform/serial_device.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "comm/platform/clock.h"
#include "comm/platform/serial_line_linux.h"

namespace tarsel::platform {
namespace {

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

// Time `bytes` take on the wire at 10 bits per byte, rounded up.
uint32_t WireTimeMs(std::size_t bytes, uint32_t baudRate) {
    if (baudRate == 0) return 0;
    return static_cast<uint32_t>((uint64_t{bytes} * 10 * 1000 + baudRate - 1) / baudRate);
}

// Unix98 pseudo-terminal slaves (/dev/pts/N) have majors 136 to 143.
bool IsPseudoTerminal(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) return false;
    const unsigned int majorNumber = major(info.st_rdev);
    return majorNumber >= 136 && majorNumber <= 143;
}

}  // namespace

// The terminal file of an open device and what the last call left behind.
class SerialDevice::Impl {
public:
    IoStatus Classify(int err);
    // Waits until the bytes of a write that began at `start` have left, within `waitMs`.
    IoStatus Drain(uint32_t start, int waitMs, std::size_t length);
    // Drops what is still queued for output: a cut-off frame must not leave later.
    IoStatus GiveUpWriting();

    int fd = -1;
    uint32_t baudRate = 0;
    bool transmits = true;  // a real line, whose bytes take time on the wire
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
    impl_->baudRate = baudRate;
    impl_->transmits = !IsPseudoTerminal(fd);
    impl_->locked = true;
    impl_->pendingHead = impl_->pendingTail = 0;
    impl_->lastOpenError = OpenError::None;
    return OpenError::None;
}

void SerialDevice::Close() {
    if (impl_->fd < 0) return;
    // Every write has waited for its bytes to leave, so anything still queued belongs to an
    // adapter that stopped transmitting; close() would wait for it up to the driver's closing
    // time (30 s on most serial drivers).
    (void)tcflush(impl_->fd, TCOFLUSH);
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

IoStatus SerialDevice::Write(const uint8_t* data, std::size_t length, int waitMs) {
    if (impl_->fd < 0) return impl_->Classify(EBADF);
    if (waitMs < 0) waitMs = 0;

    // The descriptor never blocks: a full queue is waited for with poll() and the time left.
    const uint32_t start = TickMs();
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

        pollfd watch{impl_->fd, POLLOUT, 0};
        const int ready = ::poll(&watch, 1, RemainingMs(start, waitMs));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return impl_->Classify(errno);
        if (ready == 0) return impl_->GiveUpWriting();
        if (watch.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            return impl_->Classify(watch.revents & POLLNVAL ? EBADF : EIO);
        }
    }
    return impl_->Drain(start, waitMs, length);
}

IoStatus SerialDevice::Impl::Drain(uint32_t start, int waitMs, std::size_t length) {
    // tcdrain() waits without limit for an adapter that has stopped transmitting, so the
    // driver's output queue is watched instead.  Even an empty queue does not mean that the
    // bytes have left a real line: they need their time on the wire at the baud rate, which a
    // pseudo-terminal, handing them to its peer at once, does not.
    const uint32_t wireMs = transmits ? WireTimeMs(length, baudRate) : 0;
    for (;;) {
        int queued = 0;
        if (ioctl(fd, TIOCOUTQ, &queued) != 0) {
            if (errno == EINTR) continue;
            return Classify(errno);
        }
        const uint32_t elapsed = TickMs() - start;
        if (queued <= 0 && elapsed >= wireMs) return IoStatus::Ok;
        const int left = RemainingMs(start, waitMs);
        if (left == 0) return GiveUpWriting();
        const uint32_t pending =
            queued > 0 ? WireTimeMs(static_cast<std::size_t>(queued), baudRate) : wireMs - elapsed;
        const int nap = std::clamp(static_cast<int>(std::min<uint32_t>(pending, 1000)), 1, left);
        (void)::poll(nullptr, 0, nap);
    }
}

IoStatus SerialDevice::Impl::GiveUpWriting() {
    (void)tcflush(fd, TCOFLUSH);
    lastErrno = ETIMEDOUT;
    return IoStatus::TimedOut;
}

void SerialDevice::DiscardInput() {
    if (impl_->fd >= 0) (void)tcflush(impl_->fd, TCIFLUSH);
    impl_->pendingHead = impl_->pendingTail = 0;
}

}  // namespace tarsel::platform

#endif  // __linux__
