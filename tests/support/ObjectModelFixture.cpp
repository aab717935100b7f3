#include "ObjectModelFixture.h"

namespace corvane::testing {

using automation::Variant;

ObjectModelFixture::ObjectModelFixture(const automation::RegionalSettings& settings) : regional(&settings)
{
    dataLayer.putTagTable(kDatabasePath, {{Variant(u"TIC101.PV"), Variant(42.5), Variant(95)},
                                          {Variant(u"10PT101"), Variant(3.25), Variant(100)},
                                          {Variant(u"01LIC7"), Variant(61.0), Variant(80)},
                                          {Variant(u"1"), Variant(7.0), Variant(50)}});
}

}  // namespace corvane::testing
