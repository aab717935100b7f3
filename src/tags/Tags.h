#pragma once

#include "automation/KeyedCollection.h"
#include "automation/DispatchObject.h"
#include "automation/Variant.h"
#include "tags/Tag.h"

#include <cstdint>
#include <string>

namespace corvane {

class ServerProcess;

// The tags of one session: a keyed collection of Tag objects, mirrored row by
// row in the operator window's grid (which all sessions share).
class Tags : public automation::DispatchObject {
public:
    // Its members as clients reach them (bound in TagsBinding.cpp).
    const automation::InterfaceBinding& dispatchBinding() const override;

    explicit Tags(ServerProcess& process) : process_(process) {}

    std::int32_t Count() const { return items_.count(); }
    // A new Tag defined as strTag, with the tag table's value and confidence,
    // under varKey (strTag when varKey is missing); one grid row appended.
    automation::Ref<Tag> Add(const std::u16string& strTag, const automation::Variant& varKey);
    // By position or key; the grid row goes by the tag's own name.
    void Delete(const automation::Variant& Index);
    // By name only: the name is both the key and the grid text.
    void Remove(const automation::Variant& varTag);
    automation::Ref<Tag> Item(const automation::Variant& Index) const { return items_.item(Index); }
    // An enumerator over the tags in position order; it walks this collection
    // as it changes, and holds it.
    automation::Ref<automation::Object> NewEnum();
    // Empties this collection and the grid (every session's rows); enumerators
    // of it find it empty.
    void RemoveAll();

    const automation::KeyedCollection<Tag>& items() const { return items_; }

private:
    ServerProcess& process_;
    automation::KeyedCollection<Tag> items_;
};

}  // namespace corvane
