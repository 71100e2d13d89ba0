#pragma once

#include <QString>

// Command line of the simulated counter.
struct SimOptions {
    QString linkPath;                // --link PATH: a pty, PATH a symbolic link to it
    QString devicePath;              // --device PATH: a real serial port
    int baud = 9600;                 // --baud N (device only)
    bool silent = false;             // --silent: never answer ENQ
    int ackAfter = 1;                // --ack-after N: answer the Nth ENQ
    double seedsPerSecond = 400;     // --seeds-per-second N at feed speed 100
    bool fast = false;               // --fast: count as fast as the line allows
    int leftover = 250;              // --leftover N: seeds left for the dump
    QString scriptPath;              // --script FILE
    bool log = false;                // --log
    int vanishAfterFrames = -1;      // --vanish-after-frames N: close the line
    int disconnectAfterFrames = -1;  // --disconnect-after-frames N
};

// Parses argv; on a bad command line returns false with a message in `error`
// (the usage text for --help).
bool ParseSimOptions(int argc, char** argv, SimOptions* out, QString* error);
