// The arguments of a client's Invoke as the server reads them: D-Bus values
// of any shape (the a(qv) list and its (qv) frames mostly right, sometimes
// wrong in type code, payload type, nesting or size) written with sd-bus,
// carried over a real peer-to-peer connection, now and then with bytes of
// the body changed on the way, and read by the server's codec. Reading
// either gives values or throws WireFormatError; what it gives is written
// again, carried and read back unchanged. A body nobody changed is written
// again byte for byte, so that a reading that loses something shows too.
#include "Entries.h"

#include "BusPeerRelay.h"
#include "BusValueSource.h"
#include "FuzzInput.h"
#include "automation/SafeArray.h"
#include "remoting/common/BusContract.h"
#include "remoting/common/BusValueReader.h"
#include "remoting/common/BusValueWriter.h"
#include "remoting/common/ObjectPathMap.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireFormatError.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <optional>
#include <string>

namespace corvane::fuzz {
namespace {

using automation::Object;
using automation::Ref;
using automation::Variant;
using automation::VarType;
using remoting::BusMessage;

class PlainDispatch final : public automation::DispatchObject {
public:
    const automation::InterfaceBinding& dispatchBinding() const override
    {
        static const automation::InterfaceDescription description{u"_Plain", {u""}, {}};
        static const automation::InterfaceBinding binding{description, {}};
        return binding;
    }
};

class PlainObject final : public Object {};

// Two objects at fixed paths: one with a dispatch interface, one without.
class FixedObjects final : public remoting::ObjectPathMap {
public:
    QString pathOf(Object& object) override
    {
        return QString::fromLatin1(&object == dispatch_.get() ? kDispatchPath : kOtherPath);
    }
    Ref<Object> objectAt(const QString& path) override
    {
        if (path == QLatin1StringView(kDispatchPath)) return dispatch_;
        if (path == QLatin1StringView(kOtherPath)) return other_;
        return {};
    }

    static constexpr char kDispatchPath[] = "/fake/1";
    static constexpr char kOtherPath[] = "/fake/2";

private:
    Ref<Object> dispatch_{new PlainDispatch};
    Ref<Object> other_{new PlainObject};
};

// The connection, made once and made again when the server's sd-bus gave
// it up.
struct Wire {
    BusPeerRelay& relay()
    {
        if (!relay_ || !relay_->ready()) {
            relay_ = std::make_unique<BusPeerRelay>();
            if (!relay_->ready()) fail("the peer-to-peer connection did not come up");
        }
        return *relay_;
    }

    std::unique_ptr<BusPeerRelay> relay_;
    FixedObjects objects;
};

Wire& wire()
{
    static Wire instance;
    return instance;
}

// Invoke's arguments as the server reads them.
struct InvokeArguments {
    std::int32_t id = 0;
    std::uint16_t flags = 0;
    std::deque<Variant> targets;  // before the values that refer into it
    std::vector<Variant> values;
    std::vector<std::int32_t> namedIds;
};

// Reads as DispatchCalls::invoke does; false where the server refuses the call.
bool readInvoke(BusMessage& in, InvokeArguments& out)
{
    if (in.signature() != remoting::contract::kInvokeSignature) return false;
    try {
        out.id = in.readInt32();
        out.flags = in.readUInt16();
        out.values = remoting::BusValueReader(wire().objects, out.targets).readList(in);
        const auto ids = in.readFixedArray<std::int32_t>('i');
        out.namedIds.assign(ids.begin(), ids.end());
    } catch (const remoting::WireFormatError&) {
        return false;
    }
    return out.namedIds.size() <= out.values.size();
}

// Changes to the body in transit, drawn before the values are.
class BodyEdits {
public:
    explicit BodyEdits(FuzzInput& in)
    {
        if (in.below(4) != 0) return;
        edits_.resize(1 + in.below(4));
        for (Edit& edit : edits_) edit = {in.byte(), in.raw<std::uint32_t>(), in.raw<std::uint32_t>()};
    }

    bool any() const { return !edits_.empty(); }

    void operator()(std::vector<std::uint8_t>& body) const
    {
        // Words the reader makes decisions on: lengths, Booleans, bounds.
        constexpr std::uint32_t kWords[] = {0, 1, 2, 3, 4, 7, 8, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x4000000, 0x4000001};
        constexpr char kTypeCodes[] = "ybnqiuxtdsogvah(){}";
        for (const Edit& edit : edits_) {
            if (body.empty()) return;
            const std::size_t at = edit.offset % body.size();
            switch (edit.kind % 4) {
            case 0: body[at] ^= std::uint8_t(edit.value | 1); break;
            case 1: {
                const std::size_t word = at & ~std::size_t{3};
                const std::uint32_t value = edit.value % 2 ? kWords[(edit.value >> 1) % std::size(kWords)] : edit.value;
                for (std::size_t i = 0; i < 4 && word + i < body.size(); ++i) body[word + i] = std::uint8_t(value >> (8 * i));
                break;
            }
            case 2: body.resize(at); break;
            default: body[at] = std::uint8_t(kTypeCodes[edit.value % (sizeof kTypeCodes - 1)]); break;
            }
        }
    }

private:
    struct Edit {
        std::uint8_t kind;
        std::uint32_t offset;
        std::uint32_t value;
    };
    std::vector<Edit> edits_;
};

// Equal values as the wire can carry them: NaN equal to NaN (its payload
// bits are no part of the value).
bool same(const Variant& a, const Variant& b);

bool sameArrays(const automation::SafeArray& a, const automation::SafeArray& b)
{
    if (a.elementType() != b.elementType() || a.lowerBound() != b.lowerBound() || a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!same(a.at(i), b.at(i))) return false;
    return true;
}

bool same(const Variant& a, const Variant& b)
{
    if (a.vt() != b.vt()) return false;
    if (a.isByRef()) return same(a.target(), b.target());
    if (a.isArray()) return sameArrays(*a.array(), *b.array());
    if (a.type() == VarType::R4) return a.r4() == b.r4() || (std::isnan(a.r4()) && std::isnan(b.r4()));
    if (a.type() == VarType::R8 || a.type() == VarType::Date)
        return a.r8() == b.r8() || (std::isnan(a.r8()) && std::isnan(b.r8()));
    return a == b;
}

// Singles travel as doubles and are narrowed on arrival: the one value whose
// wire form need not come back byte for byte.
bool holdsSingle(const Variant& value)
{
    if (value.isByRef()) return holdsSingle(value.target());
    if (value.isArray()) {
        const automation::SafeArray& array = *value.array();
        if (array.elementType() == VarType::R4) return true;
        for (std::size_t i = 0; array.elementType() == VarType::Variant && i < array.size(); ++i)
            if (holdsSingle(array.at(i))) return true;
        return false;
    }
    return value.type() == VarType::R4;
}

std::u16string number(long long n, int base = 10) { return QString::number(n, base).toStdU16String(); }

// The type codes of a value that changed and of what came back, and where.
std::u16string describe(const Variant& sent, const Variant& back)
{
    std::u16string out = u"sent " + number(sent.vt(), 16) + u", back " + number(back.vt(), 16);
    const Variant& a = sent.dereferenced();
    const Variant& b = back.dereferenced();
    if (a.isArray() && b.isArray()) {
        out += u", bounds " + number(a.array()->lowerBound()) + u"/" + number(b.array()->lowerBound()) + u", sizes " +
               number((long long)a.array()->size()) + u"/" + number((long long)b.array()->size());
        for (std::size_t i = 0; i < a.array()->size() && i < b.array()->size(); ++i)
            if (!same(a.array()->at(i), b.array()->at(i)))
                return out + u", element " + number((long long)i) + u": " + describe(a.array()->at(i), b.array()->at(i));
    }
    if (a.isString() && b.isString()) {
        out += u", text";
        for (char16_t c : a.string()) out += u" " + number(c, 16);
        out += u" / ";
        for (char16_t c : b.string()) out += u" " + number(c, 16);
    }
    return out;
}

BusMessage newInvoke(BusPeerRelay& relay)
{
    return relay.newCall(FixedObjects::kDispatchPath, remoting::contract::kDispatchInterface, "Invoke");
}

}  // namespace

void runBusValueInput(std::span<const std::uint8_t> bytes)
{
    Wire& w = wire();
    BusPeerRelay& relay = w.relay();
    FuzzInput in(bytes);
    const BodyEdits edits(in);

    BusMessage call = newInvoke(relay);
    try {
        call.appendInt32(in.raw<std::int32_t>());
        call.appendUInt16(in.raw<std::uint16_t>());
        BusValueSource(in, {remoting::contract::kNothingPath, FixedObjects::kDispatchPath, FixedObjects::kOtherPath,
                            remoting::contract::kRootPath, "/fake/1/2"})
            .argumentList()
            .write(call);
        std::vector<std::int32_t> named(in.below(4));
        for (std::int32_t& id : named) id = in.flag() ? -3 : in.raw<std::int32_t>();
        call.appendFixedArray('i', named.data(), named.size() * sizeof(std::int32_t));
    } catch (const remoting::WireFormatError&) {
        return;  // sd-bus would not write it
    }
    BusMessage arrived = edits.any() ? relay.carry(std::move(call), std::cref(edits)) : relay.carry(std::move(call));
    if (!arrived) return;  // refused on arrival

    InvokeArguments sent;
    if (!readInvoke(arrived, sent)) return;
    const std::vector<std::uint8_t> sentBody = relay.lastBody();

    // Whatever was read goes back out, and reads in again, unchanged.
    remoting::WireBudget budget;
    BusMessage again = newInvoke(relay);
    try {
        again.appendInt32(sent.id);
        again.appendUInt16(sent.flags);
        remoting::BusValueWriter(w.objects, budget).writeList(again, sent.values);
        again.appendFixedArray('i', sent.namedIds.data(), sent.namedIds.size() * sizeof(std::int32_t));
    } catch (const remoting::WireLimitError&) {
        return;
    } catch (const remoting::WireFormatError&) {
        fail("a decoded value cannot be encoded again");
    }
    BusMessage back = relay.carry(std::move(again));
    if (!back) fail("an encoded message did not arrive");
    InvokeArguments returned;
    if (!readInvoke(back, returned)) fail("an encoded value does not decode");
    if (returned.id != sent.id || returned.flags != sent.flags || returned.namedIds != sent.namedIds)
        fail("the identifier, the flags or the named identifiers changed on the way back");
    if (returned.values.size() != sent.values.size()) fail("a list of values changed its length on the way back");
    for (std::size_t i = 0; i < sent.values.size(); ++i)
        if (!same(sent.values[i], returned.values[i]))
            fail("a value changed on its way back over the wire", describe(sent.values[i], returned.values[i]));
    if (!edits.any() && std::none_of(sent.values.begin(), sent.values.end(), holdsSingle) && relay.lastBody() != sentBody) {
        const auto [at, _] = std::mismatch(sentBody.begin(), sentBody.end(), relay.lastBody().begin(), relay.lastBody().end());
        fail("what was read and written again differs from what was sent", u"from byte " + number(at - sentBody.begin()));
    }
}

}  // namespace corvane::fuzz
