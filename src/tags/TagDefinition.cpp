#include "TagDefinition.h"

#include "automation/CaseFold.h"

namespace corvane {

automation::Variant TagDefinition::GetTagDefinition(const std::u16string& strName)
{
    Description_ = u"Description for " + strName;
    HighExtreme_ = 100;
    LowExtreme_ = 0;

    // Plant tag names carry a two-character area prefix; the letter after it
    // says what is measured (pressure, temperature, level).
    if (strName.size() >= 3) {
        switch (automation::foldCase(strName[2])) {
        case u'p': Units_ = u"Bar"; break;
        case u't': Units_ = u"deg C"; break;
        case u'l': Units_ = u"%"; break;
        default: break;
        }
    }
    return {};
}

}  // namespace corvane
