// Whole-program scenarios of image windows on the worker thread: the main
// window thread's requests (create, load, redraw, paste), X and Esc ending the
// program as in the main window, and Ctrl keys acting on the worker's window.
#include "image_test_helpers.h"

namespace {

uint32_t SurfacePixel(int n, int x, int y) { return pixels[n][y * image_windows[n].width + x]; }

// Result codes of `requests` run one after another on the main thread.
std::vector<int> OnMainThread(std::vector<std::function<int()>> requests) {
  std::vector<int> codes;
  RunOnMainThreadAndWait([&] {
    for (auto& request : requests) codes.push_back(request());
  });
  return codes;
}

// A process starts the framework once: one case per key.
void KeyInImageWindowExits(WPARAM key) {
  ExpectCleanExit(
      [] { ZUL_CreateImage(3, "pic", 300, 300, 160, 120, 100); }, Nothing,
      [key] {
        EXPECT_TRUE(KeyEndsTheProgram(
            [] { return image_windows[3].in_use ? image_windows[3].window : nullptr; }, key));
      });
}

}  // namespace

TEST(ImageWindowScenario, EscapeInAnImageWindowExits) { KeyInImageWindowExits(VK_ESCAPE); }
TEST(ImageWindowScenario, XInAnImageWindowExits) { KeyInImageWindowExits('X'); }

TEST(ImageWindowScenario, ControlKeysOnTheWorkersWindow) {
  ExpectCleanExit([] { ZUL_CreateImage(2, "pic", 300, 300, 400, 300, 50); }, Nothing,
                  [] {
                    ASSERT_TRUE(WaitUntil([] { return image_windows[2].in_use != 0; }));
                    HWND window = image_windows[2].window;
                    SendControlKey(window, VK_NUMPAD0);  // sent: handled when this returns
                    EXPECT_EQ(image_windows[2].zoom, 100);
                    SendControlKey(window, 'Q');
                    EXPECT_TRUE(WaitUntil(
                        [&] { return image_windows[2].in_use == 0 && !IsWindow(window); }, 2000));
                  });
}

TEST(ImageRequests, CreateLoadRedrawAndPasteFromTheMainThread) {
  WriteBytesToFile(L"surf_request.bmp", Bmp24Bytes(8, 6, [](int, int) { return 0xFF0000u; }));
  ExpectCleanExit(nullptr, nullptr, [] {
    // Created, number too large, slot in use.
    EXPECT_EQ(OnMainThread({[] { return RequestCreateImage(0, "000 test", 200, 100, 32); },
                            [] { return RequestCreateImage(256, "x", 10, 10, 32); },
                            [] { return RequestCreateImage(0, "again", 10, 10, 8); }}),
              (std::vector<int>{0, 4, 1}));
    const ImageWindow& slot = image_windows[0];
    ASSERT_TRUE(slot.in_use);
    EXPECT_TRUE(slot.bits == 32 && slot.width == 200 && CaptionOf(0) == "000 test(100%)");
    ExpectClientIsView(0);
    EXPECT_EQ(GetWindowThreadProcessId(slot.window, nullptr), GetThreadId(worker_thread));
    EXPECT_EQ(GetWindow(slot.window, GW_OWNER), main_window);

    EXPECT_EQ(OnMainThread({[] { return RequestLoadImageFile(0, "surf_request.bmp"); },
                            [] { return RequestLoadImageFile(0, "surf_no_such_file.bmp"); },
                            [] { return RequestRedrawImage(0), 0; }}),
              (std::vector<int>{0, 1, 0}));
    EXPECT_EQ((Values{SurfacePixel(0, 0, 0), SurfacePixel(0, 7, 5), SurfacePixel(0, 8, 0)}),
              (Values{0xFF0000, 0xFF0000, 0}));
    HDC dc = GetDC(slot.window);
    EXPECT_TRUE(GetPixel(dc, 3, 3) == RGB(255, 0, 0) && GetPixel(dc, 100, 50) == RGB(0, 0, 0));
    ReleaseDC(slot.window, dc);

    // A second window becomes current; loading into window 0, or into a free
    // or bad number (nothing anywhere), leaves it current.
    EXPECT_EQ(OnMainThread({[] { return RequestCreateImage(1, "001", 120, 80, 32); },
                            [] { return RequestLoadImageFile(0, "surf_request.bmp"); },
                            [] { return RequestLoadImageFile(7, "surf_request.bmp"); },
                            [] { return RequestLoadImageFile(300, "surf_request.bmp"); }}),
              (std::vector<int>{0, 0, 2, 2}));
    EXPECT_TRUE(current_image == 1 && ImageHistoryEntry(0) == 0 && SurfacePixel(1, 0, 0) == 0u);

    // A pasted bitmap lands in the current window at (0, 0).
    RunOnMainThreadAndWait([] {
      Values bits(4 * 3, 0x0000FF);
      RequestPasteBitmap(CreateBitmap(4, 3, 1, 32, bits.data()));
      RequestRedrawImage(1);
    });
    EXPECT_EQ((Values{SurfacePixel(1, 0, 0), SurfacePixel(1, 3, 2), SurfacePixel(1, 4, 0),
                      SurfacePixel(0, 0, 0)}),
              (Values{0x0000FF, 0x0000FF, 0, 0xFF0000}));
  });
}
