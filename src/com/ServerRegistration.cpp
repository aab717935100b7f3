#include "ServerRegistration.h"

#include "ComResources.h"
#include "Guids.h"
#include "TypeLibraryWriter.h"

#include "typelib/TypeLibrary.h"

#include <string>
#include <vector>

namespace corvane::com {

namespace {

// The standard marshaller that carries dual interfaces by their type library.
constexpr wchar_t kTypeLibraryMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";

std::wstring wide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

std::wstring versionText()
{
    const auto& library = typelib::library();
    return std::to_wstring(library.majorVersion) + L"." + std::to_wstring(library.minorVersion);
}

// One value to write: the key under the classes root, the value's name (empty for the default) and its text.
struct Entry {
    std::wstring key;
    std::wstring name;
    std::wstring value;
};

// Every key that registration makes and unregistration removes whole.
std::vector<std::wstring> ownedKeys()
{
    std::vector<std::wstring> keys{L"TypeLib\\" + bracedText(typelib::library().libid)};
    for (const automation::TypeDescription& type : typelib::library().types) {
        if (type.interface) keys.push_back(L"Interface\\" + bracedText(type.interface->iid));
        if (type.coclass && type.coclass->creatable) {
            keys.push_back(L"CLSID\\" + bracedText(type.coclass->clsid));
            keys.push_back(wide(type.coclass->progId));
        }
    }
    return keys;
}

std::vector<Entry> entries(const std::wstring& executablePath)
{
    const auto& library = typelib::library();
    const std::wstring libid = bracedText(library.libid);
    const std::wstring version = versionText();
    const std::wstring tlb = typeLibraryPath(executablePath);
    const std::wstring libraryKey = L"TypeLib\\" + libid + L"\\" + version;
    const std::wstring folder = executablePath.substr(0, executablePath.find_last_of(L"\\/"));

    std::vector<Entry> list{
        {libraryKey, L"", wide(library.name)},
        {libraryKey + L"\\0\\win32", L"", tlb},
        {libraryKey + L"\\0\\win64", L"", tlb},
        {libraryKey + L"\\FLAGS", L"", L"0"},
        {libraryKey + L"\\HELPDIR", L"", folder},
    };
    for (const automation::TypeDescription& type : library.types) {
        if (type.interface) {
            const std::wstring key = L"Interface\\" + bracedText(type.interface->iid);
            list.push_back({key, L"", wide(type.interface->name)});
            list.push_back({key + L"\\ProxyStubClsid", L"", kTypeLibraryMarshaller});
            list.push_back({key + L"\\ProxyStubClsid32", L"", kTypeLibraryMarshaller});
            list.push_back({key + L"\\TypeLib", L"", libid});
            list.push_back({key + L"\\TypeLib", L"Version", version});
            continue;
        }
        const automation::ClassDescription& coclass = *type.coclass;
        if (!coclass.creatable) continue;  // no class object, so nothing to find
        const std::wstring clsid = bracedText(coclass.clsid);
        const std::wstring key = L"CLSID\\" + clsid;
        const std::wstring progId = wide(coclass.progId);
        list.push_back({key, L"", wide(coclass.name)});
        list.push_back({key + L"\\LocalServer32", L"", L"\"" + executablePath + L"\" /Automation"});
        list.push_back({key + L"\\ProgID", L"", progId});
        list.push_back({key + L"\\TypeLib", L"", libid});
        list.push_back({key + L"\\Version", L"", version});
        list.push_back({progId, L"", wide(coclass.name)});
        list.push_back({progId + L"\\CLSID", L"", clsid});
    }
    return list;
}

HRESULT openClassesRoot(RegistrationScope scope, RegistryKey& root)
{
    const HKEY hive = scope == RegistrationScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const LONG status = RegCreateKeyExW(hive, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, root.put(), nullptr);
    return HRESULT_FROM_WIN32(status);
}

}  // namespace

std::wstring typeLibraryPath(const std::wstring& executablePath)
{
    const std::size_t separator = executablePath.find_last_of(L"\\/");
    const std::wstring folder = separator == std::wstring::npos ? L"" : executablePath.substr(0, separator + 1);
    return folder + wide(typelib::library().name) + L".tlb";
}

HRESULT registerServer(const std::wstring& executablePath, RegistrationScope scope)
{
    RegistryKey root;
    HRESULT result = openClassesRoot(scope, root);
    if (FAILED(result)) return result;
    result = writeTypeLibrary(typeLibraryPath(executablePath));
    if (FAILED(result)) return result;
    for (const Entry& entry : entries(executablePath)) {
        RegistryKey key;
        LONG status = RegCreateKeyExW(root.get(), entry.key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr);
        if (status == ERROR_SUCCESS) {
            const auto bytes = static_cast<DWORD>((entry.value.size() + 1) * sizeof(wchar_t));
            status = RegSetValueExW(key.get(), entry.name.empty() ? nullptr : entry.name.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(entry.value.c_str()), bytes);
        }
        if (status != ERROR_SUCCESS) {
            // Half a registration would leave clients finding a server that cannot start.
            unregisterServer(executablePath, scope);
            return HRESULT_FROM_WIN32(status);
        }
    }
    return S_OK;
}

HRESULT unregisterServer(const std::wstring& executablePath, RegistrationScope scope)
{
    RegistryKey root;
    const HRESULT opened = openClassesRoot(scope, root);
    if (FAILED(opened)) return opened;
    HRESULT result = S_OK;
    for (const std::wstring& key : ownedKeys()) {
        const LONG status = RegDeleteTreeW(root.get(), key.c_str());  // the key with all below it
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) result = HRESULT_FROM_WIN32(status);
    }
    const std::wstring tlb = typeLibraryPath(executablePath);
    if (!DeleteFileW(tlb.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) result = HRESULT_FROM_WIN32(GetLastError());
    return result;
}

}  // namespace corvane::com
