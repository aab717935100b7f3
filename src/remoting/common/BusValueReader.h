#pragma once

#include "automation/Object.h"
#include "automation/VarType.h"
#include "automation/Variant.h"

#include <deque>
#include <string>
#include <vector>

namespace corvane::remoting {

class BusMessage;
class ObjectPathMap;

// Reads Automation values from a message in their wire form (see
// BusValueWriter) and trusts nothing: every D-Bus type is checked before it
// is read, and wrong signatures, unknown type codes, references inside
// references or arrays, nested arrays, bounds past the end of the index range
// and paths that name no object all throw WireFormatError. Numeric arrays
// come out of the message whole, in one copy.
class BusValueReader {
public:
    // The values that decoded references point at go to `referenceTargets`,
    // which must outlive the references (a deque keeps its elements in place).
    BusValueReader(ObjectPathMap& objects, std::deque<automation::Variant>& referenceTargets)
        : objects_(objects), targets_(referenceTargets)
    {
    }

    // Reads one (qv).
    automation::Variant read(BusMessage& in);
    // Reads an a(qv).
    std::vector<automation::Variant> readList(BusMessage& in);

private:
    enum class Place { Argument, ReferenceTarget, ArrayElement };

    automation::Variant frame(BusMessage& in, Place place);
    automation::Variant value(BusMessage& in, std::uint16_t vt, const std::string& payload, Place place);
    automation::Variant reference(BusMessage& in, std::uint16_t vt, const std::string& payload);
    automation::Variant scalar(BusMessage& in, automation::VarType type, const std::string& payload);
    automation::Variant array(BusMessage& in, automation::VarType element, const std::string& payload);
    automation::Ref<automation::Object> object(std::string_view path, automation::VarType type);

    ObjectPathMap& objects_;
    std::deque<automation::Variant>& targets_;
};

}  // namespace corvane::remoting
