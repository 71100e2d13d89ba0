#include "platform/PortMap.h"

#include <QRegularExpression>

#include "platform/DataFolder.h"
#include "platform/Text8.h"

namespace {

// The PATH of the line "portName PATH" in the map file; empty if none.
QString PathFromMapFile(const QString& portName, const QString& mapFile) {
    QByteArray content;
    if (!text8::ReadFile(mapFile, &content)) {
        return QString();
    }
    static const QRegularExpression kLine(R"(^\s*(\S+)\s+(.*\S)\s*$)");
    for (const QString& line : text8::Decode(content).split('\n')) {
        const QRegularExpressionMatch m = kLine.match(line);
        if (m.hasMatch() && m.captured(1).compare(portName, Qt::CaseInsensitive) == 0) {
            return m.captured(2);
        }
    }
    return QString();
}

}  // namespace

QString PortDevicePath(const QString& portName, const QString& mapFile) {
    static const QRegularExpression kName("^COM([1-9][0-9]{0,2})$");
    const QRegularExpressionMatch m = kName.match(portName);
    if (!m.hasMatch()) {
        return QString();
    }
    const QString fromEnv = qEnvironmentVariable(("VYN8_" + portName).toLatin1().constData());
    if (!fromEnv.isEmpty()) {
        return fromEnv;
    }
    const QString fromFile = PathFromMapFile(portName, mapFile);
    if (!fromFile.isEmpty()) {
        return fromFile;
    }
    return QString("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
}

QString PortDevicePath(const QString& portName) {
    return PortDevicePath(portName, DataFolder() + "ComPorts.txt");
}
