#include "SimPty.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

volatile sig_atomic_t g_simStop = 0;

namespace {

void OnStopSignal(int) {
    g_simStop = 1;
}

}  // namespace

void CatchStopSignals() {
    struct sigaction sa {};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

bool OpenPtyLink(const QString& link, const line::LineSpec& spec, int* master, int* slave,
                 QString* served, QString* error) {
    char name[256] = {};
    if (openpty(master, slave, name, nullptr, nullptr) != 0) {
        *error = QString("cannot open a pseudo-terminal: %1").arg(strerror(errno));
        return false;
    }
    fcntl(*master, F_SETFL, fcntl(*master, F_GETFL) | O_NONBLOCK);
    line::Configure(*slave, spec);  // raw until the console sets its own
    *served = QString::fromLocal8Bit(name);
    const QByteArray path = link.toLocal8Bit();
    struct stat st {};
    if (lstat(path.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        ::unlink(path.constData());  // left over from an earlier run
    }
    if (::symlink(name, path.constData()) != 0) {
        *error = QString("cannot make the link %1: %2").arg(link, strerror(errno));
        return false;
    }
    return true;
}
