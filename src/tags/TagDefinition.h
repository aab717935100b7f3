#pragma once

#include "automation/DispatchObject.h"
#include "automation/Variant.h"

#include <string>

namespace corvane {

// A made-up definition of a tag: a description naming the tag, the range 0 to
// 100, and units chosen by the third character of the name.
class TagDefinition : public automation::DispatchObject {
public:
    // Its members as clients reach them (bound in TagDefinitionBinding.cpp).
    const automation::InterfaceBinding& dispatchBinding() const override;

    const std::u16string& Units() const { return Units_; }
    void setUnits(std::u16string strUnits) { Units_ = std::move(strUnits); }
    float HighExtreme() const { return HighExtreme_; }
    float LowExtreme() const { return LowExtreme_; }
    const std::u16string& Description() const { return Description_; }

    // Fills the definition for `strName`; always returns Empty.
    automation::Variant GetTagDefinition(const std::u16string& strName);

private:
    std::u16string Units_;
    float HighExtreme_ = 0;
    float LowExtreme_ = 0;
    std::u16string Description_;
};

}  // namespace corvane
