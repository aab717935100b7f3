#include "ConformanceCases.h"

#include <sstream>

namespace corvane::test::conformance {

namespace {

using automation::Variant;

constexpr std::uint16_t kMethod = 1, kGet = 2, kPut = 4;
constexpr std::int32_t kMemberNotFound = std::int32_t(0x80020003);
constexpr std::int32_t kTypeMismatch = std::int32_t(0x80020005);
constexpr std::int32_t kUnknownName = std::int32_t(0x80020006);
constexpr std::int32_t kException = std::int32_t(0x80020009);
constexpr std::int32_t kOverflow = std::int32_t(0x8002000A);
constexpr std::int32_t kBadParamCount = std::int32_t(0x8002000E);
constexpr std::int32_t memberError(int number) { return std::int32_t(0x800A0000) + number; }

Variant text(const char16_t* value) { return Variant(std::u16string(value)); }
Variant whole(std::int32_t value) { return Variant(value); }

}  // namespace

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        {"NamesAreFoundInAnyLetterCase",
         {{Role::Tags, u"count", kGet, {}, 0, whole(1)}, {Role::Tags, u"COUNT", kGet, {}, 0, whole(1)}}},
        {"AnUnknownNameIsRefused", {{Role::Tags, u"Counts", kGet, {}, kUnknownName}}},
        {"PutsOfReadOnlyPropertiesAreRefused",
         {{Role::Tags, u"Count", kPut, {whole(5)}, kMemberNotFound},
          {Role::Tag, u"TagName", kPut, {text(u"X")}, kMemberNotFound},
          {Role::Data, u"Tags", kPut, {whole(1)}, kMemberNotFound}}},
        {"ArgumentCountsAreChecked",
         {{Role::Tags, u"Add", kMethod, {text(u"A"), text(u"B"), text(u"C")}, kBadParamCount},
          {Role::Tag, u"Put0", kMethod, {}, kBadParamCount},
          {Role::Tags, u"Count", kGet, {}, 0, whole(1)}}},
        {"Put0TakesOneToThreeArguments",
         {{Role::Tag, u"Put0", kMethod, {Variant(1.5)}, 0},
          {Role::Tag, u"Confidence", kGet, {}, 0, whole(100)},
          {Role::Tag, u"Put0", kMethod, {Variant(2.5), Variant::date(46000.5)}, 0},
          {Role::Tag, u"Put0", kMethod, {Variant(3.5), Variant::date(46000.5), whole(42)}, 0},
          {Role::Tag, u"PV", kGet, {}, 0, Variant(3.5f)},
          {Role::Tag, u"Confidence", kGet, {}, 0, whole(42)}}},
        {"TheDefaultMemberIsItem",
         {{Role::Tags, nullptr, kMethod | kGet, {whole(1)}, 0},
          {Role::Tags, nullptr, kMethod | kGet, {text(u"tic101.pv")}, 0},
          {Role::Tags, nullptr, kMethod | kGet, {whole(2)}, memberError(9)}}},
        {"MembersErrorsCarryTheirNumbers",
         {{Role::Tags, u"Add", kMethod, {text(u"tic101.pv")}, memberError(457)},
          {Role::Tags, u"Item", kMethod, {text(u"absent")}, memberError(5)},
          {Role::Data, u"StartTime", kPut, {text(u"NOW")}, memberError(13)},
          {Role::Tag, u"Put0", kMethod, {text(u"abc"), Variant(), whole(50)}, memberError(13)},
          {Role::Tag, u"Confidence", kGet, {}, 0, whole(50)}}},
        {"ArgumentsAreConvertedToTheDeclaredTypes",
         {{Role::Data, u"SampleFrequency", kPut, {text(u"60")}, 0},
          {Role::Data, u"SampleFrequency", kGet, {}, 0, whole(60)},
          {Role::Data, u"SampleFrequency", kPut, {text(u"abc")}, kTypeMismatch},
          {Role::Data, u"SampleFrequency", kPut, {Variant(1e20)}, kOverflow},
          {Role::Tag, u"PV", kPut, {Variant(2.5)}, 0},
          {Role::Tag, u"PV", kGet, {}, 0, Variant(2.5f)},
          {Role::Data, u"SampleFrequency", kGet, {}, 0, whole(60)}}},
    };
    return all;
}

std::string mismatch(const Call& call, const Answer& answer)
{
    std::ostringstream out;
    out << std::hex;
    const bool memberError = (std::uint32_t(call.expected) & 0xFFFF0000u) == 0x800A0000u;
    if (memberError) {
        if (answer.hresult != kException || answer.exceptionCode != call.expected)
            out << "expected an exception " << call.expected << ", got " << answer.hresult << " with "
                << answer.exceptionCode;
    } else if (answer.hresult != call.expected) {
        out << "expected " << call.expected << ", got " << answer.hresult;
    }
    if (call.result && answer.hresult == 0 && !(answer.result == *call.result))
        out << "the result differs (type " << answer.result.vt() << ", expected " << call.result->vt() << ")";
    return out.str();
}

}  // namespace corvane::test::conformance
