#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace corvane::testing {

std::string utf8(std::u16string_view text);
std::u16string utf16(std::string_view text);

}  // namespace corvane::testing

namespace corvane::automation {
class Variant;
// Readable Variants in test failure messages.
void PrintTo(const Variant& value, std::ostream* os);
}  // namespace corvane::automation
