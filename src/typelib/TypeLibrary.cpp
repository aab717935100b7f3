#include "TypeLibrary.h"

#include "automation/CaseFold.h"

#include <array>

namespace corvane::typelib {

using namespace automation;

const TypeLibraryDescription& library()
{
    static const TypeDescription types[] = {
        {&kDataInterface, nullptr},          {nullptr, &kDataClass},
        {&kTagInterface, nullptr},           {nullptr, &kTagClass},
        {&kTagsInterface, nullptr},          {nullptr, &kTagsClass},
        {&kTagDefinitionInterface, nullptr}, {nullptr, &kTagDefinitionClass},
        {&kSimServerInterface, nullptr},     {nullptr, &kSimServerClass},
    };
    static const TypeLibraryDescription description{
        u"CorvaneSim", {u"84AD9C78-181D-4B8C-AC03-3128F68DA65E"}, 1, 0, 0, types};
    return description;
}

const ClassDescription* findCreatableClass(std::u16string_view classId)
{
    for (const ClassDescription* coclass : {&kDataClass, &kSimServerClass}) {
        if (equalIgnoringCase(classId, coclass->progId)) return coclass;
        const std::u16string_view guid = coclass->clsid.text;
        if (classId.size() == guid.size() + 2 && classId.front() == u'{' && classId.back() == u'}' &&
            equalIgnoringCase(classId.substr(1, guid.size()), guid))
            return coclass;
    }
    return nullptr;
}

}  // namespace corvane::typelib
