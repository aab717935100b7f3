#include "ServerCommandLine.h"

#include <cwctype>

namespace corvane::com {

namespace {

bool sameIgnoringCase(const std::wstring& a, const wchar_t* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != L'\0'; ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return i == a.size() && b[i] == L'\0';
}

}  // namespace

ServerCommandLine ServerCommandLine::parse(const std::vector<std::wstring>& arguments)
{
    ServerCommandLine line;
    for (const std::wstring& argument : arguments) {
        const bool isSwitch = argument.size() > 1 && (argument[0] == L'/' || argument[0] == L'-');
        const std::wstring name = isSwitch ? argument.substr(1) : argument;
        if (isSwitch && sameIgnoringCase(name, L"RegServer")) {
            line.action = Action::Register;
        } else if (isSwitch && sameIgnoringCase(name, L"UnregServer")) {
            line.action = Action::Unregister;
        } else if (isSwitch && sameIgnoringCase(name, L"RegServerPerUser")) {
            line.action = Action::Register;
            line.perUser = true;
        } else if (isSwitch && sameIgnoringCase(name, L"UnregServerPerUser")) {
            line.action = Action::Unregister;
            line.perUser = true;
        } else if (isSwitch && (sameIgnoringCase(name, L"Embedding") || sameIgnoringCase(name, L"Automation"))) {
            line.startedForClient = true;
        } else if (line.unknownSwitch.empty()) {
            line.unknownSwitch = argument;
        }
    }
    return line;
}

}  // namespace corvane::com
