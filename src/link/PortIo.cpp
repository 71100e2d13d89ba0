#include "link/PortIo.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

bool WriteAll(int fd, const char* data, size_t n, size_t* written, int stallMs) {
    size_t done = 0;
    bool ok = fd >= 0;
    while (ok && done < n) {
        const ssize_t w = ::write(fd, data + done, n - done);
        if (w > 0) {
            done += static_cast<size_t>(w);
        } else if (w < 0 && errno == EINTR) {
            continue;
        } else if (w < 0 && errno == EAGAIN) {
            pollfd p{fd, POLLOUT, 0};
            ok = ::poll(&p, 1, stallMs) > 0 && (p.revents & POLLOUT) != 0;
        } else {
            ok = false;
        }
    }
    if (written) {
        *written = done;
    }
    return ok;
}

int OpenExclusive(const QString& path) {
    if (path.isEmpty()) {
        errno = ENOENT;
        return -1;
    }
    const int fd =
        ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        errno = EBUSY;
        return -1;
    }
    (void)ioctl(fd, TIOCEXCL);
    return fd;
}

void CloseExclusive(int fd) {
    if (fd >= 0) {
        (void)ioctl(fd, TIOCNXCL);
        ::close(fd);
    }
}
