#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>

namespace corvane::fuzz {

void fail(const char* what)
{
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

void fail(const char* what, std::u16string_view detail)
{
    std::fprintf(stderr, "fuzz finding: %s: \"", what);
    for (char16_t c : detail) {
        if (c >= 0x20 && c < 0x7F)
            std::fputc(static_cast<char>(c), stderr);
        else
            std::fprintf(stderr, "\\u%04X", static_cast<unsigned>(c));
    }
    std::fprintf(stderr, "\"\n");
    std::abort();
}

}  // namespace corvane::fuzz
