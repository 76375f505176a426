// The splash window: where it appears, that it leaves the user's window
// active, how it closes, and what it paints.
#include "app/splash.h"
#include "support/program_names.h"
#include "support/shell_data_folder_test.h"
#include "support/window_checks.h"
#include "win/handles.h"

namespace {

constexpr int kSplashWidth = 480;
constexpr int kSplashHeight = 300;

HWND TheSplash() {
    const std::vector<HWND> windows = WindowsOfClass(kSplashClass);
    return windows.size() == 1 ? windows.front() : nullptr;
}

void Click(HWND window, int x, int y) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

class Splash : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        ShowSplash(GetModuleHandleW(nullptr));
        splash_ = TheSplash();
        ASSERT_NE(splash_, nullptr);
    }

    HWND splash_ = nullptr;
};

}  // namespace

TEST_F(Splash, IsATopmostToolWindowOfFixedSizeWithRoundedCornersCentredOnTheWorkArea) {
    EXPECT_EQ(WindowTextOf(splash_), u"Quillboard");
    EXPECT_TRUE(IsWindowVisible(splash_));
    const LONG_PTR exStyle = GetWindowLongPtrW(splash_, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    const LONG_PTR style = GetWindowLongPtrW(splash_, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);

    const Rect rect = WindowRect(splash_);
    const Rect work = WorkArea();
    EXPECT_EQ(rect.Width(), kSplashWidth);
    EXPECT_EQ(rect.Height(), kSplashHeight);
    // As much room on either side, give or take the odd pixel.
    EXPECT_NEAR(rect.left - work.left, work.right - rect.right, 1);
    EXPECT_NEAR(rect.top - work.top, work.bottom - rect.bottom, 1);

    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(splash_, region.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), kSplashWidth - 1, kSplashHeight - 1));
    EXPECT_TRUE(PtInRegion(region.Get(), kSplashWidth / 2, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), kSplashWidth / 2, kSplashHeight / 2));
    EXPECT_TRUE(PtInRegion(region.Get(), kSplashWidth - 1, kSplashHeight / 2));
}

TEST_F(Splash, LeavesTheUsersWindowActive) {
    DestroyWindow(splash_);
    // An ordinary application window the user is working in.
    HWND user = CreateWindowExW(0, L"STATIC", L"user", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(user, nullptr);
    SetForegroundWindow(user);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == user; }));

    ShowSplash(GetModuleHandleW(nullptr));
    ASSERT_NE(TheSplash(), nullptr);
    PumpPending();

    EXPECT_EQ(GetForegroundWindow(), user);
    EXPECT_EQ(GetActiveWindow(), user);
    DestroyWindow(user);
}

TEST_F(Splash, ClosesOnAClickOnTheCrossOnly) {
    const POINT elsewhere[] = {
        {449, 20}, {472, 20}, {460, 9}, {460, 32},  // just outside the cross's square
        {240, 120}, {20, 290}, {60, 240},           // background
    };
    for (const POINT& point : elsewhere) {
        Click(splash_, point.x, point.y);
        EXPECT_TRUE(IsWindow(splash_)) << point.x << ", " << point.y;
    }
    Click(splash_, 460, 20);
    EXPECT_FALSE(IsWindow(splash_));
}

TEST_F(Splash, ClosesWhenItsTimerFires) {
    SendMessageW(splash_, WM_TIMER, 2, 0);
    EXPECT_TRUE(IsWindow(splash_));
    SendMessageW(splash_, WM_TIMER, 1, 0);
    EXPECT_FALSE(IsWindow(splash_));
}

TEST_F(Splash, PaintsBandButtonBorderAndTheLogoWithItsTransparency) {
    RedrawWindow(splash_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();

    EXPECT_EQ(WindowPixel(splash_, 240, 3), 0x00A0F6FFu);    // the yellow band
    EXPECT_EQ(WindowPixel(splash_, 300, 125), 0x00FFFFFFu);  // white background
    EXPECT_EQ(WindowPixel(splash_, 240, 140), 0x00E4E4E4u);  // separator
    EXPECT_EQ(WindowPixel(splash_, 150, 224), 0x00BA7000u);  // the button's left end
    EXPECT_EQ(WindowPixel(splash_, 240, kSplashHeight - 1), 0x00D2D2D2u);  // border
    EXPECT_EQ(WindowPixel(splash_, 0, 150), 0x00D2D2D2u);
    // The logo: its paper where it is opaque, white where it is transparent.
    const COLORREF paper = WindowPixel(splash_, 52, 114);  // 0x00A0F6FF, give or take 8 a channel
    EXPECT_NEAR(GetRValue(paper), 0xFF, 8);
    EXPECT_NEAR(GetGValue(paper), 0xF6, 8);
    EXPECT_NEAR(GetBValue(paper), 0xA0, 8);
    EXPECT_EQ(WindowPixel(splash_, 24, 26), 0x00FFFFFFu);
    EXPECT_EQ(WindowPixel(splash_, 135, 27), 0x00FFFFFFu);
}
