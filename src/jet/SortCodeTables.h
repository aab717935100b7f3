#pragma once

#include <string_view>

namespace corvane::jet {

// The lines of sortorder/index_codes_genleg.txt (U+0000 to U+00FF) and
// sortorder/index_codes_ext_genleg.txt (U+0100 to U+FFFF without the
// surrogates), embedded by the build.
std::string_view basicSortCodeLines();
std::string_view extendedSortCodeLines();

}  // namespace corvane::jet
