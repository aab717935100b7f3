#pragma once

#include "automation/TypeInfo.h"

#include <string_view>

namespace corvane::typelib {

// The type library CorvaneSim 1.0: the one description of what clients see.
// Binding, name lookup, the bus adapter and the client wrappers all read it.
const automation::TypeLibraryDescription& library();

extern const automation::InterfaceDescription kDataInterface;           // _Data
extern const automation::InterfaceDescription kTagInterface;            // _Tag
extern const automation::InterfaceDescription kTagsInterface;           // _Tags
extern const automation::InterfaceDescription kTagDefinitionInterface;  // _TagDefinition
extern const automation::InterfaceDescription kSimServerInterface;      // _SimServer

extern const automation::ClassDescription kDataClass;
extern const automation::ClassDescription kTagClass;
extern const automation::ClassDescription kTagsClass;
extern const automation::ClassDescription kTagDefinitionClass;
extern const automation::ClassDescription kSimServerClass;

// The creatable class named by a ProgID (letter case ignored) or by a class
// identifier in braces; null for anything else, the classes that clients
// cannot create included.
const automation::ClassDescription* findCreatableClass(std::u16string_view classId);

}  // namespace corvane::typelib
