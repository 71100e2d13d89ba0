#include "link/PortAccess.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace {

bool ProcessHasGroup(gid_t gid) {
    if (getegid() == gid) {
        return true;
    }
    const int n = getgroups(0, nullptr);
    std::vector<gid_t> groups(n > 0 ? n : 0);
    if (n > 0 && getgroups(n, groups.data()) == n) {
        for (const gid_t g : groups) {
            if (g == gid) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

QString PortOpenErrorText(const QString& device, int err, const PortAccess& access) {
    const QString first = QStringLiteral("Set Com Port Error");
    if ((err != EACCES && err != EPERM) || access.group.isEmpty() || access.inGroupNow) {
        return first;
    }
    if (access.inGroupDb) {
        return first + QStringLiteral(
                           "\n\n%1 belongs to the group %2. You, %3, were added to %2 "
                           "after you logged in: log out and in again.")
                           .arg(device, access.group, access.user);
    }
    return first + QStringLiteral(
                       "\n\n%1 belongs to the group %2, and you, %3, are not in it. "
                       "Add yourself with\n    sudo adduser %3 %2\nthen log out and "
                       "in again.")
                       .arg(device, access.group, access.user);
}

PortAccess PortAccessOf(const QString& device) {
    PortAccess access;
    if (const passwd* pw = getpwuid(geteuid())) {
        access.user = QString::fromLocal8Bit(pw->pw_name);
    }
    struct stat st = {};
    if (::stat(device.toLocal8Bit().constData(), &st) != 0) {
        return access;
    }
    const group* gr = getgrgid(st.st_gid);
    if (gr == nullptr) {
        return access;
    }
    access.group = QString::fromLocal8Bit(gr->gr_name);
    access.inGroupNow = ProcessHasGroup(st.st_gid);
    for (char** member = gr->gr_mem; member != nullptr && *member != nullptr; ++member) {
        access.inGroupDb = access.inGroupDb || access.user == QString::fromLocal8Bit(*member);
    }
    if (const passwd* pw = getpwuid(geteuid())) {
        access.inGroupDb = access.inGroupDb || pw->pw_gid == st.st_gid;
    }
    return access;
}
