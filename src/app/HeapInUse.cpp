#include "HeapInUse.h"

#include <malloc.h>

namespace corvane::app {

std::uint64_t heapInUse()
{
    const struct mallinfo2 info = ::mallinfo2();
    return std::uint64_t(info.uordblks) + std::uint64_t(info.hblkhd);
}

}  // namespace corvane::app
