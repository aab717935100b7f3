// What a call of Tags.Count costs through COM, against the bare echo server of
// the same shape, and what activation costs. Runs under Wine like any client:
//   com_call_bench CORVANESIM.exe ECHOSERVER.exe [CALLS]
#include <windows.h>
#include <objbase.h>
#include <oaidl.h>

#include "EchoIdentifiers.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool runAndWait(std::wstring commandLine)
{
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process)) return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0;
}

// One property get of `id` on `target`, in milliseconds.
double timedCall(IDispatch* target, DISPID id)
{
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    const Clock::time_point start = Clock::now();
    target->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    return millisecondsSince(start);
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

IDispatch* create(const CLSID& id, double& milliseconds)
{
    IDispatch* made = nullptr;
    const Clock::time_point start = Clock::now();
    CoCreateInstance(id, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&made));
    milliseconds = millisecondsSince(start);
    return made;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::printf("usage: com_call_bench CORVANESIM.exe ECHOSERVER.exe [CALLS]\n");
        return 2;
    }
    const int calls = argc > 3 ? std::max(1, _wtoi(argv[3])) : 500;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (!runAndWait(L"\"" + std::wstring(argv[1]) + L"\" /RegServer")) return 1;
    HKEY key = nullptr;
    const std::wstring echo = std::wstring(L"\"") + argv[2] + L"\"";
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, corvane::bench::kEchoClassKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(echo.c_str()), DWORD((echo.size() + 1) * 2));
    RegCloseKey(key);

    CLSID dataClass{};
    CLSIDFromProgID(L"CorvaneSim.Data", &dataClass);
    double activation = 0, again = 0, echoActivation = 0;
    IDispatch* data = create(dataClass, activation);
    if (!data) data = create(dataClass, again);  // without a tag database the first creation fails
    IDispatch* echoObject = create(corvane::bench::kEchoClass, echoActivation);
    if (!data || !echoObject) return 1;

    DISPPARAMS none{};
    VARIANT tags;
    VariantInit(&tags);
    data->Invoke(0x68030007, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &tags, nullptr, nullptr);
    if (tags.vt != VT_DISPATCH) return 1;

    for (int i = 0; i < 50; ++i) {  // warm-up
        timedCall(tags.pdispVal, 0x68030000);
        timedCall(echoObject, 0x68030000);
    }
    // Call by call in turn, so that the machine's changing load falls on both
    // alike; the medians, so that a moment of someone else's work does not count.
    std::vector<double> counts, bares;
    for (int i = 0; i < calls; ++i) {
        counts.push_back(timedCall(tags.pdispVal, 0x68030000));
        bares.push_back(timedCall(echoObject, 0x68030000));
    }
    const double count = median(counts), bare = median(bares);
    std::printf("activation of the server (first CreateObject): %.0f ms\n", activation);
    std::printf("activation of the echo server: %.0f ms\n", echoActivation);
    std::printf("Tags.Count through COM: %.3f ms a call (median)\n", count);
    std::printf("the echo server's get: %.3f ms a call (median)\n", bare);
    std::printf("ratio: %.2f\n", count / bare);
    std::fflush(stdout);
    ExitProcess(0);
}
