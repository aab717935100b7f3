#include "Binding.h"

#include <stdexcept>
#include <string>

namespace corvane::automation {
namespace {

std::string narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

}  // namespace

std::vector<MemberHandler> bindByName(const InterfaceDescription& interface, std::span<const NamedHandler> handlers)
{
    std::vector<MemberHandler> bound(interface.members.size(), nullptr);
    for (const NamedHandler& h : handlers) {
        bool found = false;
        for (std::size_t i = 0; i < interface.members.size(); ++i) {
            const MemberDescription& m = interface.members[i];
            if (m.name == h.name && m.kind == h.kind) {
                if (bound[i]) throw std::logic_error("two handlers for " + narrow(interface.name) + "." + narrow(h.name));
                bound[i] = h.handler;
                found = true;
            }
        }
        if (!found) throw std::logic_error("no member for handler " + narrow(interface.name) + "." + narrow(h.name));
    }
    for (std::size_t i = 0; i < bound.size(); ++i)
        if (!bound[i]) throw std::logic_error("no handler for " + narrow(interface.name) + "." + narrow(interface.members[i].name));
    return bound;
}

}  // namespace corvane::automation
