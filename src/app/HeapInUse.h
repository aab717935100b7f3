#pragma once

#include <cstdint>

namespace corvane::app {

// Bytes of this process's heap that are allocated and not yet freed, in every
// arena and in blocks of their own (glibc's allocator). Unlike the resident
// size it falls back when memory is freed, whether or not the allocator
// returns the pages to the system.
std::uint64_t heapInUse();

}  // namespace corvane::app
