#pragma once

#include <QString>

// Why a serial port would not open, told so that the operator can mend it.

// Who may open the device: the group that owns it, the user, and whether the
// user is in that group for the running program and in the group database
// (added, but not logged in again since).
struct PortAccess {
    QString group;
    QString user;
    bool inGroupNow = false;
    bool inGroupDb = false;
};

// The message for a port that failed to open with `err` (an errno value):
// "Set Com Port Error" as its first line; when permission was refused and
// the user is not in the device's group, the lines that say how to get in.
QString PortOpenErrorText(const QString& device, int err, const PortAccess& access);

// The access facts of `device` for the running program.
PortAccess PortAccessOf(const QString& device);
