#pragma once

#include <QString>

// Device path of a console port name. COMn is /dev/ttyS<n-1>, unless the
// environment variable VYN8_COMn or a line "COMn PATH" in ComPorts.txt in the
// data folder names another device; the environment wins over the file.
// Empty for a name that is not COM followed by a port number.
QString PortDevicePath(const QString& portName);

// The same rule with the map file given (testable).
QString PortDevicePath(const QString& portName, const QString& mapFile);
