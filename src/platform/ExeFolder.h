#pragma once

#include <QString>

// Folder the console keeps its files in: the folder of the running program,
// ending in '/', when the program file is named `vyn8_rk47`; otherwise empty,
// so the files are looked for in the current directory.
QString ExeFolder();
// The same rule on a given program path (testable).
QString ExeFolderFromPath(const QString& exePath);
