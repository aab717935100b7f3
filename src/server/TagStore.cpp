#include "TagStore.h"

#include "automation/Convert.h"

namespace corvane {
namespace {

constexpr char16_t kDatabaseFile[] = u"/Corvane.mdb";
constexpr char16_t kTableName[] = u"Default";
constexpr char16_t kIndexName[] = u"PrimaryKey";
constexpr char16_t kTagField[] = u"Tag";
constexpr char16_t kValueField[] = u"Value";
constexpr char16_t kConfidenceField[] = u"Confidence";

}  // namespace

TagStore::TagStore(TagDataLayer& dataLayer, std::u16string_view executableFolder, const automation::RegionalSettings& regional)
    : dataLayer_(dataLayer), regional_(regional), databasePath_(std::u16string(executableFolder) + kDatabaseFile)
{
}

TagStore::~TagStore() = default;

void TagStore::LoadTagTable()
{
    using automation::toI4;
    using automation::toR4;
    using automation::toText;

    if (connection_) return;
    connection_ = dataLayer_.createConnection();
    connection_->open(databasePath_);

    table_ = std::make_unique<TagTable>();

    recordset_ = connection_->createRecordset();
    recordset_->open(kTableName, kIndexName);
    table_->reserve(recordset_->recordCount());
    recordset_->moveFirst();
    while (!recordset_->eof()) {
        auto tag = automation::makeRef<TesselTag>();
        // The name is the entry's name and its key: read and converted once
        // (the same text both times), and handed over once the key is in.
        std::u16string name = toText(recordset_->field(kTagField), regional_);
        tag->setPV(toR4(recordset_->field(kValueField), regional_));
        tag->setConfidence(toI4(recordset_->field(kConfidenceField), regional_));
        table_->add(tag, name);
        tag->setName(std::move(name));
        recordset_->moveNext();
    }

    recordset_.reset();
    connection_->close();
    connection_.reset();
}

float TagStore::LookupTag(std::u16string_view strTag, std::int32_t& nConf) const noexcept
{
    try {
        // An empty name is never a tag, even when a row of the database has
        // one: the lookup by an empty key fails like that of an absent key.
        if (table_ && !strTag.empty()) {
            if (const automation::Ref<TesselTag> tag = table_->find(strTag)) {
                nConf = tag->confidence();
                return tag->pv();
            }
        }
    } catch (...) {
        // Any failure is a missing tag.
    }
    nConf = 0;
    return kMissingValue;
}

void TagStore::CloseTagStore() noexcept
{
    try {
        if (recordset_ && recordset_->isOpen()) recordset_->close();
    } catch (...) {
    }
    try {
        if (connection_ && connection_->isOpen()) connection_->close();
    } catch (...) {
    }
    recordset_.reset();
    connection_.reset();
}

}  // namespace corvane
