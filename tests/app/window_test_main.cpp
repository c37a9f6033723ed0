// Widgets need a QApplication; without a display (test discovery, CI) they run offscreen.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/window/window_main.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  zr::window::UseScreenDpi();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
