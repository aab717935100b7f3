#include "Dispatcher.h"

#include "AutomationError.h"
#include "CaseFold.h"
#include "Convert.h"
#include "HResult.h"

#include <new>
#include <optional>

namespace corvane::automation::dispatch {
namespace {

// A refusal of the call before the member runs.
struct Refusal {
    std::int32_t hresult;
    std::uint32_t argErr = 0;
};

const MemberDescription* memberOfKind(const InterfaceDescription& interface, DispId id, MemberKind kind)
{
    for (const MemberDescription& m : interface.members)
        if (m.id == id && m.kind == kind) return &m;
    return nullptr;
}

// Where each parameter's argument is in `args`, or empty for a left-out optional one.
std::vector<std::optional<std::size_t>> placeArguments(const MemberDescription& member, std::size_t argCount,
                                                       std::span<const DispId> namedIds)
{
    const std::size_t paramCount = member.params.size();
    std::vector<std::optional<std::size_t>> slots(paramCount);
    if (namedIds.size() > argCount) throw Refusal{hresult::kBadParamCount};
    const std::size_t positional = argCount - namedIds.size();

    const bool isPut = member.kind == MemberKind::PropertyPut || member.kind == MemberKind::PropertyPutRef;
    if (isPut) {
        // The value travels as the named argument -3, or as the one positional argument.
        if (argCount != 1) throw Refusal{hresult::kBadParamCount};
        if (!namedIds.empty() && namedIds[0] != kDispIdPropertyPut) throw Refusal{hresult::kParamNotFound, 0};
        slots[0] = 0;
        return slots;
    }

    if (positional > paramCount) throw Refusal{hresult::kBadParamCount};
    for (std::size_t i = 0; i < positional; ++i) slots[i] = i;
    for (std::size_t n = 0; n < namedIds.size(); ++n) {
        const DispId id = namedIds[n];
        const std::uint32_t argIndex = static_cast<std::uint32_t>(positional + n);
        if (id < 0 || static_cast<std::size_t>(id) >= paramCount || slots[static_cast<std::size_t>(id)])
            throw Refusal{hresult::kParamNotFound, argIndex};
        slots[static_cast<std::size_t>(id)] = argIndex;
    }
    // A required parameter left out is too few arguments, whether the others
    // came by position or by name.
    for (std::size_t i = 0; i < paramCount; ++i) {
        if (!slots[i] && !member.params[i].optional) throw Refusal{hresult::kBadParamCount};
    }
    return slots;
}

// Whether `value` is an object reference acceptable where `type` (an object type) is declared.
bool fitsObjectType(const Variant& value, const TypeRef& type)
{
    if (!value.isObject() || value.isArray()) return false;
    const Ref<Object>& object = value.object();
    if (!object) return true;  // Nothing fits every object parameter
    DispatchObject* target = object->asDispatch();
    return target && target->dispatchBinding().description.name == type.interfaceName;
}

// The argument converted to the parameter's declared type (by value).
Variant convertTo(const Variant& value, const TypeRef& type, const RegionalSettings& regional, std::uint32_t argIndex)
{
    if (type.type == VarType::Variant) return value;
    if (type.type == VarType::Dispatch) {
        if (!fitsObjectType(value, type)) throw Refusal{hresult::kTypeMismatch, argIndex};
        return Variant::dispatch(value.object());
    }
    try {
        return changeType(value, type.type, regional);
    } catch (const AutomationError& e) {
        throw Refusal{e.number() == error::kOverflow ? hresult::kOverflow : hresult::kTypeMismatch, argIndex};
    }
}

// The result of a member in the form its description promises.
Variant shapeResult(const MemberDescription& member, Variant result)
{
    switch (member.result.type) {
    case VarType::Empty: return {};
    case VarType::Unknown: return result.isObject() ? Variant::unknown(result.object()) : result;
    default: return result;
    }
}

}  // namespace

const MemberDescription* findMember(const InterfaceDescription& interface, DispId id, std::uint16_t flags)
{
    if (flags & kInvokeMethod)
        if (const MemberDescription* m = memberOfKind(interface, id, MemberKind::Method)) return m;
    if (flags & kInvokePropertyGet)
        if (const MemberDescription* m = memberOfKind(interface, id, MemberKind::PropertyGet)) return m;
    if (flags & kInvokePropertyPut)
        if (const MemberDescription* m = memberOfKind(interface, id, MemberKind::PropertyPut)) return m;
    if (flags & kInvokePropertyPutRef)
        if (const MemberDescription* m = memberOfKind(interface, id, MemberKind::PropertyPutRef)) return m;
    return nullptr;
}

std::int32_t getIDsOfNames(const InterfaceDescription& interface, std::span<const std::u16string> names,
                           std::vector<DispId>& ids)
{
    ids.assign(names.size(), kDispIdUnknown);
    if (names.empty()) return hresult::kOk;
    const MemberDescription* named = nullptr;
    for (const MemberDescription& m : interface.members) {
        if (!equalIgnoringCase(m.name, names[0])) continue;
        if (!named) named = &m;
        // Parameter names come from whichever form of the member names them.
        for (std::size_t k = 1; k < names.size(); ++k)
            for (std::size_t p = 0; p < m.params.size(); ++p)
                if (!m.params[p].name.empty() && equalIgnoringCase(m.params[p].name, names[k]))
                    ids[k] = static_cast<DispId>(p);
    }
    if (named) ids[0] = named->id;
    for (DispId id : ids)
        if (id == kDispIdUnknown) return hresult::kUnknownName;
    return hresult::kOk;
}

InvokeOutcome invoke(DispatchObject& target, DispId id, std::uint16_t flags, std::span<Variant> args,
                     std::span<const DispId> namedIds, const RegionalSettings& regional)
{
    const InterfaceBinding& binding = target.dispatchBinding();
    const InterfaceDescription& interface = binding.description;
    InvokeOutcome outcome;

    const MemberDescription* member = findMember(interface, id, flags);
    if (!member) {
        outcome.hresult = hresult::kMemberNotFound;
        return outcome;
    }

    // Converted values live here; by-reference parameters of the exact type
    // point at the caller's own Variants instead.
    std::vector<Variant> values(member->params.size());
    std::vector<Variant*> params(member->params.size());
    try {
        const auto slots = placeArguments(*member, args.size(), namedIds);
        for (std::size_t p = 0; p < params.size(); ++p) {
            const ParamDescription& param = member->params[p];
            params[p] = &values[p];
            if (!slots[p]) {
                values[p] = Variant::missing();
                continue;
            }
            Variant& arg = args[*slots[p]];
            const auto argIndex = static_cast<std::uint32_t>(*slots[p]);
            if (arg.isByRef()) {
                if (!param.byRef) {
                    values[p] = convertTo(arg.dereferenced(), param.type, regional, argIndex);
                    continue;
                }
                // A reference must be to exactly the declared type.
                if ((arg.vt() & ~kByRefFlag) != code(param.type.type)) throw Refusal{hresult::kTypeMismatch, argIndex};
                if (param.type.type == VarType::Dispatch && !fitsObjectType(arg.target(), param.type))
                    throw Refusal{hresult::kTypeMismatch, argIndex};
                params[p] = &arg.target();
                continue;
            }
            values[p] = convertTo(arg, param.type, regional, argIndex);
        }
    } catch (const Refusal& refusal) {
        outcome.hresult = refusal.hresult;
        outcome.argErr = refusal.argErr;
        return outcome;
    }

    const MemberHandler handler = binding.handlers[static_cast<std::size_t>(member - interface.members.data())];
    try {
        outcome.result = shapeResult(*member, handler(target, params));
    } catch (const AutomationError& e) {
        outcome.hresult = hresult::kException;
        outcome.exception = {e.hresult(), e.source(), e.description()};
    } catch (const std::bad_alloc&) {
        const AutomationError e = AutomationError::fromNumber(error::kOutOfMemory);
        outcome.hresult = hresult::kException;
        outcome.exception = {e.hresult(), e.source(), e.description()};
    } catch (const std::exception&) {
        // Nothing in the object model throws anything else; should it ever,
        // the client hears of a failure rather than the server going down.
        outcome.hresult = hresult::kException;
        outcome.exception = {hresult::kFail, kErrorSource, u"Unexpected failure"};
    }
    return outcome;
}

}  // namespace corvane::automation::dispatch
