// Reminder toasts on real windows: where they stack, how they leave, and
// their image.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "reminders/notification_sound.h"
#include "reminders/toast_painting.h"
#include "reminders/toast_stack.h"
#include "reminders/toast_window.h"
#include "support/screen_picture.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "ui/screen_geometry.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr DWORD kToastExStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr ColourRef kBlueNote = 0x00E6A03C;
constexpr char16_t kLongText[] =
    u"Préparer la réunion de lundi avec l'équipe : relire le budget, les objectifs du trimestre, la liste "
    u"des invités et réserver la grande salle";

// left, top, right, bottom: 12 pixels in from the right and top edges of
// the work area, one slot every 84 pixels, 310 x 76 each.
std::vector<int> ExpectedCorners(int slot) {
    const Rect area = WorkArea();
    const int top = area.top + 12 + slot * 84;
    return {area.right - 322, top, area.right - 12, top + 76};
}

std::vector<int> CornersOf(HWND window) {
    const Rect rect = WindowRect(window);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

class Toasts : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        ActiveSoundSettings().enabled = false;
    }

    static HWND Show(const char16_t* text, ColourRef accent = kBlueNote,
                     const char16_t* title = u"Travail > Appels") {
        EXPECT_TRUE(ShowToast(title, text, accent));
        return OpenToasts().empty() ? nullptr : OpenToasts().back();
    }

    static void ExpectStackedInOrder(const std::vector<HWND>& toasts) {
        ASSERT_EQ(OpenToasts(), toasts);
        for (size_t slot = 0; slot < toasts.size(); ++slot) {
            EXPECT_EQ(CornersOf(toasts[slot]), ExpectedCorners(static_cast<int>(slot))) << "slot " << slot;
        }
    }
};

TEST_F(Toasts, StackDownFromTheTopRightCornerAndAFullStackClosesItsOldest) {
    HWND focused = GetForegroundWindow();
    std::vector<HWND> toasts;
    for (int i = 0; i < ToastCapacity(WorkArea()); ++i) toasts.push_back(Show(u"une de plus"));
    ExpectStackedInOrder(toasts);
    HWND oldest = toasts.front();
    toasts.erase(toasts.begin());
    toasts.push_back(Show(u"la dernière"));  // takes the last slot
    EXPECT_FALSE(IsWindow(oldest));
    ExpectStackedInOrder(toasts);
    for (HWND toast : toasts) {
        EXPECT_EQ(ClassNameOf(toast), u"QuillboardToast");
        EXPECT_TRUE(IsWindowVisible(toast));
        EXPECT_EQ(GetWindowLongPtrW(toast, GWL_EXSTYLE) & kToastExStyle, kToastExStyle);
    }
    EXPECT_EQ(GetForegroundWindow(), focused);  // none took the focus
}

TEST_F(Toasts, AClickClosesAToastEvenWhenReleasedOutsideAndTheOnesBelowMoveUp) {
    HWND first = Show(u"un");
    HWND second = Show(u"deux");
    HWND third = Show(u"trois");
    SendMessageW(second, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 30));
    EXPECT_EQ(GetCapture(), second);
    SendMessageW(second, WM_LBUTTONUP, 0, MAKELPARAM(-200, 300));  // outside the toast
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(GetCapture(), nullptr);
    ExpectStackedInOrder({first, third});
}

TEST_F(Toasts, TheFirstTimerClosesTheToastAndTheSecondKeepsItOnTop) {
    HWND first = Show(u"un");
    HWND second = Show(u"deux");
    // A window made topmost later covers it until the one-second timer runs.
    SetWindowPos(second, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_FALSE(IsTopmost(second));
    EXPECT_TRUE(PumpUntil([&] { return IsTopmost(second); }));

    SendMessageW(first, WM_TIMER, kToastCloseTimerId, 0);  // its 30 seconds are over
    EXPECT_FALSE(IsWindow(first));
    ExpectStackedInOrder({second});
}

TEST_F(Toasts, TheImageIsATranslucentCardWithAnOpaqueBarAndTextKeptInside) {
    const std::vector<std::uint32_t> image = ToastImage(ToastData{u"Travail > Appels", kLongText, kBlueNote});
    ASSERT_EQ(image.size(), 310u * 76u);
    const auto pixel = [&](int x, int y) { return image[static_cast<size_t>(y) * 310 + x]; };
    EXPECT_EQ(pixel(0, 0), 0x01010101u);    // white at alpha 1: clear, yet clickable
    EXPECT_EQ(pixel(3, 38), 0xFF3CA0E6u);   // the note's colour, opaque
    constexpr std::uint32_t kBody = 0x4C4B4B4B;  // 0xFC at alpha 0x4C, premultiplied
    EXPECT_EQ(pixel(200, 3), kBody);
    // Nothing of the long text right of its rectangle or below its last whole line.
    for (int y = 26; y < 72; ++y) EXPECT_EQ(pixel(303, y), kBody) << y;
    for (int x = 16; x < 280; ++x) EXPECT_EQ(pixel(x, 73), kBody) << x;
}

// The pictures (when QB_SCREENSHOTS names a folder): toasts over vivid
// stripes as Wine shows them (without a desktop compositor, a layered
// window's colours are shown over black), then, with the toasts hidden,
// their images blended onto the stripes by GDI as the desktop compositor of
// Windows blends them.
constexpr COLORREF kStripes[] = {0x003030E0, 0x0030C0F0, 0x0050B040, 0x00D07020, 0x00A040A0};
std::vector<HWND> blendedToasts;

void BlendToastImage(HDC dc, const Rect& backdrop, HWND toast) {
    const auto* data = reinterpret_cast<const ToastData*>(GetWindowLongPtrW(toast, GWLP_USERDATA));
    const std::vector<std::uint32_t> image = ToastImage(*data);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 310, -76, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::copy(image.begin(), image.end(), static_cast<std::uint32_t*>(bits));
    const UniqueMemoryDc memory(CreateCompatibleDC(dc));
    const SelectScope selected(memory.Get(), bitmap.Get());
    const Rect at = WindowRect(toast);
    GdiAlphaBlend(dc, at.left - backdrop.left, at.top - backdrop.top, 310, 76, memory.Get(), 0, 0, 310, 76,
                  BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
}

LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    const PaintScope paint(window);
    for (int x = 0; x < 600; x += 40) {
        const RECT stripe{x, 0, x + 40, 600};
        FillRect(paint.Dc(), &stripe, UniqueBrush(CreateSolidBrush(kStripes[(x / 40) % 5])).Get());
    }
    for (HWND toast : blendedToasts) BlendToastImage(paint.Dc(), WindowRectOf(window), toast);
    return 0;
}

TEST_F(Toasts, PicturesOverABusyBackground) {
    if (ScreenshotFolder().empty()) GTEST_SKIP() << "no QB_SCREENSHOTS folder";
    WNDCLASSW backdropClass{};
    backdropClass.lpfnWndProc = BackdropProc;
    backdropClass.hInstance = GetModuleHandleW(nullptr);
    backdropClass.lpszClassName = L"ToastTestBackdrop";
    RegisterClassW(&backdropClass);
    const Rect area = WorkArea();
    HWND backdrop = CreateWindowExW(0, L"ToastTestBackdrop", L"", WS_POPUP | WS_VISIBLE, area.right - 390, area.top,
                                    390, 320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Show(u"Appeler la banque");
    Show(kLongText, 0x008050F0);
    Show(u"Arroser les plantes", 0x00A0A000, u"Un titre de catégorie bien trop long pour tenir sur une seule ligne");
    PumpPending();
    SaveScreenshotIfAsked(u"toasts-wine");

    blendedToasts = OpenToasts();
    for (HWND toast : blendedToasts) ShowWindow(toast, SW_HIDE);
    RedrawWindow(backdrop, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    SaveScreenshotIfAsked(u"toasts");
    blendedToasts.clear();
    DestroyWindow(backdrop);
}

}  // namespace
