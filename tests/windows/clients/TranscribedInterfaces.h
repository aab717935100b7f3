#pragma once

#include <windows.h>
#include <oaidl.h>

// The dual interfaces as an early-bound client declares them, transcribed
// from the published member list rather than taken from the server's table,
// so that the vtable order is checked: IDispatch's entries, then the members
// in order, each returning a status code and its result last.
namespace corvane::com::test {

struct _Tag;
struct _Tags;
struct _TagDefinition;

inline constexpr GUID kIidData = {0x54FA90D0, 0xEE25, 0x4459, {0xA1, 0x2B, 0xDF, 0xAF, 0x9D, 0x8A, 0x5D, 0xB6}};
inline constexpr GUID kIidTag = {0x0526064B, 0x8D54, 0x4E0D, {0xA9, 0xF6, 0x28, 0xF5, 0xC1, 0x68, 0x0A, 0x4E}};
inline constexpr GUID kIidTags = {0xFF4CA9A5, 0xA527, 0x4934, {0x99, 0x67, 0x30, 0x4F, 0xBE, 0xB8, 0xFE, 0x76}};
inline constexpr GUID kClsidTag = {0x045F8D4E, 0x3112, 0x40C3, {0x90, 0x11, 0x98, 0x6A, 0x43, 0xDF, 0x54, 0xB2}};

struct _Data : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Login(BSTR userName, BSTR password) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Tags(_Tags** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_StartTime(VARIANT* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_StartTime(VARIANT value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EndTime(VARIANT* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_EndTime(VARIANT value) = 0;
    virtual HRESULT STDMETHODCALLTYPE Fetch() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SampleFrequency(LONG* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SampleFrequency(LONG value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MinimumConfidence(FLOAT* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MinimumConfidence(FLOAT value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SampleMethod(BSTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SampleMethod(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HostName(BSTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HostName(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ConnectionTimeout(LONG* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ConnectionTimeout(LONG value) = 0;
};

struct _Tag : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_TagDefinition(_TagDefinition** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE UnpackResults(VARIANT* values, VARIANT* timestamps, VARIANT* confidences) = 0;
    virtual HRESULT STDMETHODCALLTYPE Define(BSTR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TagName(BSTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Units(BSTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Units(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Offset(BSTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Offset(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ReductionType(BSTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ReductionType(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PV(FLOAT* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PV(FLOAT value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Confidence(LONG* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Confidence(LONG value) = 0;
    virtual HRESULT STDMETHODCALLTYPE Put0(VARIANT value, VARIANT time, VARIANT confidence) = 0;
};

struct _Tags : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE Add(BSTR* name, VARIANT* key, _Tag** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE Delete(VARIANT index) = 0;
    virtual HRESULT STDMETHODCALLTYPE Remove(VARIANT* tag) = 0;
    virtual HRESULT STDMETHODCALLTYPE Item(VARIANT index, _Tag** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE NewEnum(IUnknown** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveAll() = 0;
};

}  // namespace corvane::com::test
