#include "BusValueWriter.h"

#include "BusContract.h"
#include "BusMessage.h"
#include "ObjectPathMap.h"
#include "WireBudget.h"
#include "WireFormatError.h"
#include "WireText.h"
#include "WireTypes.h"

#include <algorithm>

namespace corvane::remoting {

using automation::Object;
using automation::Ref;
using automation::SafeArray;
using automation::Variant;
using automation::VarType;

namespace {

// D-Bus text is UTF-8 without NUL; anything else would arrive cut short or
// altered. Noncharacters (U+FDD0 to U+FDEF, and the last two code points of
// every plane) are refused too, since the bus library refuses them both ways.
bool nonCharacter(char32_t c) { return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE; }

bool transportable(const std::u16string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\0') return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
            const char32_t full = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            if (nonCharacter(full)) return false;
            ++i;
        } else if ((c >= 0xDC00 && c <= 0xDFFF) || nonCharacter(c)) {
            return false;
        }
    }
    return true;
}

QByteArray signature(VarType type) { return QByteArray(wire::signatureOf(type).data(), wire::signatureOf(type).size()); }

template <class Element>
void writeWhole(BusMessage& out, char type, const SafeArray& array)
{
    const auto& elements = array.elements<Element>();
    out.appendFixedArray(type, elements.data(), elements.size() * sizeof(Element));
}

// Arrays whose elements travel wider than they are kept, converted straight into the message.
template <class Wire, class Element, class Convert>
void writeConverted(BusMessage& out, char type, const SafeArray& array, Convert convert)
{
    const auto& elements = array.elements<Element>();
    auto* into = static_cast<Wire*>(out.appendFixedArraySpace(type, elements.size() * sizeof(Wire)));
    std::transform(elements.begin(), elements.end(), into, convert);
}

}  // namespace

QByteArray BusValueWriter::utf8(const std::u16string& text)
{
    if (!transportable(text))
        throw WireFormatError(
            QStringLiteral("a text holds a NUL, an unpaired surrogate or a noncharacter, which the bus cannot carry"));
    return toQString(text).toUtf8();
}

void BusValueWriter::write(BusMessage& out, const Variant& value)
{
    budget_.spend(WireBudget::kValueFrameBytes);
    out.open('r', "qv");
    out.appendUInt16(value.vt());
    payload(out, value);
    out.close();
}

void BusValueWriter::writeList(BusMessage& out, std::span<const Variant> values)
{
    out.open('a', "(qv)");
    for (const Variant& value : values) write(out, value);
    out.close();
}

void BusValueWriter::payload(BusMessage& out, const Variant& value)
{
    const Variant* shown = &value;
    if (value.isByRef()) {
        const Variant& target = value.target();
        if (value.vt() == (automation::kByRefFlag | automation::code(VarType::Variant))) {
            out.open('v', "(qv)");
            write(out, target);
            out.close();
            return;
        }
        // A typed reference carries exactly its own type.
        if (target.vt() != (value.vt() & ~automation::kByRefFlag))
            throw WireFormatError(QStringLiteral("a reference of type 0x%1 refers to a value of type 0x%2")
                                      .arg(value.vt(), 0, 16).arg(target.vt(), 0, 16));
        shown = &target;
    }
    if (shown->isArray()) {
        const SafeArray& elements = *shown->array();
        out.open('v', ("(ia" + signature(elements.elementType()) + ')').constData());
        array(out, elements);
    } else {
        out.open('v', signature(shown->type()).constData());
        scalar(out, *shown);
    }
    out.close();
}

void BusValueWriter::scalar(BusMessage& out, const Variant& value)
{
    switch (value.type()) {
    case VarType::Empty: case VarType::Null: return out.appendText("");
    case VarType::I2: return out.appendInt16(value.i2());
    case VarType::I4: return out.appendInt32(value.i4());
    case VarType::Error: return out.appendInt32(value.error());
    case VarType::R4: return out.appendDouble(value.r4());
    case VarType::R8: return out.appendDouble(value.r8());
    case VarType::Date: return out.appendDouble(value.date());
    case VarType::Currency: return out.appendInt64(value.currency());
    case VarType::Bool: return out.appendBool(value.boolean());
    case VarType::UI1: return out.appendByte(value.ui1());
    case VarType::String:
        budget_.spend(WireBudget::textBytes(value.string().size()));
        return out.appendText(utf8(value.string()).constData());
    case VarType::Dispatch: case VarType::Unknown: {
        const QByteArray where = path(value.object());
        budget_.spend(WireBudget::textBytes(std::size_t(where.size())));
        return out.appendText(where.constData(), 'o');
    }
    case VarType::Variant: break;
    }
    throw WireFormatError(QStringLiteral("type code 0x%1 has no wire form").arg(value.vt(), 0, 16));
}

void BusValueWriter::array(BusMessage& out, const SafeArray& array)
{
    budget_.spend(16);  // lower bound, length, padding
    out.open('r', ("ia" + signature(array.elementType())).constData());
    out.appendInt32(array.lowerBound());
    elements(out, array);
    out.close();
}

void BusValueWriter::elements(BusMessage& out, const SafeArray& array)
{
    const std::size_t count = array.size();
    switch (array.elementType()) {
    case VarType::I2: budget_.spendArray(2 * count); return writeWhole<std::int16_t>(out, 'n', array);
    case VarType::I4: case VarType::Error: budget_.spendArray(4 * count); return writeWhole<std::int32_t>(out, 'i', array);
    case VarType::R8: case VarType::Date: budget_.spendArray(8 * count); return writeWhole<double>(out, 'd', array);
    case VarType::Currency: budget_.spendArray(8 * count); return writeWhole<std::int64_t>(out, 'x', array);
    case VarType::UI1: budget_.spendArray(count); return writeWhole<std::uint8_t>(out, 'y', array);
    case VarType::R4:
        budget_.spendArray(8 * count);
        return writeConverted<double, float>(out, 'd', array, [](float f) { return double(f); });
    case VarType::Bool:
        // Kept as 0 and -1; the library takes Booleans one by one.
        budget_.spendArray(4 * count);
        out.open('a', "b");
        for (const std::int16_t b : array.elements<std::int16_t>()) out.appendBool(b != 0);
        return out.close();
    case VarType::String: {
        std::size_t bytes = 0;
        for (const std::u16string& t : array.elements<std::u16string>()) bytes += WireBudget::textBytes(t.size());
        budget_.spendArray(bytes);
        out.open('a', "s");
        for (const std::u16string& t : array.elements<std::u16string>()) out.appendText(utf8(t).constData());
        return out.close();
    }
    case VarType::Dispatch: case VarType::Unknown: {
        const std::size_t before = budget_.spent();
        out.open('a', "o");
        for (const Ref<Object>& object : array.elements<Ref<Object>>()) {
            const QByteArray where = path(object);
            budget_.spend(WireBudget::textBytes(std::size_t(where.size())));
            out.appendText(where.constData(), 'o');
        }
        WireBudget::checkArray(budget_.spent() - before);
        return out.close();
    }
    case VarType::Variant: {
        const std::size_t before = budget_.spent();
        out.open('a', "(qv)");
        for (const Variant& element : array.elements<Variant>()) {
            if (element.isArray() || element.isByRef())
                throw WireFormatError(QStringLiteral("an array element of type 0x%1 has no wire form")
                                          .arg(element.vt(), 0, 16));
            write(out, element);
        }
        WireBudget::checkArray(budget_.spent() - before);
        return out.close();
    }
    case VarType::Empty: case VarType::Null: break;
    }
    throw WireFormatError(QStringLiteral("arrays of type code %1 have no wire form").arg(int(array.elementType())));
}

QByteArray BusValueWriter::path(const Ref<Object>& object)
{
    return object ? objects_.pathOf(*object).toLatin1() : QByteArray(contract::kNothingPath);
}

}  // namespace corvane::remoting
