#pragma once

#include <QtGlobal>

// Dispatch identifiers of the published member tables, transcribed here
// rather than read from the server's own table, so that the tests check it.
namespace corvane::remoting::test::member {

// _Data
inline constexpr qint32 kDataTags = 0x68030007;
inline constexpr qint32 kDataStartTime = 0x68030006;
inline constexpr qint32 kDataEndTime = 0x68030005;
inline constexpr qint32 kDataSampleFrequency = 0x68030004;

// _Tags
inline constexpr qint32 kTagsCount = 0x68030000;
inline constexpr qint32 kTagsAdd = 0x60030002;
inline constexpr qint32 kTagsRemove = 0x60030004;
inline constexpr qint32 kTagsItem = 0;
inline constexpr qint32 kTagsNewEnum = -4;

// _Tag
inline constexpr qint32 kTagTagDefinition = 0x68030006;
inline constexpr qint32 kTagUnpackResults = 0x60030009;
inline constexpr qint32 kTagDefine = 0x6003000A;
inline constexpr qint32 kTagTagName = 0x68030005;
inline constexpr qint32 kTagPV = 0x68030001;
inline constexpr qint32 kTagConfidence = 0x68030000;
inline constexpr qint32 kTagPut0 = 0x6003000B;

// _TagDefinition
inline constexpr qint32 kDefinitionHighExtreme = 0x68030002;
inline constexpr qint32 kDefinitionLowExtreme = 0x68030001;
inline constexpr qint32 kDefinitionDescription = 0x68030000;
inline constexpr qint32 kDefinitionGetTagDefinition = 0x60030004;

// _SimServer
inline constexpr qint32 kSimServerData = 0x68030000;

// Invoke flags.
inline constexpr quint16 kMethod = 1;
inline constexpr quint16 kGet = 2;
inline constexpr quint16 kPut = 4;
inline constexpr quint16 kPutRef = 8;

}  // namespace corvane::remoting::test::member
