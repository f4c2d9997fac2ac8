#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Form1.h"

// Runs Form1 inside the test process (hidden) and acts on it through window messages only, as its controls would:
// choosing an item, clicking an option or "Change". Message boxes are read and dismissed by a timer.
class FormHarness {
 public:
  FormHarness();
  ~FormHarness();
  FormHarness(const FormHarness&) = delete;
  FormHarness& operator=(const FormHarness&) = delete;

  HWND Window() const { return form_->Handle(); }
  std::vector<std::wstring> ListedAccounts() const;
  std::wstring ComboText() const;
  // "Yes", "No" or "" for neither.
  std::wstring SelectedOption() const;

  void Choose(int index);
  void ClickOption(bool yes);
  // Clicks "Change" and returns the text of every message box it showed.
  std::vector<std::wstring> ClickChange();

 private:
  HWND Control(int id) const;
  std::unique_ptr<Form1> form_;
};
