// The main of every test program that reaches the registry from its own process: HKEY_CURRENT_USER is a scratch key
// for the whole run, whatever profile the tests run on.
#include <gtest/gtest.h>

#include "ScratchCurrentUser.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new ScratchCurrentUser);
  return RUN_ALL_TESTS();
}
