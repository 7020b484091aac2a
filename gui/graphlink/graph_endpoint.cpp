#include "gui/graphlink/graph_endpoint.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>

namespace tarsel::graphlink {

QString DefaultEndpoint() {
    const QString forced = qEnvironmentVariable("TARSEL_GRAPH_ENDPOINT");
    if (!forced.isEmpty()) return forced;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return QDir(runtime).filePath(QStringLiteral("GRAPH_SERVER"));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("GRAPH_SERVER-%1").arg(::getuid()));
}

QString PresencePath(const QString& endpoint) {
    return endpoint + QStringLiteral(".lock");
}

CGraphServerPresence::CGraphServerPresence(const QString& endpoint) {
    // A link planted in a shared temporary folder is not followed.
    const QByteArray path = QFile::encodeName(PresencePath(endpoint));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return;
    // A process that only looks holds a shared lock for a moment; try again briefly before
    // concluding that another server owns the endpoint.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        QThread::msleep(5);
    }
    ::close(fd);
}

CGraphServerPresence::~CGraphServerPresence() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock; the file stays for the next server
}

bool GraphServerRunning(const QString& endpoint) {
    const QByteArray path = QFile::encodeName(PresencePath(endpoint));
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    bool held = false;
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0)
        held = errno == EWOULDBLOCK;
    else
        ::flock(fd, LOCK_UN);
    ::close(fd);
    return held;
}

}  // namespace tarsel::graphlink
