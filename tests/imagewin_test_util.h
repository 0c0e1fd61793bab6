// Helpers of the image window interaction tests: captions, client sizes, a
// held Ctrl key for the test thread, and line typing for the prompts.
#pragma once

#include <string>

#include "imagewin/imagewin.h"
#include "surfaces_test_util.h"

inline std::string CaptionOf(int number) {
  char caption[kCaptionBytes];
  GetWindowTextAnsi(image_windows[number].window, caption, kCaptionBytes);
  return caption;
}

inline SIZE ClientSizeOf(int number) {
  RECT client = {};
  GetClientRect(image_windows[number].window, &client);
  return SIZE{client.right - client.left, client.bottom - client.top};
}

// The window's client area is exactly the view of its slot.
inline void ExpectClientIsView(int number) {
  SIZE client = ClientSizeOf(number);
  EXPECT_EQ(client.cx, image_windows[number].view_width) << "slot " << number;
  EXPECT_EQ(client.cy, image_windows[number].view_height) << "slot " << number;
}

// Holds or releases Ctrl for the calling thread, which owns the test's windows.
inline void HoldControl(bool down) { HoldControlKey(down); }

inline void SendKey(int number, WPARAM key) {
  SendMessageW(image_windows[number].window, WM_KEYDOWN, key, 1);
}

inline void SendControlKey(int number, WPARAM key) {
  HoldControl(true);
  SendKey(number, key);
  HoldControl(false);
}

inline void SendCommand(int number, int id) {
  SendMessageW(image_windows[number].window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}
