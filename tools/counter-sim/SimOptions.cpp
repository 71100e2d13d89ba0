#include "SimOptions.h"

#include <QStringList>

namespace {

const char* kUsage =
    "usage: vyn8-counter (--link PATH | --device PATH [--baud N]) [options]\n"
    "  --silent                   never answer the ENQ handshake\n"
    "  --ack-after N              answer the Nth ENQ (default 1)\n"
    "  --seeds-per-second N       counting speed at feed speed 100 (default 400)\n"
    "  --fast                     count as fast as the line allows\n"
    "  --leftover N               seeds left in the machine for a dump (default 250)\n"
    "  --script FILE              replay a script of frames to send and expect\n"
    "  --log                      print every frame both ways\n"
    "  --vanish-after-frames N    close the line after sending N frames\n"
    "  --disconnect-after-frames N  send Disconnect after sending N frames\n";

bool TakeInt(const QString& text, int min, int* out) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < min) {
        return false;
    }
    *out = v;
    return true;
}

}  // namespace

bool ParseSimOptions(int argc, char** argv, SimOptions* out, QString* error) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const QString value = hasValue ? args[i + 1] : QString();
        bool ok = true;
        bool tookValue = true;
        int seeds = 0;
        if (a == "--silent") {
            out->silent = true;
            tookValue = false;
        } else if (a == "--fast") {
            out->fast = true;
            tookValue = false;
        } else if (a == "--log") {
            out->log = true;
            tookValue = false;
        } else if (a == "--help" || a == "-h") {
            *error = kUsage;
            return false;
        } else if (!hasValue) {
            ok = false;
        } else if (a == "--link") {
            out->linkPath = value;
        } else if (a == "--device") {
            out->devicePath = value;
        } else if (a == "--script") {
            out->scriptPath = value;
        } else if (a == "--baud") {
            ok = TakeInt(value, 1, &out->baud);
        } else if (a == "--ack-after") {
            ok = TakeInt(value, 1, &out->ackAfter);
        } else if (a == "--seeds-per-second") {
            ok = TakeInt(value, 1, &seeds);
            out->seedsPerSecond = seeds;
        } else if (a == "--leftover") {
            ok = TakeInt(value, 0, &out->leftover);
        } else if (a == "--vanish-after-frames") {
            ok = TakeInt(value, 0, &out->vanishAfterFrames);
        } else if (a == "--disconnect-after-frames") {
            ok = TakeInt(value, 0, &out->disconnectAfterFrames);
        } else {
            *error = QString("unknown option %1\n%2").arg(a, kUsage);
            return false;
        }
        if (!ok) {
            *error = QString("bad or missing value for %1\n%2").arg(a, kUsage);
            return false;
        }
        i += tookValue ? 1 : 0;
    }
    if (out->linkPath.isEmpty() == out->devicePath.isEmpty()) {
        *error = QString("give exactly one of --link and --device\n") + kUsage;
        return false;
    }
    return true;
}
