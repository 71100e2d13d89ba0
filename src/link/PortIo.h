#pragma once

#include <cstddef>

// Writes all `n` bytes to a port opened non-blocking, waiting while the
// driver's buffer is full. Gives up when no byte is taken for `stallMs`.
// Returns false on failure; `written` gets the bytes taken either way.
bool WriteAll(int fd, const char* data, size_t n, size_t* written = nullptr, int stallMs = 2000);
