#pragma once

#include <QString>
#include <cstddef>

// Writes all `n` bytes to a port opened non-blocking, waiting while the
// driver's buffer is full. Gives up when no byte is taken for `stallMs`.
// Returns false on failure; `written` gets the bytes taken either way.
bool WriteAll(int fd, const char* data, size_t n, size_t* written = nullptr, int stallMs = 2000);

// Opens a port for this program alone, non-blocking: the exclusive flag keeps
// other openers out, the advisory lock keeps out programs that would pass
// it. -1 on failure, with errno saying why.
int OpenExclusive(const QString& path);
// Gives the exclusive use back and closes the port.
void CloseExclusive(int fd);
