#pragma once

#include "FuzzInput.h"
#include "automation/VarType.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <string>
#include <vector>

namespace corvane::remoting {
class BusMessage;
}

namespace corvane::fuzz {

// One D-Bus value: its complete type, and how to write it into a message
// (a variant needs the type of what it holds before it is opened).
struct BusValue {
    std::string signature;
    std::function<void(remoting::BusMessage&)> write;
};

// D-Bus values drawn from a fuzzer's input, shaped like the wire form of
// Automation values more often than not: (qv) frames with type codes right
// or wrong, payloads of the code's D-Bus type or another, arrays of up to
// 65,535 elements with bounds at the end of the index range, frames nested
// in references and in arrays of Variants, and now and then a value of
// another shape altogether. Objects are named by the paths of `paths`.
class BusValueSource {
public:
    BusValueSource(FuzzInput& in, std::vector<std::string> paths) : in_(in), paths_(std::move(paths)) {}

    // What a client sends as the argument list of Invoke: mostly a(qv).
    BusValue argumentList();

private:
    BusValue frames(int depth);
    BusValue frame(int depth);
    std::uint16_t typeCode();
    BusValue payload(std::uint16_t vt, int depth);
    BusValue scalar(automation::VarType type);
    BusValue array(automation::VarType element, int depth);
    BusValue any(int depth);
    std::uint32_t elementCount();
    double number();
    std::string text();
    std::string path();

    FuzzInput& in_;
    std::vector<std::string> paths_;
    // Elements still to be had in long arrays, so that one input cannot ask
    // for more than the bus carries in a message.
    std::uint32_t longElements_ = 1u << 18;
};

}  // namespace corvane::fuzz
