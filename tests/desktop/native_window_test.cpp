// Creating a native window keeps the control word that was in force before it.
#include "desktop/native_window.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QWidget>

#include "calc/uFloatEnv.h"
#include "desktop/window_system.h"

using namespace zentarix;

namespace {

// Qt names its Wayland platforms by their buffers: each is Wayland, and nothing else is.
TEST(WindowSystem, EveryWaylandPlatformIsWayland) {
  for (const char* name : {"wayland", "wayland-egl", "wayland-brcm"}) {
    EXPECT_TRUE(IsWaylandPlatform(QString::fromLatin1(name))) << name;
  }
  for (const char* name : {"xcb", "offscreen", "eglfs", ""}) {
    EXPECT_FALSE(IsWaylandPlatform(QString::fromLatin1(name))) << name;
  }
}

TEST(NativeWindow, TheWordInForceBeforeBecomesTheDefault) {
  const std::uint16_t original = DefaultFpuControlWord;
  LoadFpuControlWord(0x1B32);  // rounding up, loaded by someone before the window is made
  QWidget window;
  CreateNativeWindow(window);
  EXPECT_NE(window.windowHandle(), nullptr);
  EXPECT_EQ(DefaultFpuControlWord, 0x1B32);
  EXPECT_EQ(CurrentFpuControlWord(), 0x1B32);
  SetFpuControlWord(original);
  ResetFpu();
}

TEST(NativeWindow, AnOwnedWindowLeavesItsOwnersControlsAlien) {
  QWidget owner;
  auto* control = new QWidget(&owner);
  QDialog box(&owner);
  CreateNativeWindow(owner);
  CreateNativeWindow(box);
  EXPECT_NE(box.windowHandle(), nullptr);
  EXPECT_FALSE(control->testAttribute(Qt::WA_NativeWindow));
  owner.show();
  EXPECT_EQ(control->internalWinId(), 0u);
}

}  // namespace
