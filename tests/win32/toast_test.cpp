// Reminder toasts on real windows: where they stack, how they leave, and
// their image.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "reminders/core/toast_stack.h"
#include "reminders/notification_sound.h"
#include "reminders/toast_painting.h"
#include "reminders/toast_window.h"
#include "support/screen_picture.h"
#include "support/shell_data_folder_test.h"
#include "support/window_checks.h"
#include "support/windows_test_support.h"
#include "win/handles.h"

namespace {

constexpr DWORD kToastExStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr ColourRef kBlueNote = 0x00E6A03C;
constexpr char16_t kLongText[] =
    u"Préparer la réunion de lundi avec l'équipe : relire le budget, les objectifs du trimestre, la liste "
    u"des invités et réserver la grande salle";

HWND Show(const char16_t* text, ColourRef accent = kBlueNote, const char16_t* title = u"Travail > Appels") {
    EXPECT_TRUE(ShowToast(title, text, accent));
    return OpenToasts().empty() ? nullptr : OpenToasts().back();
}

// Oldest first, 12 pixels in from the right and top edges of the work area,
// one slot every 84 pixels, 310 x 76 each.
void ExpectStackedInOrder(const std::vector<HWND>& toasts) {
    ASSERT_EQ(OpenToasts(), toasts);
    const Rect area = WorkArea();
    for (int slot = 0; slot < static_cast<int>(toasts.size()); ++slot) {
        const int top = area.top + 12 + slot * 84;
        EXPECT_EQ(WindowRect(toasts[slot]), (Rect{area.right - 322, top, area.right - 12, top + 76})) << slot;
    }
}

class Toasts : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        ActiveSoundSettings().enabled = false;
    }
};

TEST_F(Toasts, StackDownFromTheTopRightCornerAndLeaveByAClickOrTheirTimers) {
    HWND focused = GetForegroundWindow();
    std::vector<HWND> toasts;
    for (int i = 0; i < ToastCapacity(WorkArea()); ++i) toasts.push_back(Show(u"une de plus"));
    ExpectStackedInOrder(toasts);
    HWND oldest = toasts.front();
    toasts.erase(toasts.begin());
    toasts.push_back(Show(u"la dernière"));  // a full stack closes its oldest
    EXPECT_FALSE(IsWindow(oldest));
    ExpectStackedInOrder(toasts);
    for (HWND toast : toasts) {
        EXPECT_EQ(ClassNameOf(toast), u"QuillboardToast");
        EXPECT_TRUE(IsWindowVisible(toast));
        EXPECT_EQ(GetWindowLongPtrW(toast, GWL_EXSTYLE) & kToastExStyle, kToastExStyle);
    }
    EXPECT_EQ(GetForegroundWindow(), focused);  // none took the focus

    // A click, even released outside, and the first timer each close one; the ones below move up.
    ASSERT_GE(toasts.size(), 3u);
    const HWND clicked = toasts[1], expired = toasts[0];
    SendMessageW(clicked, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 30));
    EXPECT_EQ(GetCapture(), clicked);
    SendMessageW(clicked, WM_LBUTTONUP, 0, MAKELPARAM(-200, 300));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageW(expired, WM_TIMER, kToastCloseTimerId, 0);  // its 30 seconds are over
    EXPECT_FALSE(IsWindow(clicked));
    EXPECT_FALSE(IsWindow(expired));
    toasts.erase(toasts.begin(), toasts.begin() + 2);
    ExpectStackedInOrder(toasts);

    // A window made topmost later covers a toast until its one-second timer runs.
    SetWindowPos(toasts[0], HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_FALSE(IsTopmost(toasts[0]));
    EXPECT_TRUE(PumpUntil([&] { return IsTopmost(toasts[0]); }));
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

// The picture (when QB_SCREENSHOTS names a folder): toast images blended by
// GDI onto vivid stripes as the desktop compositor of Windows blends them
// (without one, Wine shows a layered window's colours over black).
TEST_F(Toasts, PictureOverABusyBackground) {
    if (ScreenshotFolder().empty()) GTEST_SKIP() << "no QB_SCREENSHOTS folder";
    constexpr COLORREF kStripes[] = {0x003030E0, 0x0030C0F0, 0x0050B040, 0x00D07020, 0x00A040A0};
    const Rect area = WorkArea();
    HWND backdrop = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, area.right - 390, area.top, 390, 320,
                                    nullptr, nullptr, nullptr, nullptr);
    Show(u"Appeler la banque");
    Show(kLongText, 0x008050F0);
    Show(u"Arroser les plantes", 0x00A0A000, u"Un titre de catégorie bien trop long pour tenir sur une seule ligne");
    for (HWND toast : OpenToasts()) ShowWindow(toast, SW_HIDE);
    PumpPending();
    {
        const WindowDc dc(backdrop);
        const Rect origin = WindowRect(backdrop);
        for (int x = 0; x < 400; x += 40) {
            const RECT stripe{x, 0, x + 40, 320};
            FillRect(dc.Get(), &stripe, UniqueBrush(CreateSolidBrush(kStripes[(x / 40) % 5])).Get());
        }
        for (HWND toast : OpenToasts()) {
            const auto* data = reinterpret_cast<const ToastData*>(GetWindowLongPtrW(toast, GWLP_USERDATA));
            const std::vector<std::uint32_t> image = ToastImage(*data);
            BITMAPINFO info{};
            info.bmiHeader = {sizeof(BITMAPINFOHEADER), 310, -76, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            void* bits = nullptr;
            const UniqueBitmap bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
            std::copy(image.begin(), image.end(), static_cast<std::uint32_t*>(bits));
            const UniqueMemoryDc memory(CreateCompatibleDC(dc.Get()));
            const SelectScope selected(memory.Get(), bitmap.Get());
            const Rect at = WindowRect(toast);
            GdiAlphaBlend(dc.Get(), at.left - origin.left, at.top - origin.top, 310, 76, memory.Get(), 0, 0, 310, 76,
                          BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
        }
    }
    PumpPending();
    SaveScreenshotIfAsked(u"toasts");
    DestroyWindow(backdrop);
}

}  // namespace
