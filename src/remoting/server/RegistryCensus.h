#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <map>

namespace corvane::remoting {

// What the object registry holds at one moment, for checking that clients
// that come and go leave nothing behind.
struct RegistryCensus {
    // Clients holding at least one reference, and their references together,
    // counted once by client and once by object (the two must agree).
    std::size_t clients = 0;
    std::uint64_t clientReferences = 0;
    std::uint64_t objectReferences = 0;
    // Objects that have a path, by the class named in it.
    std::map<QString, std::size_t> exportedByClass;
    // Exported objects that nothing but the registry holds any more; the
    // collection lets go of them within as many calls as it watches objects.
    std::size_t heldByRegistryAlone = 0;

    std::size_t exported() const
    {
        std::size_t total = 0;
        for (const auto& [kind, count] : exportedByClass) total += count;
        return total;
    }
};

}  // namespace corvane::remoting
