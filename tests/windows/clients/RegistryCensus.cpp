#include "RegistryCensus.h"

#include <cwctype>
#include <vector>

namespace corvane::com::test {

RegistryCensus RegistryCensus::take(HKEY hive)
{
    RegistryCensus census;
    HKEY classes = nullptr;
    if (RegOpenKeyExW(hive, L"Software\\Classes", 0, KEY_READ, &classes) == ERROR_SUCCESS) {
        census.walk(classes, L"");
        RegCloseKey(classes);
    }
    return census;
}

std::wstring RegistryCensus::folded(std::wstring key)
{
    for (wchar_t& c : key) c = static_cast<wchar_t>(towlower(c));
    return key;
}

std::wstring RegistryCensus::differences(const RegistryCensus& a, const RegistryCensus& b)
{
    std::wstring found;
    for (const auto& [key, values] : a.everything_) {
        const auto other = b.everything_.find(key);
        if (other == b.everything_.end() || other->second != values) found += L"  " + key + L"\n";
    }
    for (const auto& [key, values] : b.everything_)
        if (!a.everything_.contains(key)) found += L"  " + key + L"\n";
    return found;
}

std::wstring RegistryCensus::valueOf(const std::wstring& key) const
{
    const auto found = defaults_.find(folded(key));
    return found == defaults_.end() ? std::wstring() : found->second;
}

void RegistryCensus::walk(HKEY key, const std::wstring& path)
{
    std::wstring all;
    std::vector<wchar_t> name(16384);
    std::vector<BYTE> data(65536);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength) != ERROR_SUCCESS) break;
        std::wstring value;
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            value.assign(reinterpret_cast<const wchar_t*>(data.data()), dataLength / sizeof(wchar_t));
            while (!value.empty() && value.back() == L'\0') value.pop_back();
        } else {
            value.assign(data.begin(), data.begin() + dataLength);
        }
        const std::wstring valueName(name.data(), nameLength);
        if (valueName.empty()) defaults_[folded(path)] = value;
        all += valueName + L"=" + value + L";";
    }
    if (!path.empty()) {
        everything_[folded(path)] = all;
        defaults_.try_emplace(folded(path));
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const std::wstring child(name.data(), nameLength);
        HKEY sub = nullptr;
        if (RegOpenKeyExW(key, child.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
        walk(sub, path.empty() ? child : path + L"\\" + child);
        RegCloseKey(sub);
    }
}

}  // namespace corvane::com::test
