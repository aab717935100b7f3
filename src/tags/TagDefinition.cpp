#include "TagDefinition.h"

#include "automation/CaseFold.h"

namespace corvane {

automation::Variant TagDefinition::getTagDefinition(const std::u16string& name)
{
    description_ = u"Description for " + name;
    highExtreme_ = 100;
    lowExtreme_ = 0;

    // Plant tag names carry a two-character area prefix; the letter after it
    // says what is measured (pressure, temperature, level).
    if (name.size() >= 3) {
        switch (automation::foldCase(name[2])) {
        case u'P': units_ = u"Bar"; break;
        case u'T': units_ = u"deg C"; break;
        case u'L': units_ = u"%"; break;
        default: break;
        }
    }
    return {};
}

}  // namespace corvane
