#pragma once

#include <cstddef>

// Writes all `size` bytes to the descriptor, going on after partial writes
// and interrupted calls; false when the descriptor takes no more.
bool fltWriteAll(int fd, const void* data, std::size_t size);
