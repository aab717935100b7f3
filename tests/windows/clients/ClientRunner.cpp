// Runs the clients of the COM server as they run on Windows: registers the
// server, then runs a script under cscript (which must print its marker), or
// plays a client itself. One scenario per run, each in a fresh prefix.
//   com_client_runner SERVER.exe script FILE       a script client
//   com_client_runner SERVER.exe together FILE     this program and the script at once
//   com_client_runner SERVER.exe abandoned         a client killed holding objects
//   com_client_runner SERVER.exe early-bound       a client calling through the vtables
//   com_client_runner SERVER.exe registration      what /RegServer writes and /UnregServer removes
#include "DispatchCalls.h"
#include "EarlyBoundClient.h"
#include "RegistryCensus.h"

#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

using namespace corvane::com::test;

namespace {

constexpr wchar_t kHoldingEvent[] = L"CorvaneSimTestClientHolding";
constexpr wchar_t kPassedMarker[] = L"CLIENT PASSED";
constexpr DWORD kLongestRun = 120000;

int failures = 0;

void check(bool condition, const char* what)
{
    if (condition) return;
    std::printf("FAIL: %s\n", what);
    std::fflush(stdout);
    ++failures;
}

// Runs `commandLine` with its output in a file; returns its exit code and output.
DWORD run(std::wstring commandLine, std::string& output)
{
    wchar_t folder[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"cli", 0, file);
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE out = CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = out;
    start.hStdError = out;
    PROCESS_INFORMATION process{};
    DWORD code = 255;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process)) {
        if (WaitForSingleObject(process.hProcess, kLongestRun) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 254);
            std::printf("FAIL: still running after %lu ms: %ls\n", kLongestRun, commandLine.c_str());
        }
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    HANDLE in = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(in, buffer, sizeof(buffer), &read, nullptr) && read > 0) output.append(buffer, read);
    CloseHandle(in);
    DeleteFileW(file);
    return code;
}

bool registerServer(const std::wstring& server, const wchar_t* how = L"/RegServer")
{
    std::string output;
    const DWORD code = run(L"\"" + server + L"\" " + how, output);
    std::printf("%ls %ls: exit %lu %s", server.c_str(), how, code, output.c_str());
    return code == 0;
}

// A script under cscript; it passes when it printed the marker and no failure.
void runScript(const std::wstring& script)
{
    std::string output;
    run(L"cscript.exe //nologo \"" + script + L"\"", output);
    std::printf("%s", output.c_str());
    const std::string marker(kPassedMarker, kPassedMarker + wcslen(kPassedMarker));
    check(output.find(marker) != std::string::npos, "the script printed its marker");
    check(output.find("FAIL") == std::string::npos, "the script reported no failure");
}

IDispatch* createData()
{
    CLSID data{};
    IDispatch* created = nullptr;
    HRESULT result = CLSIDFromProgID(L"CorvaneSim.Data", &data);
    if (SUCCEEDED(result))
        result = CoCreateInstance(data, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&created));
    if (FAILED(result)) std::printf("creating a Data failed: 0x%08lX\n", static_cast<unsigned long>(result));
    return created;
}

LONG sampleFrequency(IDispatch* data)
{
    const CallResult got = call(data, L"SampleFrequency", DISPATCH_PROPERTYGET);
    return got.code == S_OK && got.value.vt == VT_I4 ? got.value.lVal : -1;
}

// Starts the server with a first session and lets it go. Without a tag
// database beside the server that first creation fails, as the failed load
// of the tag table makes it, and the next one succeeds.
void startServer()
{
    IDispatch* first = createData();
    if (!first) {
        std::printf("runner: the first session failed (no tag database); the next must not\n");
        first = createData();
    }
    check(first != nullptr, "the server starts and makes a session");
    if (first) first->Release();
}

// This program as a second client beside the script: the session settings
// each sets are the other's, so both reach one server.
void together(const std::wstring& script)
{
    IDispatch* data = createData();
    check(data != nullptr, "this client creates a Data");
    if (!data) return;
    check(call(data, L"SampleFrequency", DISPATCH_PROPERTYPUT, {longValue(77)}).code == S_OK, "this client sets 77");
    runScript(script);  // reads 77, sets 88
    check(sampleFrequency(data) == 88, "this client reads what the script set");
    data->Release();
}

// The copy of this program that holds objects until it is killed.
int holdObjects()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IDispatch* data = createData();
    if (!data) return 1;
    const CallResult tags = call(data, L"Tags", DISPATCH_PROPERTYGET);
    IDispatch* list = objectIn(tags);
    if (list) call(list, L"Add", DISPATCH_METHOD, {text(L"HELD.PV")});
    HANDLE holding = OpenEventW(EVENT_MODIFY_STATE, FALSE, kHoldingEvent);
    SetEvent(holding);
    WaitForSingleObject(GetCurrentProcess(), INFINITE);  // until killed
    return 0;
}

void abandoned(const std::wstring& self)
{
    IDispatch* data = createData();
    check(data != nullptr, "this client creates a Data");
    if (!data) return;
    HANDLE holding = CreateEventW(nullptr, TRUE, FALSE, kHoldingEvent);
    std::wstring commandLine = L"\"" + self + L"\" hold";
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    PROCESS_INFORMATION child{};
    check(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &child), "the other client starts");
    HANDLE either[] = {holding, child.hProcess};
    check(WaitForMultipleObjects(2, either, FALSE, kLongestRun) == WAIT_OBJECT_0, "the other client holds its objects");
    TerminateProcess(child.hProcess, 9);
    WaitForSingleObject(child.hProcess, kLongestRun);

    // The server goes on serving this client, and new ones.
    check(call(data, L"SampleFrequency", DISPATCH_PROPERTYPUT, {longValue(45)}).code == S_OK, "calls after the kill");
    check(sampleFrequency(data) == 45, "the server still answers");
    IDispatch* fresh = createData();
    check(fresh != nullptr && sampleFrequency(fresh) == 45, "a new client after the kill");
    if (fresh) fresh->Release();
    data->Release();
}

void registration(const std::wstring& server)
{
    // A first round lets Wine make what it makes once (the standard library's
    // own entries, on first use), so that only the server's entries differ.
    check(registerServer(server) && registerServer(server, L"/UnregServer"), "a first round of registration");
    const RegistryCensus before = RegistryCensus::take();
    check(registerServer(server), "/RegServer succeeds");
    const RegistryCensus registered = RegistryCensus::take();
    for (const wchar_t* key : {L"CorvaneSim.Data\\CLSID", L"CorvaneSim.SimServer\\CLSID",
                               L"TypeLib\\{84AD9C78-181D-4B8C-AC03-3128F68DA65E}\\1.0"})
        check(registered.has(key), "registration writes the ProgIDs and the type library");
    check(registered.valueOf(L"CLSID\\{570F36B7-808B-4C88-9BFC-B97694509597}\\LocalServer32").find(L"/Automation") !=
              std::wstring::npos, "the local server starts with /Automation");
    check(!registered.has(L"CLSID\\{045F8D4E-3112-40C3-9011-986A43DF54B2}"), "Tag has no class registered");
    check(registered.valueOf(L"TypeLib\\{84AD9C78-181D-4B8C-AC03-3128F68DA65E}\\1.0\\0\\win64").ends_with(L"CorvaneSim.tlb"),
          "the type library registered for win64 beside the executable");
    check(registered.valueOf(L"Interface\\{FF4CA9A5-A527-4934-9967-304FBEB8FE76}\\ProxyStubClsid32") ==
              L"{00020424-0000-0000-C000-000000000046}", "interfaces marshalled by the type library");

    ITypeLib* library = nullptr;
    const GUID libid = {0x84AD9C78, 0x181D, 0x4B8C, {0xAC, 0x03, 0x31, 0x28, 0xF6, 0x8D, 0xA6, 0x5E}};
    check(SUCCEEDED(LoadRegTypeLib(libid, 1, 0, 0, &library)), "the registered type library loads");
    if (library) {
        check(library->GetTypeInfoCount() == 10, "ten type descriptions");
        library->Release();
    }

    check(registerServer(server, L"-unregserver"), "-unregserver succeeds");
    const RegistryCensus after = RegistryCensus::take();
    check(after == before, "unregistering removes exactly what registering wrote");
    if (!(after == before)) std::printf("%ls", RegistryCensus::differences(before, after).c_str());
    check(registerServer(server, L"/REGSERVERPERUSER"), "per-user registration succeeds");
    check(RegistryCensus::take(HKEY_CURRENT_USER).has(L"CorvaneSim.Data\\CLSID"), "per-user entries under HKCU");
    check(registerServer(server, L"/UnregServerPerUser"), "per-user unregistration succeeds");
    check(!RegistryCensus::take(HKEY_CURRENT_USER).has(L"CorvaneSim.Data"), "per-user entries gone");
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 2 && std::wstring(argv[1]) == L"hold") return holdObjects();
    if (argc < 3) {
        std::printf("usage: com_client_runner SERVER.exe script|together|abandoned|registration [FILE]\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring server = argv[1];
    const std::wstring scenario = argv[2];
    if (scenario == L"registration") {
        registration(server);
    } else if (!registerServer(server)) {
        check(false, "/RegServer succeeds");
    } else if (startServer(); failures > 0) {
        check(false, "the server starts");
    } else if (scenario == L"script" && argc > 3) {
        runScript(argv[3]);
    } else if (scenario == L"together" && argc > 3) {
        together(argv[3]);
    } else if (scenario == L"early-bound") {
        failures += runEarlyBoundClient();
    } else if (scenario == L"abandoned") {
        abandoned(argv[0]);
    } else {
        check(false, "a known scenario");
    }
    std::printf(failures == 0 ? "runner: passed\n" : "runner: %d failures\n", failures);
    // Without CoUninitialize: a server that ends under a call must not hold this program up.
    std::fflush(stdout);
    ExitProcess(failures == 0 ? 0 : 1);
}
