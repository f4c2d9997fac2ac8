// What a screen reader reads of a window, through UI Automation's client (IUIAutomation). The interfaces are declared
// here, in the vtable order of the Windows SDK's UIAutomationClient.idl down to the last method used, since
// mingw-w64 10's uiautomationclient.h has only the IDs; slots never called keep their place with no parameters.
#pragma once
#include <windows.h>

#include <oleauto.h>

#include <string>

#include "registry/UniqueOwner.h"

namespace UiAutomation {

struct IUIAutomationElement : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRuntimeId() = 0;
  virtual HRESULT STDMETHODCALLTYPE FindFirst() = 0;
  virtual HRESULT STDMETHODCALLTYPE FindAll() = 0;
  virtual HRESULT STDMETHODCALLTYPE FindFirstBuildCache() = 0;
  virtual HRESULT STDMETHODCALLTYPE FindAllBuildCache() = 0;
  virtual HRESULT STDMETHODCALLTYPE BuildUpdatedCache() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(int propertyId, VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValue() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValueEx() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPatternAs(int patternId, REFIID iid, void** pattern) = 0;
};

struct IUIAutomationTreeWalker : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetParentElement(IUIAutomationElement* element, IUIAutomationElement** out) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFirstChildElement(IUIAutomationElement* element, IUIAutomationElement** out) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLastChildElement() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNextSiblingElement(IUIAutomationElement* element,
                                                          IUIAutomationElement** out) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPreviousSiblingElement(IUIAutomationElement* element,
                                                              IUIAutomationElement** out) = 0;
};

struct IUIAutomationSelectionItemPattern : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Select() = 0;
};

struct IUIAutomation : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CompareElements() = 0;
  virtual HRESULT STDMETHODCALLTYPE CompareRuntimeIds() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRootElement(IUIAutomationElement** root) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(HWND window, IUIAutomationElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromPoint() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFocusedElement() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRootElementBuildCache() = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromHandleBuildCache() = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromPointBuildCache() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFocusedElementBuildCache() = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateTreeWalker() = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ControlViewWalker(IUIAutomationTreeWalker** walker) = 0;
};

inline constexpr CLSID kCUIAutomation{0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
inline constexpr IID kIUIAutomation{0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
inline constexpr IID kIUIAutomationSelectionItemPattern{
    0xa8efa66a, 0x0fda, 0x421a, {0x91, 0x94, 0x38, 0x02, 0x1f, 0x35, 0x78, 0xea}};
// UI Automation's IDs of the properties, the pattern and the control types used.
inline constexpr int kControlType = 30003, kName = 30005, kIsKeyboardFocusable = 30009, kNativeWindowHandle = 30020,
                     kIsSelected = 30079, kSelectionItemPattern = 10010;
inline constexpr long kButton = 50000, kComboBox = 50003, kListItem = 50007, kRadioButton = 50013, kText = 50020,
                      kGroup = 50026, kWindow = 50032;

template <typename T>
void ReleaseCom(T* object) {
  object->Release();
}
template <typename T>
using Com = UniqueOwner<T*, &ReleaseCom<T>>;
using Element = Com<IUIAutomationElement>;

// A property of the element as text: a string as it is, a number in decimal, a truth value as "true" or "false", and
// "" where the element has none.
inline std::wstring Read(const Element& element, int property) {
  VARIANT value{};
  element.Get()->GetCurrentPropertyValue(property, &value);
  const std::wstring text = value.vt == VT_BSTR   ? std::wstring(value.bstrVal, SysStringLen(value.bstrVal))
                            : value.vt == VT_I4   ? std::to_wstring(value.lVal)
                            : value.vt == VT_BOOL ? (value.boolVal != VARIANT_FALSE ? L"true" : L"false")
                                                  : L"";
  VariantClear(&value);
  return text;
}
inline bool Is(const Element& element, long type) { return Read(element, kControlType) == std::to_wstring(type); }

}  // namespace UiAutomation
