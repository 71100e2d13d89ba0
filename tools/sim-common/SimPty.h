#pragma once

#include <QString>
#include <csignal>

#include "link/LineSettings.h"

// What the simulated instruments share: their end of a pseudo-terminal,
// reached by the console through a symbolic link, and a clean stop on
// SIGINT or SIGTERM.

// Set once SIGINT or SIGTERM has come (after CatchStopSignals).
extern volatile sig_atomic_t g_simStop;
void CatchStopSignals();

// Opens a pseudo-terminal: `master` non-blocking for the simulator, `slave`
// with `spec` (raw) and held open so the line lives between connections;
// `link` becomes a symbolic link to the slave (an old link there is
// replaced). `served` gets the slave's path. False with a reason.
bool OpenPtyLink(const QString& link, const line::LineSpec& spec, int* master, int* slave,
                 QString* served, QString* error);
