// Redirects HKEY_CURRENT_USER, for this process and the whole test run, to a fresh key of its own, so that tests
// seed and change the host product's key freely without reaching the user's real one. Installed before any test runs
// (TestMain.cpp).
#pragma once
#include <gtest/gtest.h>

#include <string>

class ScratchCurrentUser : public testing::Environment {
 public:
  // Creates HKCU\Software\PluginSwitchTests\<time>-<random>, removes scratch keys of runs older than a day (a crashed
  // run leaves its key behind) and redirects HKEY_CURRENT_USER to it; ends the run as failed if it cannot.
  void SetUp() override;
  // Lifts the redirection and deletes the key, and its parent once no other run uses it.
  void TearDown() override;

  // A path below this process's HKEY_CURRENT_USER as another process sees it below the real one.
  static std::wstring OutsidePath(const std::wstring& path);

 private:
  static std::wstring path_;  // below the real HKEY_CURRENT_USER; empty while nothing is redirected
};
