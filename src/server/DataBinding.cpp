// The members of _Data, bound to the Data session object.
#include "server/BindingSupport.h"
#include "typelib/TypeLibrary.h"
#include "session/Data.h"
#include "tags/Tags.h"

namespace corvane {
namespace {

using namespace binding;
using K = MemberKind;

Data& data(DispatchObject& o) { return self<Data>(o); }

constexpr NamedHandler kHandlers[] = {
    {u"Login", K::Method, [](DispatchObject& o, Params p) { data(o).Login(p[0]->string(), p[1]->string()); return Variant(); }},
    {u"Tags", K::PropertyGet, [](DispatchObject& o, Params) { return Variant::dispatch(data(o).Tags()); }},
    {u"StartTime", K::PropertyGet, [](DispatchObject& o, Params) { return data(o).StartTime(); }},
    {u"StartTime", K::PropertyPut, [](DispatchObject& o, Params p) { data(o).setStartTime(*p[0]); return Variant(); }},
    {u"EndTime", K::PropertyGet, [](DispatchObject& o, Params) { return data(o).EndTime(); }},
    {u"EndTime", K::PropertyPut, [](DispatchObject& o, Params p) { data(o).setEndTime(*p[0]); return Variant(); }},
    {u"Fetch", K::Method, [](DispatchObject& o, Params) { data(o).Fetch(); return Variant(); }},
    {u"SampleFrequency", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(data(o).SampleFrequency()); }},
    {u"SampleFrequency", K::PropertyPut,
     [](DispatchObject& o, Params p) { data(o).setSampleFrequency(p[0]->i4()); return Variant(); }},
    {u"MinimumConfidence", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(data(o).MinimumConfidence()); }},
    {u"MinimumConfidence", K::PropertyPut,
     [](DispatchObject& o, Params p) { data(o).setMinimumConfidence(p[0]->r4()); return Variant(); }},
    {u"SampleMethod", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(data(o).SampleMethod()); }},
    {u"SampleMethod", K::PropertyPut,
     [](DispatchObject& o, Params p) { data(o).setSampleMethod(p[0]->string()); return Variant(); }},
    {u"HostName", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(data(o).HostName()); }},
    {u"HostName", K::PropertyPut, [](DispatchObject& o, Params p) { data(o).setHostName(p[0]->string()); return Variant(); }},
    {u"ConnectionTimeout", K::PropertyGet, [](DispatchObject& o, Params) { return Variant(data(o).ConnectionTimeout()); }},
    {u"ConnectionTimeout", K::PropertyPut,
     [](DispatchObject& o, Params p) { data(o).setConnectionTimeout(p[0]->i4()); return Variant(); }},
};

}  // namespace

const automation::InterfaceBinding& Data::dispatchBinding() const
{
    static const BoundInterface bound(typelib::kDataInterface, kHandlers);
    return bound.binding();
}

}  // namespace corvane
