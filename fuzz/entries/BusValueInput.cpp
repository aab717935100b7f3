// The arguments of a client's Invoke as the server reads them: D-Bus values
// of any shape (the a(qv) list and its (qv) frames mostly right, sometimes
// wrong in type code, payload type, nesting or size) carried through a real
// peer-to-peer connection, then decoded. Decoding either gives values or
// throws WireFormatError; what it gives goes back on the wire unchanged.
#include "Entries.h"

#include "FuzzInput.h"
#include "WireLoopback.h"
#include "automation/SafeArray.h"
#include "remoting/common/BusContract.h"
#include "remoting/common/ObjectPathMap.h"
#include "qtwire/ValueDecoder.h"
#include "qtwire/ValueEncoder.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireFormatError.h"
#include "qtwire/WireValueFrame.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>

#include <cmath>
#include <cstring>
#include <deque>
#include <memory>

namespace corvane::fuzz {
namespace {

using automation::Object;
using automation::Ref;
using automation::Variant;
using automation::VarType;

constexpr int kMaxDepth = 4;
constexpr std::uint32_t kMaxElements = 8;

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
    QString pathOf(Object& object) override { return &object == dispatch_.get() ? kDispatchPath : kOtherPath; }
    Ref<Object> objectAt(const QString& path) override
    {
        if (path == kDispatchPath) return dispatch_;
        if (path == kOtherPath) return other_;
        return {};
    }

    static inline const QString kDispatchPath = QStringLiteral("/fake/1");
    static inline const QString kOtherPath = QStringLiteral("/fake/2");

private:
    Ref<Object> dispatch_{new PlainDispatch};
    Ref<Object> other_{new PlainObject};
};

// The connection and the process-wide Qt state it needs, made once.
struct Wire {
    Wire()
    {
        if (!QCoreApplication::instance()) application = std::make_unique<QCoreApplication>(argc, argv);
        remoting::registerWireTypes();
        loopback = std::make_unique<remoting::test::WireLoopback>();
        if (!loopback->ready()) fail("the peer-to-peer connection did not come up");
    }

    int argc = 1;
    char name[5] = "fuzz";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> application;
    std::unique_ptr<remoting::test::WireLoopback> loopback;
    FixedObjects objects;
};

Wire& wire()
{
    static Wire instance;
    return instance;
}

// Builds D-Bus values from the input, shaped like the wire format more
// often than not.
class BusValues {
public:
    explicit BusValues(FuzzInput& in) : in_(in) {}

    // What a client sends as the argument list of Invoke: mostly a(qv).
    QVariant argumentList()
    {
        if (in_.below(8) == 0) return any(0);
        return frames(0);
    }

private:
    QVariant frames(int depth)
    {
        QDBusArgument out;
        out.beginArray(QMetaType::fromType<remoting::WireValueFrame>());
        const std::uint32_t count = in_.below(kMaxElements + 1);
        for (std::uint32_t i = 0; i < count; ++i) out.appendVariant(frame(depth + 1));
        out.endArray();
        return QVariant::fromValue(out);
    }

    QVariant frame(int depth)
    {
        const quint16 vt = typeCode();
        QDBusArgument out;
        out.beginStructure();
        out << vt << QDBusVariant(in_.below(8) == 0 ? any(depth + 1) : payload(vt, depth + 1));
        out.endStructure();
        return QVariant::fromValue(out);
    }

    quint16 typeCode()
    {
        constexpr quint16 kCodes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17};
        switch (in_.below(8)) {
        case 0: return in_.raw<quint16>();
        case 1: return static_cast<quint16>(kCodes[in_.below(std::size(kCodes))] | automation::kArrayFlag);
        case 2: return static_cast<quint16>(kCodes[in_.below(std::size(kCodes))] | automation::kByRefFlag);
        default: return kCodes[in_.below(std::size(kCodes))];
        }
    }

    // The payload the wire format gives type code `vt` (as far as it is one).
    QVariant payload(quint16 vt, int depth)
    {
        const auto base = static_cast<VarType>(vt & automation::kTypeMask);
        if ((vt & automation::kByRefFlag) && base == VarType::Variant && depth < kMaxDepth) return frame(depth + 1);
        if ((vt & automation::kArrayFlag) && depth < kMaxDepth) return array(base, depth + 1);
        return scalar(base);
    }

    QVariant scalar(VarType type)
    {
        switch (type) {
        case VarType::I2: return QVariant::fromValue(in_.raw<qint16>());
        case VarType::I4: case VarType::Error: return QVariant::fromValue(in_.raw<qint32>());
        case VarType::R4: case VarType::R8: case VarType::Date: return QVariant::fromValue(number());
        case VarType::Currency: return QVariant::fromValue(in_.raw<qlonglong>());
        case VarType::Dispatch: case VarType::Unknown: return QVariant::fromValue(QDBusObjectPath(path()));
        case VarType::Bool: return QVariant::fromValue(in_.flag());
        case VarType::UI1: return QVariant::fromValue(in_.raw<uchar>());
        default: return QVariant::fromValue(text());
        }
    }

    QVariant array(VarType element, int depth)
    {
        QDBusArgument out;
        out.beginStructure();
        out << (in_.flag() ? qint32(in_.below(3)) : in_.raw<qint32>());
        const std::uint32_t count = in_.below(8) == 0 ? in_.below(1u << 16) : in_.below(kMaxElements + 1);
        const auto list = [&](auto next) {
            QList<decltype(next())> elements;
            for (std::uint32_t i = 0; i < count; ++i) elements.push_back(next());
            out << elements;
        };
        switch (element) {
        case VarType::I2: list([&] { return in_.raw<qint16>(); }); break;
        case VarType::I4: case VarType::Error: list([&] { return in_.raw<qint32>(); }); break;
        case VarType::R4: case VarType::R8: case VarType::Date: list([&] { return number(); }); break;
        case VarType::Currency: list([&] { return in_.raw<qlonglong>(); }); break;
        case VarType::Bool: list([&] { return in_.flag(); }); break;
        case VarType::UI1: {
            QByteArray bytes;
            for (std::uint32_t i = 0; i < count; ++i) bytes.append(static_cast<char>(in_.byte()));
            out << bytes;
            break;
        }
        case VarType::Dispatch: case VarType::Unknown: list([&] { return QDBusObjectPath(path()); }); break;
        case VarType::Variant: {
            out.beginArray(QMetaType::fromType<remoting::WireValueFrame>());
            for (std::uint32_t i = 0; i < count && i < kMaxElements; ++i) out.appendVariant(frame(depth + 1));
            out.endArray();
            break;
        }
        default: list([&] { return text(); }); break;
        }
        out.endStructure();
        return QVariant::fromValue(out);
    }

    // A D-Bus value of another shape altogether.
    QVariant any(int depth)
    {
        switch (in_.below(depth < kMaxDepth ? 12 : 8)) {
        case 0: return QVariant::fromValue(in_.raw<uchar>());
        case 1: return QVariant::fromValue(in_.flag());
        case 2: return QVariant::fromValue(in_.raw<quint16>());
        case 3: return QVariant::fromValue(in_.raw<quint32>());
        case 4: return QVariant::fromValue(in_.raw<qulonglong>());
        case 5: return QVariant::fromValue(number());
        case 6: return QVariant::fromValue(text());
        case 7: return QVariant::fromValue(QDBusSignature(QStringLiteral("a(qv)")));
        case 8: return QVariant::fromValue(QDBusVariant(any(depth + 1)));
        case 9: return frame(depth + 1);
        case 10: return frames(depth + 1);
        default: {
            QDBusArgument out;
            out.beginStructure();
            const std::uint32_t fields = 1 + in_.below(3);
            for (std::uint32_t i = 0; i < fields; ++i) out.appendVariant(any(depth + 1));
            out.endStructure();
            return QVariant::fromValue(out);
        }
        }
    }

    double number()
    {
        constexpr double kNumbers[] = {0, -0.0, 1.5, 3.4028234663852886e38, 3.5e38, -3.5e38, 1e308, 2958466, -657435,
                                       INFINITY, -INFINITY, NAN};
        return in_.flag() ? kNumbers[in_.below(std::size(kNumbers))] : in_.raw<double>();
    }

    QString text()
    {
        QString out;
        for (char16_t c : in_.text(16)) {
            if (c == 0 || QChar::isSurrogate(c)) continue;  // D-Bus text is valid UTF-8 without NUL
            out += QChar(c);
        }
        return out;
    }

    QString path()
    {
        static const QString kPaths[] = {QString::fromLatin1(remoting::contract::kNothingPath), FixedObjects::kDispatchPath,
                                         FixedObjects::kOtherPath, QString::fromLatin1(remoting::contract::kRootPath),
                                         QStringLiteral("/fake/1/2")};
        return kPaths[in_.below(std::size(kPaths))];
    }

    FuzzInput& in_;
};

// Equal values as the wire can carry them: NaN equal to NaN (no payload
// bits travel), a text equal to itself without a leading byte order mark.
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
    // Qt's reading of UTF-8 takes a leading U+FEFF for a byte order mark and drops it.
    if (a.isString() && !a.string().empty() && a.string().front() == u'\uFEFF')
        return a.string().substr(1) == b.string() || a == b;
    return a == b;
}

// The type codes of a value that changed and of what came back, and where.
std::u16string describe(const Variant& sent, const Variant& back)
{
    std::u16string out = u"sent " + QString::number(sent.vt(), 16).toStdU16String() + u", back " +
                         QString::number(back.vt(), 16).toStdU16String();
    const Variant& a = sent.dereferenced();
    const Variant& b = back.dereferenced();
    if (a.isArray() && b.isArray()) {
        out += u", bounds " + QString::number(a.array()->lowerBound()).toStdU16String() + u"/" +
               QString::number(b.array()->lowerBound()).toStdU16String() + u", sizes " +
               QString::number(a.array()->size()).toStdU16String() + u"/" + QString::number(b.array()->size()).toStdU16String();
        for (std::size_t i = 0; i < a.array()->size() && i < b.array()->size(); ++i)
            if (!same(a.array()->at(i), b.array()->at(i))) return out + u", element " + QString::number(i).toStdU16String() + u": " + describe(a.array()->at(i), b.array()->at(i));
    }
    if (a.isString() && b.isString()) {
        out += u", text";
        for (char16_t c : a.string()) out += u" " + QString::number(c, 16).toStdU16String();
        out += u" / ";
        for (char16_t c : b.string()) out += u" " + QString::number(c, 16).toStdU16String();
    }
    return out;
}

std::vector<Variant> decodeArrived(const QDBusMessage& arrived, std::deque<Variant>& targets)
{
    const QVariant argument = arrived.arguments().value(0);
    // The server reads the list only from a message whose signature says a(qv);
    // any other argument is refused before it is read.
    if (argument.metaType() != QMetaType::fromType<QDBusArgument>()) return {};
    remoting::ValueDecoder decoder(wire().objects, targets);
    return decoder.decodeList(argument.value<QDBusArgument>());
}

}  // namespace

void runBusValueInput(std::span<const std::uint8_t> bytes)
{
    Wire& w = wire();
    FuzzInput in(bytes);
    const QDBusMessage arrived = w.loopback->carry({BusValues(in).argumentList()});
    if (arrived.type() != QDBusMessage::MethodCallMessage) return;  // Qt refused to build it

    std::deque<Variant> targets;
    std::vector<Variant> values;
    try {
        values = decodeArrived(arrived, targets);
    } catch (const remoting::WireFormatError&) {
        return;
    }

    // Whatever was read goes back out, and reads in again, unchanged.
    remoting::WireBudget budget;
    QVariant encoded;
    try {
        encoded = remoting::ValueEncoder(w.objects, budget).encodedList(values);
    } catch (const remoting::WireLimitError&) {
        return;
    } catch (const remoting::WireFormatError&) {
        fail("a decoded value cannot be encoded again");
    }
    std::deque<Variant> againTargets;
    std::vector<Variant> again;
    try {
        again = decodeArrived(w.loopback->carry({encoded}), againTargets);
    } catch (const remoting::WireFormatError&) {
        fail("an encoded value does not decode");
    }
    if (again.size() != values.size()) fail("a list of values changed its length on the way back");
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!same(values[i], again[i])) fail("a value changed on its way back over the wire", describe(values[i], again[i]));
}

}  // namespace corvane::fuzz
