// The text input dialog, driven by the scripted user from the dialog's own
// modal loop, and the shared dialog chrome and button drawing.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "i18n/core/translation.h"
#include "notes/note_window_state.h"
#include "support/program_names.h"
#include "support/screen_picture.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/window_checks.h"
#include "ui/core/colour_rules.h"
#include "ui/dialog_chrome.h"
#include "ui/modal_dialog.h"
#include "ui/text_input_dialog.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kOwnerClass[] = L"QuillboardTestOwner";
constexpr int kOwnerLeft = 200;
constexpr int kOwnerTop = 150;
constexpr int kDialogWidth = 330;
constexpr int kDialogHeight = 150;
constexpr ColourRef kDarkNote = 0x00402010;

HWND FindDialog() {
    const std::vector<HWND> dialogs = WindowsOfClass(kTextInputClass);
    return dialogs.empty() ? nullptr : dialogs.front();
}

HWND EditOf(HWND dialog) {
    return GetDlgItem(dialog, kTextInputEdit);
}

void PostKey(HWND target, UINT message, WPARAM key, LPARAM flags = 0) {
    PostMessageW(target, message, key, 1 | flags);
}

void Close(HWND dialog) {
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

// A control's rectangle in its dialog's client coordinates.
Rect ChildRect(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return Rect{r.left, r.top, r.right, r.bottom};
}

class TextInputDialog : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kOwnerClass;
        RegisterClassExW(&windowClass);
        owner_ = CreateWindowExW(0, kOwnerClass, L"owner", WS_POPUP | WS_VISIBLE, kOwnerLeft, kOwnerTop, 300, 200,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
    }

    // Acts on the dialog once it shows.
    void WhenDialogShows(std::function<void(HWND)> action) { user_.WhenShown(kTextInputClass, std::move(action)); }

    // Runs the dialog with `initial` in the edit; `text` starts stale so that
    // a cancel visibly clears it.
    bool Run(const std::u16string& initial = u"", HWND owner = nullptr) {
        text_ = u"stale";
        HWND dialogOwner = owner ? owner : owner_;
        return ShowTextInputDialog(dialogOwner, NoteColourOf(dialogOwner), u"Nouvelle catégorie", initial, text_);
    }

    HWND owner_ = nullptr;
    std::u16string text_;
    ScriptedUser user_;
};

}  // namespace

TEST_F(TextInputDialog, EnterOrOkAcceptsTheWholeTypedTextHoweverLong) {
    const std::u16string longText = std::u16string(300, u'é') + u"fin";
    const std::vector<std::function<void(HWND)>> confirmations = {
        [](HWND dialog) { PostKey(EditOf(dialog), WM_KEYDOWN, VK_RETURN); },
        [](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); },
    };
    for (const auto& confirm : confirmations) {
        WhenDialogShows([&](HWND dialog) {
            SendMessageW(EditOf(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(longText)));
            confirm(dialog);
        });
        EXPECT_TRUE(Run(u"Maison"));
        EXPECT_EQ(text_, longText);
        EXPECT_EQ(FindDialog(), nullptr);
    }
}

// Typed keys replace the whole initial text: it opens focused and selected.
TEST_F(TextInputDialog, TypingReplacesTheSelectedInitialText) {
    WhenDialogShows([](HWND) {
        std::vector<INPUT> inputs;
        for (wchar_t character : std::wstring(L"Été")) {
            for (DWORD flags : {KEYEVENTF_UNICODE, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}) {
                INPUT input{};
                input.type = INPUT_KEYBOARD;
                input.ki.wScan = character;
                input.ki.dwFlags = flags;
                inputs.push_back(input);
            }
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        PressKeys({VK_RETURN});
    });
    EXPECT_TRUE(Run(u"ancien nom"));
    EXPECT_EQ(text_, u"Été");
}

TEST_F(TextInputDialog, EveryOtherWayOutCancelsWithEmptyText) {
    struct Case {
        const char* name;
        std::function<void(HWND)> close;
    };
    const std::vector<Case> cases = {
        {"Escape", [](HWND dialog) { PostKey(EditOf(dialog), WM_KEYDOWN, VK_ESCAPE); }},
        {"Cancel button", [](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }},
        {"WM_CLOSE", Close},
        {"Alt+F4", [](HWND dialog) { PostKey(EditOf(dialog), WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN << 16); }},
        {"close cross",
         [](HWND dialog) { PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kDialogWidth - 13, 15)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WhenDialogShows([&](HWND dialog) {
            SendMessageW(EditOf(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"pas gardé"));
            c.close(dialog);
        });
        EXPECT_FALSE(Run(u"Maison"));
        EXPECT_EQ(text_, u"");
        EXPECT_EQ(FindDialog(), nullptr);
        EXPECT_TRUE(IsWindowEnabled(owner_));
    }
}

TEST_F(TextInputDialog, TitleBandDragsTheDialogExceptOnTheCrossWhichAloneCloses) {
    std::vector<LRESULT> hits;
    bool stillOpen = false;
    WhenDialogShows([&](HWND dialog) {
        const std::vector<POINT> points = {
            {100, 15}, {2, 2}, {kDialogWidth - 23, 15},                                // band
            {kDialogWidth - 13, 15}, {kDialogWidth - 22, 6}, {kDialogWidth - 5, 23},  // cross
            {100, 30}, {100, 140},                                                    // below the band
        };
        RECT window{};
        GetWindowRect(dialog, &window);
        for (POINT point : points) {
            const LPARAM onScreen = MAKELPARAM(window.left + point.x, window.top + point.y);
            hits.push_back(SendMessageW(dialog, WM_NCHITTEST, 0, onScreen));
        }
        // Just left of the cross, and just below it.
        SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kDialogWidth - 23, 15));
        SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kDialogWidth - 13, 25));
        stillOpen = IsWindow(dialog) != FALSE;
        Close(dialog);
    });
    Run();
    const std::vector<LRESULT> expected = {HTCAPTION, HTCAPTION, HTCAPTION, HTCLIENT,
                                           HTCLIENT,  HTCLIENT,  HTCLIENT,  HTCLIENT};
    EXPECT_EQ(hits, expected);
    EXPECT_TRUE(stillOpen);
}

// What the dialog shows is read while it is up; a dialog that never shows
// leaves its step untaken, which fails the test.
TEST_F(TextInputDialog, SitsOverTheOwnerWithItsTitleControlsAndFonts) {
    WhenDialogShows([&](HWND dialog) {
        EXPECT_EQ(WindowRect(dialog), (Rect{kOwnerLeft + 30, kOwnerTop + 30, kOwnerLeft + 30 + kDialogWidth,
                                            kOwnerTop + 30 + kDialogHeight}));
        const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
        EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner_);
        EXPECT_EQ(WindowTextOf(dialog), u"Nouvelle catégorie");
        EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDOK)), Translate(u"OK"));
        EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDCANCEL)), Translate(u"Annuler"));
        EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(EditOf(dialog), WM_GETFONT, 0, 0)),
                  GetStockObject(DEFAULT_GUI_FONT));
        EXPECT_EQ(ChildRect(dialog, kTextInputEdit), (Rect{12, 42, 306, 66}));
        EXPECT_EQ(ChildRect(dialog, IDOK), (Rect{150, 86, 226, 114}));
        EXPECT_EQ(ChildRect(dialog, IDCANCEL).left, 234);
        EXPECT_EQ(ChildRect(dialog, IDCANCEL).top, 86);
        Close(dialog);
    });
    Run();
}

// The owner is disabled and the modal flag set only while the loop runs;
// opened from inside another modal loop, the outer loop's flag survives.
TEST_F(TextInputDialog, OwnerIsDisabledAndTheModalFlagSetOnlyWhileTheLoopRuns) {
    bool enabledInside = true;
    bool modalInside = false;
    const auto lookAndClose = [&](HWND dialog) {
        enabledInside = IsWindowEnabled(owner_) != FALSE;
        modalInside = ModalDialogActive();
        Close(dialog);
    };
    ASSERT_FALSE(ModalDialogActive());
    WhenDialogShows(lookAndClose);
    Run();
    EXPECT_FALSE(enabledInside);
    EXPECT_TRUE(modalInside);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_FALSE(ModalDialogActive());
    {
        ModalDialogScope outer;
        modalInside = false;
        WhenDialogShows(lookAndClose);
        Run();
        EXPECT_TRUE(modalInside);
        EXPECT_TRUE(ModalDialogActive());
    }
    EXPECT_FALSE(ModalDialogActive());
}

TEST_F(TextInputDialog, QuitDuringTheLoopEndsItAndIsPostedAgain) {
    WhenDialogShows([](HWND dialog) {
        SendMessageW(EditOf(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"presque"));
        PostQuitMessage(7);
    });
    EXPECT_FALSE(Run());
    EXPECT_EQ(text_, u"");
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    EXPECT_FALSE(ModalDialogActive());
    EXPECT_TRUE(IsWindowEnabled(owner_));
    // The window would otherwise point at a record that no longer exists.
    EXPECT_EQ(FindDialog(), nullptr);
}

TEST_F(TextInputDialog, DestroyingTheOwnerEndsTheLoop) {
    WhenDialogShows([&](HWND) { DestroyWindow(owner_); });
    EXPECT_FALSE(Run(u"Maison"));
    EXPECT_EQ(text_, u"");
    EXPECT_EQ(FindDialog(), nullptr);
}

// Without a note for owner the dialog is pale yellow with dark text; a dark
// note gives a dark dialog with light text.
TEST_F(TextInputDialog, TakesTheOwningNotesColoursWithContrastingText) {
    HWND note = MakeNote({.id = 0x5151, .x = kOwnerLeft, .y = kOwnerTop, .width = 300, .colour = kDarkNote});
    ASSERT_NE(note, nullptr);
    struct Case {
        HWND owner;
        ColourRef colour, text;
    };
    for (const Case& c : {Case{owner_, kDefaultNoteColour, kDarkTextColour}, Case{note, kDarkNote, kLightTextColour}}) {
        SCOPED_TRACE(c.colour);
        WhenDialogShows([&](HWND dialog) {
            EXPECT_EQ(WindowRect(dialog).left, kOwnerLeft + 30);
            EXPECT_EQ(WindowRect(dialog).top, kOwnerTop + 30);
            RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            EXPECT_EQ(WindowPixel(dialog, 200, 3), HeaderColour(c.colour));  // the title band
            EXPECT_EQ(WindowPixel(dialog, 40, 130), c.colour);
            EXPECT_EQ(WindowPixel(dialog, 0, 80), 0x808080u);  // the frame
            bool light = false, dark = false;  // pixels of the title
            for (int y = 6; y < 24; ++y) {
                for (int x = 8; x < 120; ++x) {
                    light = light || Luminance(WindowPixel(dialog, x, y)) > 200;
                    dark = dark || Luminance(WindowPixel(dialog, x, y)) < 60;
                }
            }
            EXPECT_TRUE(c.text == kDarkTextColour ? dark : light);
            if (c.text == kDarkTextColour) {
                EXPECT_FALSE(light);
            }
            UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
            SendMessageW(dialog, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()),
                         reinterpret_cast<LPARAM>(EditOf(dialog)));
            EXPECT_EQ(GetTextColor(dc.Get()), c.text);
            EXPECT_EQ(GetBkColor(dc.Get()), c.colour);
            SaveScreenshotIfAsked(c.text == kDarkTextColour ? u"text-input-light" : u"text-input-dark", dialog);
            Close(dialog);
        });
        Run(u"", c.owner);
        EXPECT_TRUE(IsWindowEnabled(c.owner));
    }
}

namespace {

// A button drawn on a dialog of that colour.
ScreenPicture Button(ColourRef colour, bool pressed, const std::u16string& text = u"OK") {
    return ScreenPicture::Drawn(76, 28, [&](HDC dc) {
        const UniqueBrush dialogBrush(CreateSolidBrush(colour));
        DrawRoundedButton(dc, RECT{0, 0, 76, 28}, text, colour, dialogBrush.Get(), pressed);
    });
}

}  // namespace

TEST(RoundedButton, RoundedCornersShowTheDialogAndTheBorderFramesAFaceDarkerWhenPressed) {
    const ScreenPicture released = Button(kDefaultNoteColour, false);
    const ScreenPicture pressed = Button(kDefaultNoteColour, true);
    EXPECT_EQ(released.At(4, 14), RoundedButtonColours(kDefaultNoteColour, false).face);
    EXPECT_EQ(pressed.At(4, 14), RoundedButtonColours(kDefaultNoteColour, true).face);
    EXPECT_LT(Luminance(pressed.At(4, 14)), Luminance(released.At(4, 14)));
    EXPECT_EQ(released.At(0, 0), kDefaultNoteColour);
    EXPECT_EQ(released.At(75, 27), kDefaultNoteColour);
    const ColourRef border = RoundedButtonColours(kDefaultNoteColour, false).border;
    EXPECT_EQ(released.At(38, 0), border);
    EXPECT_EQ(released.At(0, 14), border);
}

TEST(RoundedButton, TextContrastsWithTheFace) {
    // Pixels of the middle band where the centred text lies.
    const RECT text{20, 6, 76 - 20, 28 - 6};
    const auto count = [&](const ScreenPicture& button, const std::function<bool(int)>& luminance) {
        return button.Count(text, [&](COLORREF pixel) { return luminance(Luminance(pixel)); });
    };
    const ScreenPicture dark = Button(kDarkNote, false, u"Annuler");
    EXPECT_GT(count(dark, [](int luminance) { return luminance > 200; }), 0);
    EXPECT_EQ(count(dark, [](int luminance) { return luminance < 10; }), 0);
    const ScreenPicture light = Button(kDefaultNoteColour, false, u"Annuler");
    EXPECT_GT(count(light, [](int luminance) { return luminance < 60; }), 0);
}
