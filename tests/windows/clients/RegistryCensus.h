#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace corvane::com::test {

// Every key under a hive's Software\Classes with its values, to tell exactly
// what a registration changed.
class RegistryCensus {
public:
    static RegistryCensus take(HKEY hive = HKEY_LOCAL_MACHINE);

    // Keys compare without regard to letter case, as the registry's do.
    bool has(const std::wstring& key) const { return defaults_.contains(folded(key)); }
    // The key's default value; empty for a key without one or no key.
    std::wstring valueOf(const std::wstring& key) const;

    friend bool operator==(const RegistryCensus& a, const RegistryCensus& b) { return a.everything_ == b.everything_; }
    // The keys that differ between two censuses, for a failure's message.
    static std::wstring differences(const RegistryCensus& a, const RegistryCensus& b);

private:
    static std::wstring folded(std::wstring key);
    void walk(HKEY key, const std::wstring& path);

    std::map<std::wstring, std::wstring> defaults_;
    std::map<std::wstring, std::wstring> everything_;  // key -> all its values, named ones included
};

}  // namespace corvane::com::test
