#pragma once

#include "automation/Object.h"
#include "automation/VarType.h"
#include "automation/Variant.h"

#include <QDBusArgument>
#include <QVariant>

#include <deque>
#include <vector>

namespace corvane::remoting {

class ObjectPathMap;

// Reads Automation values from their wire form (see ValueEncoder) and trusts
// nothing: every D-Bus type is checked before it is read, and wrong
// signatures, unknown type codes, references inside references or arrays,
// nested arrays, bounds past the end of the index range and paths that name
// no object all throw WireFormatError.
class ValueDecoder {
public:
    // The values that decoded references point at go to `referenceTargets`,
    // which must outlive the references (a deque keeps its elements in place).
    ValueDecoder(ObjectPathMap& objects, std::deque<automation::Variant>& referenceTargets)
        : objects_(objects), targets_(referenceTargets)
    {
    }

    // Reads one (qv).
    automation::Variant decode(const QDBusArgument& in);
    // Reads an a(qv).
    std::vector<automation::Variant> decodeList(const QDBusArgument& in);

private:
    enum class Place { Argument, ReferenceTarget, ArrayElement };

    automation::Variant frame(const QDBusArgument& in, Place place);
    automation::Variant value(quint16 vt, const QVariant& payload, Place place);
    automation::Variant reference(quint16 vt, const QVariant& payload);
    automation::Variant scalar(automation::VarType type, const QVariant& payload);
    automation::Variant array(automation::VarType element, const QVariant& payload);
    automation::Ref<automation::Object> object(const QString& path, automation::VarType type);

    ObjectPathMap& objects_;
    std::deque<automation::Variant>& targets_;
};

}  // namespace corvane::remoting
