// Entry point shared by every test program: fixes the fonts and the backend before anything
// starts, so text metrics and pixels are the same on every machine.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("FONTCONFIG_FILE", KEL_FONTS_CONF, /*overwrite=*/0);
  setenv("KEL_BACKEND", "headless", /*overwrite=*/0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
