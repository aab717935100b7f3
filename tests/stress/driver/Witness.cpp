#include "Witness.h"

#include <stdexcept>

namespace corvane::stress {

using namespace client;
using automation::Variant;

Witness::Witness(const std::string& busAddress)
{
    try {
        data_.emplace(Data::create(Connection::toBus(busAddress)));
        tags_.emplace(data_->tags());
        dataPath_ = data_->object().path();
        const std::u16string names[] = {u"TIC101.PV", u"WITNESS.ONE", u"FIC101.PV", u"WITNESS.TWO"};
        float value = 12.25f;
        std::int32_t confidence = 61;
        for (const std::u16string& name : names) {
            const Tag tag = tags_->add(name);
            // The tag's own properties, which no write of another client reaches.
            tag.setPV(value);
            tag.setConfidence(confidence);
            const std::u16string units = u"w-" + name;
            tag.setUnits(units);
            written_.push_back({tag, tag.object().path(), name, value, confidence, units, tag.tagDefinition().object().path()});
            value *= -3.5f;
            confidence += 9;
        }
    } catch (const RemoteError& error) {
        throw std::runtime_error(std::string("the witness could not set up its session: ") + error.what());
    }
}

std::vector<std::string> Witness::differences() const
{
    std::vector<std::string> found;
    const auto differs = [&found](bool holds, const std::string& what) {
        if (!holds) found.push_back("the witness's session: " + what);
    };
    try {
        differs(data_->object().path() == dataPath_, "the session's path changed");
        differs(tags_->count() == std::int32_t(written_.size()), "Count is " + std::to_string(tags_->count()));
        std::int32_t position = 1;
        for (const Written& w : written_) {
            const Tag byKey = tags_->item(Variant(w.name));
            const Tag byPosition = tags_->item(Variant(position++));
            differs(byKey.object().path() == w.path && byPosition.object().path() == w.path,
                    toUtf8(w.name) + " is no longer the same object");
            differs(w.tag.tagName() == w.name, toUtf8(w.name) + " is now named " + toUtf8(w.tag.tagName()));
            differs(w.tag.pv() == w.value, toUtf8(w.name) + " reads " + std::to_string(w.tag.pv()));
            differs(w.tag.confidence() == w.confidence, toUtf8(w.name) + " has confidence " + std::to_string(w.tag.confidence()));
            differs(w.tag.units() == w.units, toUtf8(w.name) + " has units " + toUtf8(w.tag.units()));
            differs(w.tag.tagDefinition().object().path() == w.definitionPath, toUtf8(w.name) + " has another definition");
        }
    } catch (const RemoteError& error) {
        found.push_back(std::string("the witness's session does not answer: ") + error.what());
    }
    return found;
}

void Witness::leave()
{
    written_.clear();
    tags_.reset();
    data_.reset();
}

}  // namespace corvane::stress
