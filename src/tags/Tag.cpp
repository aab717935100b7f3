#include "Tag.h"

#include "tags/TagDefinition.h"

namespace corvane {

Tag::Tag(ServerProcess& process) : process_(process), definition_(automation::makeRef<corvane::TagDefinition>()) {}

Tag::~Tag() = default;

automation::Ref<TagDefinition> Tag::TagDefinition() const { return definition_; }

void Tag::Define(const std::u16string& strName)
{
    TagName_ = strName;
    definition_->GetTagDefinition(strName);
}

const std::u16string& Tag::Units() const { return definition_->Units(); }

void Tag::setUnits(const std::u16string& strUnits) { definition_->setUnits(strUnits); }

void Tag::setConfidence(std::int32_t nConf)
{
    Confidence_ = nConf < 0 ? 0 : nConf > 100 ? 100 : nConf;
}

}  // namespace corvane
