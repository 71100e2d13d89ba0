#pragma once

// From now on SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in the
// terminal) close the program's windows as their close boxes would, once
// the event loop runs, so the shut-down still writes the inventory and the
// unsaved records. Call once, on the UI thread, after the QApplication.
void CloseOnSignal();
// True once such a signal came (also when it came before the main window
// was shown, which closeAllWindows() does not reach).
bool CloseRequested();
