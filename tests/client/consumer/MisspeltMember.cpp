// Compiled by the tests with MEMBER set to a name the type library does not
// have: the typed wrappers' lookup must refuse it while compiling.
#include "corvanesim/MemberOf.h"
#include "typelib/TypeLibrary.h"

constexpr corvane::client::Member kMember =
    corvane::client::memberOf(corvane::typelib::kTagsInterface, MEMBER, corvane::automation::MemberKind::PropertyGet);

int main() { return kMember.id; }
