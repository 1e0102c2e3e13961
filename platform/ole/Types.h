#pragma once

#include <cstdint>
#include <string>

// Result codes and identifiers of the component model, with the numeric values that control
// libraries and persisted data share.
namespace ole {

using HRESULT = std::int32_t;
using DispId = std::int32_t;

constexpr bool succeeded(HRESULT hr)
{
    return hr >= 0;
}
constexpr bool failed(HRESULT hr)
{
    return hr < 0;
}

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_DLLNOTFOUND = static_cast<HRESULT>(0x800401F8u);
constexpr HRESULT CO_E_ERRORINDLL = static_cast<HRESULT>(0x800401F9u);
constexpr HRESULT SELFREG_E_TYPELIB = static_cast<HRESULT>(0x80040200u);
constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);
constexpr HRESULT STG_E_READFAULT = static_cast<HRESULT>(0x8003001Eu);

// Stock dispatch identifiers of properties, methods, events and ambient properties.
constexpr DispId DISPID_UNKNOWN = -1;
constexpr DispId DISPID_VALUE = 0;
constexpr DispId DISPID_BACKCOLOR = -501;
constexpr DispId DISPID_BORDERSTYLE = -504;
constexpr DispId DISPID_FONT = -512;
constexpr DispId DISPID_FORECOLOR = -513;
constexpr DispId DISPID_ENABLED = -514;
constexpr DispId DISPID_HWND = -515;
constexpr DispId DISPID_TEXT = -517;
constexpr DispId DISPID_CAPTION = -518;
constexpr DispId DISPID_REFRESH = -550;
constexpr DispId DISPID_ABOUTBOX = -552;
constexpr DispId DISPID_CLICK = -600;
constexpr DispId DISPID_DBLCLICK = -601;
constexpr DispId DISPID_KEYDOWN = -602;
constexpr DispId DISPID_KEYPRESS = -603;
constexpr DispId DISPID_KEYUP = -604;
constexpr DispId DISPID_MOUSEDOWN = -605;
constexpr DispId DISPID_MOUSEMOVE = -606;
constexpr DispId DISPID_MOUSEUP = -607;
constexpr DispId DISPID_AMBIENT_BACKCOLOR = -701;
constexpr DispId DISPID_AMBIENT_DISPLAYNAME = -702;
constexpr DispId DISPID_AMBIENT_FONT = -703;
constexpr DispId DISPID_AMBIENT_FORECOLOR = -704;
constexpr DispId DISPID_AMBIENT_USERMODE = -709;

// An automation error raised by a property access or method: DISP_E_EXCEPTION carries one.
struct ExcepInfo {
    HRESULT scode = S_OK;
    std::string source;
    std::string description;
    std::int32_t helpContext = 0;
};

} // namespace ole
