// The main window thread's image requests (create, load, redraw, paste)
// carried out by the worker thread in a whole running program.
#include "test_support.h"

namespace {

uint32_t SurfacePixel(int number, int x, int y) {
  return pixels[number][y * image_windows[number].width + x];
}

}  // namespace

TEST(ImageRequests, CreateLoadRedrawAndPasteFromTheMainThread) {
  WriteBytesToFile(L"surf_request.bmp", Bmp24Bytes(8, 6, [](int, int) { return 0xFF0000u; }));
  int code = RunScenario(nullptr, nullptr, [] {
    int created = -1, too_big = -1, in_use = -1;
    RunOnMainThreadAndWait([&] {
      created = RequestCreateImage(0, "000 test", 200, 100, 32);
      too_big = RequestCreateImage(256, "x", 10, 10, 32);
      in_use = RequestCreateImage(0, "again", 10, 10, 8);
    });
    ASSERT_EQ(created, 0);
    EXPECT_EQ(too_big, 4);
    EXPECT_EQ(in_use, 1);
    const ImageWindow& slot = image_windows[0];
    ASSERT_TRUE(slot.in_use);
    EXPECT_EQ(slot.bits, 32);
    EXPECT_EQ(slot.width, 200);
    ExpectClientIsView(0);
    EXPECT_EQ(CaptionOf(0), "000 test(100%)");
    EXPECT_EQ(GetWindowThreadProcessId(slot.window, nullptr), GetThreadId(worker_thread));
    EXPECT_EQ(GetWindow(slot.window, GW_OWNER), main_window);

    int loaded = -1, missing = -1;
    RunOnMainThreadAndWait([&] {
      loaded = RequestLoadImageFile(0, "surf_request.bmp");
      missing = RequestLoadImageFile(0, "surf_no_such_file.bmp");
      RequestRedrawImage(0);
    });
    EXPECT_EQ(loaded, 0);
    EXPECT_EQ(missing, 1);
    EXPECT_EQ(SurfacePixel(0, 0, 0), 0xFF0000u);
    EXPECT_EQ(SurfacePixel(0, 7, 5), 0xFF0000u);
    EXPECT_EQ(SurfacePixel(0, 8, 0), 0u);
    HDC dc = GetDC(slot.window);
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 100, 50), RGB(0, 0, 0));
    ReleaseDC(slot.window, dc);

    // A second window becomes current; loading into window 0 leaves it current.
    int second = -1, reloaded = -1;
    RunOnMainThreadAndWait([&] {
      second = RequestCreateImage(1, "001", 120, 80, 32);
      reloaded = RequestLoadImageFile(0, "surf_request.bmp");
    });
    EXPECT_EQ(second, 0);
    EXPECT_EQ(reloaded, 0);
    EXPECT_EQ(current_image, 1);
    EXPECT_EQ(SurfacePixel(1, 0, 0), 0u);

    // A free or bad number loads nothing anywhere and keeps the current window.
    int free_slot = -1, bad_number = -1;
    RunOnMainThreadAndWait([&] {
      free_slot = RequestLoadImageFile(7, "surf_request.bmp");
      bad_number = RequestLoadImageFile(300, "surf_request.bmp");
    });
    EXPECT_EQ(free_slot, 2);
    EXPECT_EQ(bad_number, 2);
    EXPECT_EQ(current_image, 1);
    EXPECT_EQ(ImageHistoryEntry(0), 0);
    EXPECT_EQ(SurfacePixel(1, 0, 0), 0u);

    // A pasted bitmap lands in the current window at (0, 0).
    RunOnMainThreadAndWait([] {
      uint32_t bits[4 * 3];
      for (uint32_t& b : bits) b = 0x0000FF;
      RequestPasteBitmap(CreateBitmap(4, 3, 1, 32, bits));
      RequestRedrawImage(1);
    });
    EXPECT_EQ(SurfacePixel(1, 0, 0), 0x0000FFu);
    EXPECT_EQ(SurfacePixel(1, 3, 2), 0x0000FFu);
    EXPECT_EQ(SurfacePixel(1, 4, 0), 0u);
    EXPECT_EQ(SurfacePixel(0, 0, 0), 0xFF0000u);
  });
  EXPECT_EQ(code, 0);
}
