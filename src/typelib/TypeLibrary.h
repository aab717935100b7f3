#pragma once

#include "automation/TypeInfo.h"

#include <string_view>

// The type library CorvaneSim 1.0: the one description of what clients see.
// Binding, name lookup, the bus adapter and the client wrappers all read it;
// the table is visible at compile time so that the client's typed wrappers
// look their members up while compiling.
namespace corvane::typelib {

namespace table {

using automation::kDispIdNewEnum;
using automation::kDispIdValue;
using automation::MemberDescription;
using automation::ParamDescription;
using automation::TypeRef;
using automation::VarType;
using K = automation::MemberKind;

inline constexpr TypeRef kNone{VarType::Empty};
inline constexpr TypeRef kString{VarType::String};
inline constexpr TypeRef kLong{VarType::I4};
inline constexpr TypeRef kSingle{VarType::R4};
inline constexpr TypeRef kVariant{VarType::Variant};
inline constexpr TypeRef kEnumerator{VarType::Unknown};
inline constexpr TypeRef object(std::u16string_view interfaceName) { return {VarType::Dispatch, interfaceName}; }

// The value of a property put: unnamed in the library, named here for messages.
inline constexpr ParamDescription putValue(TypeRef type, std::u16string_view valueName, bool byRef = false)
{
    return {u"", type, byRef, false, valueName};
}

// _Data
inline constexpr ParamDescription kLoginParams[] = {{u"UserName", kString}, {u"Password", kString}};
inline constexpr ParamDescription kStartTimePut[] = {putValue(kVariant, u"varDate")};
inline constexpr ParamDescription kEndTimePut[] = {putValue(kVariant, u"varDate")};
inline constexpr ParamDescription kSampleFrequencyPut[] = {putValue(kLong, u"nSampleFreq")};
inline constexpr ParamDescription kMinimumConfidencePut[] = {putValue(kSingle, u"nMinConfidence")};
inline constexpr ParamDescription kSampleMethodPut[] = {putValue(kString, u"strSampleMethod", true)};
inline constexpr ParamDescription kHostNamePut[] = {putValue(kString, u"strName", true)};
inline constexpr ParamDescription kConnectionTimeoutPut[] = {putValue(kLong, u"nTimeoutMillisec")};

inline constexpr MemberDescription kDataMembers[] = {
    {u"Login", 0x60030008, K::Method, kLoginParams, kNone},
    {u"Tags", 0x68030007, K::PropertyGet, {}, object(u"_Tags")},
    {u"StartTime", 0x68030006, K::PropertyGet, {}, kVariant},
    {u"StartTime", 0x68030006, K::PropertyPut, kStartTimePut, kNone},
    {u"EndTime", 0x68030005, K::PropertyGet, {}, kVariant},
    {u"EndTime", 0x68030005, K::PropertyPut, kEndTimePut, kNone},
    {u"Fetch", 0x6003000B, K::Method, {}, kNone},
    {u"SampleFrequency", 0x68030004, K::PropertyGet, {}, kLong},
    {u"SampleFrequency", 0x68030004, K::PropertyPut, kSampleFrequencyPut, kNone},
    {u"MinimumConfidence", 0x68030003, K::PropertyGet, {}, kSingle},
    {u"MinimumConfidence", 0x68030003, K::PropertyPut, kMinimumConfidencePut, kNone},
    {u"SampleMethod", 0x68030002, K::PropertyGet, {}, kString},
    {u"SampleMethod", 0x68030002, K::PropertyPut, kSampleMethodPut, kNone},
    {u"HostName", 0x68030001, K::PropertyGet, {}, kString},
    {u"HostName", 0x68030001, K::PropertyPut, kHostNamePut, kNone},
    {u"ConnectionTimeout", 0x68030000, K::PropertyGet, {}, kLong},
    {u"ConnectionTimeout", 0x68030000, K::PropertyPut, kConnectionTimeoutPut, kNone},
};

// _Tag
inline constexpr ParamDescription kUnpackResultsParams[] = {
    {u"varValues", kVariant, true}, {u"varTimestamps", kVariant, true}, {u"varConfidences", kVariant, true}};
inline constexpr ParamDescription kDefineParams[] = {{u"strName", kString, true}};
inline constexpr ParamDescription kTagUnitsPut[] = {putValue(kString, u"strUnits", true)};
inline constexpr ParamDescription kOffsetPut[] = {putValue(kString, u"strOffset", true)};
inline constexpr ParamDescription kReductionTypePut[] = {putValue(kString, u"strType", true)};
inline constexpr ParamDescription kPvPut[] = {putValue(kSingle, u"dVal")};
inline constexpr ParamDescription kConfidencePut[] = {putValue(kLong, u"nConf")};
inline constexpr ParamDescription kPut0Params[] = {
    {u"varVal", kVariant}, {u"varTime", kVariant, false, true}, {u"varConfidence", kVariant, false, true}};

inline constexpr MemberDescription kTagMembers[] = {
    {u"TagDefinition", 0x68030006, K::PropertyGet, {}, object(u"_TagDefinition")},
    {u"UnpackResults", 0x60030009, K::Method, kUnpackResultsParams, kNone},
    {u"Define", 0x6003000A, K::Method, kDefineParams, kNone},
    {u"TagName", 0x68030005, K::PropertyGet, {}, kString},
    {u"Units", 0x68030004, K::PropertyGet, {}, kString},
    {u"Units", 0x68030004, K::PropertyPut, kTagUnitsPut, kNone},
    {u"Offset", 0x68030003, K::PropertyGet, {}, kString},
    {u"Offset", 0x68030003, K::PropertyPut, kOffsetPut, kNone},
    {u"ReductionType", 0x68030002, K::PropertyGet, {}, kString},
    {u"ReductionType", 0x68030002, K::PropertyPut, kReductionTypePut, kNone},
    {u"PV", 0x68030001, K::PropertyGet, {}, kSingle},
    {u"PV", 0x68030001, K::PropertyPut, kPvPut, kNone},
    {u"Confidence", 0x68030000, K::PropertyGet, {}, kLong},
    {u"Confidence", 0x68030000, K::PropertyPut, kConfidencePut, kNone},
    {u"Put0", 0x6003000B, K::Method, kPut0Params, kNone},
};

// _Tags
inline constexpr ParamDescription kAddParams[] = {{u"strTag", kString, true}, {u"varKey", kVariant, true, true}};
inline constexpr ParamDescription kDeleteParams[] = {{u"Index", kVariant}};
inline constexpr ParamDescription kRemoveParams[] = {{u"varTag", kVariant, true}};
inline constexpr ParamDescription kItemParams[] = {{u"Index", kVariant}};

inline constexpr MemberDescription kTagsMembers[] = {
    {u"Count", 0x68030000, K::PropertyGet, {}, kLong},
    {u"Add", 0x60030002, K::Method, kAddParams, object(u"_Tag")},
    {u"Delete", 0x60030003, K::Method, kDeleteParams, kNone},
    {u"Remove", 0x60030004, K::Method, kRemoveParams, kNone},
    {u"Item", kDispIdValue, K::Method, kItemParams, object(u"_Tag"), false, true},
    {u"NewEnum", kDispIdNewEnum, K::Method, {}, kEnumerator, true, false, true},
    {u"RemoveAll", 0x60030006, K::Method, {}, kNone},
};

// _TagDefinition
inline constexpr ParamDescription kDefinitionUnitsPut[] = {putValue(kString, u"strUnits", true)};
inline constexpr ParamDescription kGetTagDefinitionParams[] = {{u"strName", kString, true}};

inline constexpr MemberDescription kTagDefinitionMembers[] = {
    {u"Units", 0x68030003, K::PropertyGet, {}, kString},
    {u"Units", 0x68030003, K::PropertyPut, kDefinitionUnitsPut, kNone},
    {u"HighExtreme", 0x68030002, K::PropertyGet, {}, kSingle},
    {u"LowExtreme", 0x68030001, K::PropertyGet, {}, kSingle},
    {u"Description", 0x68030000, K::PropertyGet, {}, kString},
    {u"GetTagDefinition", 0x60030004, K::Method, kGetTagDefinitionParams, kVariant},
};

// _SimServer: a plain put of an object reference, no put-by-reference form.
inline constexpr ParamDescription kSimServerDataPut[] = {putValue(object(u"_Data"), u"vData", true)};

inline constexpr MemberDescription kSimServerMembers[] = {
    {u"Data", 0x68030000, K::PropertyGet, {}, object(u"_Data")},
    {u"Data", 0x68030000, K::PropertyPut, kSimServerDataPut, kNone},
};

}  // namespace table

inline constexpr automation::InterfaceDescription kDataInterface{
    u"_Data", {u"54FA90D0-EE25-4459-A12B-DFAF9D8A5DB6"}, table::kDataMembers};
inline constexpr automation::InterfaceDescription kTagInterface{
    u"_Tag", {u"0526064B-8D54-4E0D-A9F6-28F5C1680A4E"}, table::kTagMembers};
inline constexpr automation::InterfaceDescription kTagsInterface{
    u"_Tags", {u"FF4CA9A5-A527-4934-9967-304FBEB8FE76"}, table::kTagsMembers};
inline constexpr automation::InterfaceDescription kTagDefinitionInterface{
    u"_TagDefinition", {u"5BBBA4B5-68CE-4665-8411-080FE7BF08CA"}, table::kTagDefinitionMembers};
inline constexpr automation::InterfaceDescription kSimServerInterface{
    u"_SimServer", {u"2551602C-F2D0-4842-BA93-D91E28313720"}, table::kSimServerMembers};

inline constexpr automation::ClassDescription kDataClass{
    u"Data", {u"570F36B7-808B-4C88-9BFC-B97694509597"}, &kDataInterface, true, u"CorvaneSim.Data"};
inline constexpr automation::ClassDescription kTagClass{
    u"Tag", {u"045F8D4E-3112-40C3-9011-986A43DF54B2"}, &kTagInterface, false, u""};
inline constexpr automation::ClassDescription kTagsClass{
    u"Tags", {u"C1C052C2-2828-4C3A-9716-AA41E7FD7E89"}, &kTagsInterface, false, u""};
inline constexpr automation::ClassDescription kTagDefinitionClass{
    u"TagDefinition", {u"3343433D-4758-4613-8B46-EAC33E86F86B"}, &kTagDefinitionInterface, false, u""};
inline constexpr automation::ClassDescription kSimServerClass{
    u"SimServer", {u"7ED6261E-2961-498D-AEBF-AE75E2BACD15"}, &kSimServerInterface, true, u"CorvaneSim.SimServer"};

const automation::TypeLibraryDescription& library();

// The creatable class named by a ProgID (letter case ignored) or by a class
// identifier in braces; null for anything else, the classes that clients
// cannot create included.
const automation::ClassDescription* findCreatableClass(std::u16string_view classId);

}  // namespace corvane::typelib
