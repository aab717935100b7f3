#pragma once

#include "automation/Variant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The dispatch rules as a client of either boundary meets them, one table of
// cases that the D-Bus and the COM boundary tests both play, so that the two
// cannot drift apart. Every case starts from a new session with one tag:
//   data = a new Data, tags = data.Tags, tag = tags.Add("TIC101.PV")
namespace corvane::test::conformance {

enum class Role { Data, Tags, Tag };

struct Call {
    Role on;
    const char16_t* member;  // found by name; null calls the default member (id 0)
    std::uint16_t flags;     // 1 method, 2 get, 4 put (the value sent as the named argument -3)
    std::vector<automation::Variant> args;
    // S_OK or a refusal's code; a member's error n as 0x800A0000 + n, which
    // arrives as DISP_E_EXCEPTION with that code in the exception.
    std::int32_t expected = 0;
    std::optional<automation::Variant> result = std::nullopt;
};

struct Case {
    std::string name;
    std::vector<Call> calls;
};

const std::vector<Case>& cases();

// What a boundary answered to one call.
struct Answer {
    std::int32_t hresult = 0;
    std::int32_t exceptionCode = 0;
    automation::Variant result;
};

// Empty when the answer is the one expected, otherwise what differs.
std::string mismatch(const Call& call, const Answer& answer);

}  // namespace corvane::test::conformance
