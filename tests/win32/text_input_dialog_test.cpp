// The text input dialog, driven by the scripted user from the dialog's own
// modal loop, and the shared dialog chrome and button drawing.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "i18n/translation.h"
#include "notes/note_window_state.h"
#include "support/program_names.h"
#include "support/scripted_user.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "ui/colour_rules.h"
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

LPARAM ClientPoint(int x, int y) {
    return MAKELPARAM(x, y);
}

LPARAM ScreenPointIn(HWND window, int x, int y) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return MAKELPARAM(rect.left + x, rect.top + y);
}

constexpr ColourRef kDarkNote = 0x00402010;

// What the dialog shows in the owner's colours, read while it is up.
struct DialogColours {
    COLORREF band = 0;
    COLORREF background = 0;
    COLORREF frame = 0;
    COLORREF editText = 0;
    COLORREF editBack = 0;
    bool lightTitlePixel = false;
    bool darkTitlePixel = false;
};

DialogColours ReadDialogColours(HWND dialog) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    DialogColours colours;
    colours.band = WindowPixel(dialog, 200, 3);
    colours.background = WindowPixel(dialog, 40, 130);
    colours.frame = WindowPixel(dialog, 0, 80);
    for (int y = 6; y < 24; ++y) {
        for (int x = 8; x < 120; ++x) {
            const int luminance = Luminance(WindowPixel(dialog, x, y));
            colours.lightTitlePixel = colours.lightTitlePixel || luminance > 200;
            colours.darkTitlePixel = colours.darkTitlePixel || luminance < 60;
        }
    }
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SendMessageW(dialog, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(EditOf(dialog)));
    colours.editText = GetTextColor(dc.Get());
    colours.editBack = GetBkColor(dc.Get());
    return colours;
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

TEST_F(TextInputDialog, EnterAcceptsTheTypedText) {
    WhenDialogShows([](HWND dialog) {
        SendMessageW(EditOf(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Travail"));
        PostKey(EditOf(dialog), WM_KEYDOWN, VK_RETURN);
    });
    EXPECT_TRUE(Run(u"Maison"));
    EXPECT_EQ(text_, u"Travail");
    EXPECT_EQ(FindDialog(), nullptr);
}

TEST_F(TextInputDialog, OkButtonReadsTheWholeTextHoweverLong) {
    const std::u16string longText = std::u16string(300, u'é') + u"fin";
    WhenDialogShows([&](HWND dialog) {
        SendMessageW(EditOf(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(longText)));
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(Run());
    EXPECT_EQ(text_, longText);
}

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
        for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = VK_RETURN;
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
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
        {"WM_CLOSE", [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }},
        {"Alt+F4", [](HWND dialog) { PostKey(EditOf(dialog), WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN << 16); }},
        {"close cross",
         [](HWND dialog) { PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(kDialogWidth - 13, 15)); }},
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

TEST_F(TextInputDialog, ClickJustLeftOfTheCrossKeepsTheDialogOpen) {
    bool stillOpen = false;
    WhenDialogShows([&](HWND dialog) {
        SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(kDialogWidth - 23, 15));
        SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(kDialogWidth - 13, 25));  // below the cross
        stillOpen = IsWindow(dialog) != FALSE;
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(Run());
    EXPECT_TRUE(stillOpen);
}

TEST_F(TextInputDialog, InitialTextIsFocusedAndFullySelected) {
    DWORD start = 99;
    DWORD end = 0;
    HWND focus = nullptr;
    HWND edit = nullptr;
    WhenDialogShows([&](HWND dialog) {
        edit = EditOf(dialog);
        focus = GetFocus();
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    Run(u"Maison");
    EXPECT_EQ(focus, edit);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 6u);
}

TEST_F(TextInputDialog, SitsOverTheOwnerWithItsTitleControlsAndFonts) {
    RECT rect{};
    LONG_PTR style = 0;
    LONG_PTR exStyle = 0;
    HWND dialogOwner = nullptr;
    std::u16string title, ok, cancel;
    RECT editRect{}, okRect{}, cancelRect{};
    HFONT editFont = nullptr;
    LONG_PTR okStyle = 0;
    WhenDialogShows([&](HWND dialog) {
        GetWindowRect(dialog, &rect);
        style = GetWindowLongPtrW(dialog, GWL_STYLE);
        exStyle = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
        dialogOwner = GetWindow(dialog, GW_OWNER);
        title = WindowTextOf(dialog);
        ok = WindowTextOf(GetDlgItem(dialog, IDOK));
        cancel = WindowTextOf(GetDlgItem(dialog, IDCANCEL));
        okStyle = GetWindowLongPtrW(GetDlgItem(dialog, IDOK), GWL_STYLE);
        editFont = reinterpret_cast<HFONT>(SendMessageW(EditOf(dialog), WM_GETFONT, 0, 0));
        const auto childRect = [dialog](int id, RECT& out) {
            GetWindowRect(GetDlgItem(dialog, id), &out);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&out), 2);
        };
        childRect(kTextInputEdit, editRect);
        childRect(IDOK, okRect);
        childRect(IDCANCEL, cancelRect);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    Run();
    EXPECT_EQ(rect.left, kOwnerLeft + 30);
    EXPECT_EQ(rect.top, kOwnerTop + 30);
    EXPECT_EQ(rect.right - rect.left, kDialogWidth);
    EXPECT_EQ(rect.bottom - rect.top, kDialogHeight);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(dialogOwner, owner_);
    EXPECT_EQ(title, u"Nouvelle catégorie");
    EXPECT_EQ(ok, Translate(u"OK"));
    EXPECT_EQ(cancel, Translate(u"Annuler"));
    EXPECT_EQ(okStyle & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(editFont, GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(editRect.left, 12);
    EXPECT_EQ(editRect.top, 42);
    EXPECT_EQ(editRect.right - editRect.left, 294);
    EXPECT_EQ(editRect.bottom - editRect.top, 24);
    EXPECT_EQ(okRect.left, 150);
    EXPECT_EQ(okRect.top, 86);
    EXPECT_EQ(okRect.right - okRect.left, 76);
    EXPECT_EQ(okRect.bottom - okRect.top, 28);
    EXPECT_EQ(cancelRect.left, 234);
    EXPECT_EQ(cancelRect.top, 86);
}

TEST_F(TextInputDialog, OwnerIsDisabledOnlyWhileTheLoopRuns) {
    bool enabledInside = true;
    WhenDialogShows([&](HWND dialog) {
        enabledInside = IsWindowEnabled(owner_) != FALSE;
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    Run();
    EXPECT_FALSE(enabledInside);
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(TextInputDialog, ModalFlagIsSetInsideAndRestoredAfter) {
    bool activeInside = false;
    const auto closeAndLook = [&](HWND dialog) {
        activeInside = ModalDialogActive();
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    };
    ASSERT_FALSE(ModalDialogActive());
    WhenDialogShows(closeAndLook);
    Run();
    EXPECT_TRUE(activeInside);
    EXPECT_FALSE(ModalDialogActive());

    // Opened from inside another modal loop: the outer loop's flag survives.
    {
        ModalDialogScope outer;
        activeInside = false;
        WhenDialogShows(closeAndLook);
        Run();
        EXPECT_TRUE(activeInside);
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

TEST_F(TextInputDialog, TitleBandDragsTheDialogExceptOnTheCross) {
    std::vector<LRESULT> hits;
    WhenDialogShows([&](HWND dialog) {
        const std::vector<POINT> points = {
            {100, 15}, {2, 2}, {kDialogWidth - 23, 15},   // band
            {kDialogWidth - 13, 15}, {kDialogWidth - 22, 6}, {kDialogWidth - 5, 23},  // cross
            {100, 30}, {100, 140},                                         // below the band
        };
        for (POINT point : points) {
            hits.push_back(SendMessageW(dialog, WM_NCHITTEST, 0, ScreenPointIn(dialog, point.x, point.y)));
        }
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    Run();
    const std::vector<LRESULT> expected = {HTCAPTION, HTCAPTION, HTCAPTION, HTCLIENT,
                                           HTCLIENT,  HTCLIENT,  HTCLIENT,  HTCLIENT};
    EXPECT_EQ(hits, expected);
}

TEST_F(TextInputDialog, WithoutANoteOwnerTheDialogIsPaleYellowWithDarkText) {
    DialogColours colours;
    WhenDialogShows([&](HWND dialog) {
        colours = ReadDialogColours(dialog);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    Run();
    EXPECT_EQ(colours.band, HeaderColour(kDefaultNoteColour));
    EXPECT_EQ(colours.background, kDefaultNoteColour);
    EXPECT_EQ(colours.frame, 0x808080u);
    EXPECT_EQ(colours.editBack, kDefaultNoteColour);
    EXPECT_EQ(colours.editText, kDarkTextColour);
    EXPECT_TRUE(colours.darkTitlePixel);
    EXPECT_FALSE(colours.lightTitlePixel);
}

TEST_F(TextInputDialog, DarkNoteGivesADarkDialogWithLightText) {
    HWND note = MakeNote({.id = 0x5151, .x = kOwnerLeft, .y = kOwnerTop, .width = 300, .colour = kDarkNote});
    ASSERT_NE(note, nullptr);
    RECT rect{};
    DialogColours colours;
    WhenDialogShows([&](HWND dialog) {
        GetWindowRect(dialog, &rect);
        colours = ReadDialogColours(dialog);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    Run(u"", note);
    EXPECT_EQ(rect.left, kOwnerLeft + 30);
    EXPECT_EQ(rect.top, kOwnerTop + 30);
    EXPECT_EQ(colours.band, HeaderColour(kDarkNote));
    EXPECT_EQ(colours.background, kDarkNote);
    EXPECT_EQ(colours.editBack, kDarkNote);
    EXPECT_EQ(colours.editText, kLightTextColour);
    EXPECT_TRUE(colours.lightTitlePixel);
    EXPECT_TRUE(IsWindowEnabled(note));
}

// A button drawn into a memory bitmap, read back pixel by pixel.
class ButtonBitmap {
public:
    static constexpr int kWidth = 76;
    static constexpr int kHeight = 28;

    ButtonBitmap(ColourRef colour, bool pressed, const std::u16string& text = u"OK")
        : dc_(CreateCompatibleDC(nullptr)),
          bitmap_(CreateBitmap(kWidth, kHeight, 1, 32, nullptr)),
          dialogBrush_(CreateSolidBrush(colour)) {
        SelectScope selected(dc_.Get(), bitmap_.Get());
        DrawRoundedButton(dc_.Get(), RECT{0, 0, kWidth, kHeight}, text, colour, dialogBrush_.Get(), pressed);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) pixels_.push_back(GetPixel(dc_.Get(), x, y));
        }
    }

    COLORREF At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * kWidth + x)]; }

    // Pixels of the middle band where the centred text lies.
    bool AnyTextPixel(const std::function<bool(COLORREF)>& matches) const {
        for (int y = 6; y < kHeight - 6; ++y) {
            for (int x = 20; x < kWidth - 20; ++x) {
                if (matches(At(x, y))) return true;
            }
        }
        return false;
    }

private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    UniqueBrush dialogBrush_;
    std::vector<COLORREF> pixels_;
};

TEST(RoundedButton, PressedFaceIsDarkerThanReleased) {
    const ButtonBitmap released(kDefaultNoteColour, false);
    const ButtonBitmap pressed(kDefaultNoteColour, true);
    EXPECT_EQ(released.At(4, 14), RoundedButtonColours(kDefaultNoteColour, false).face);
    EXPECT_EQ(pressed.At(4, 14), RoundedButtonColours(kDefaultNoteColour, true).face);
    EXPECT_LT(Luminance(pressed.At(4, 14)), Luminance(released.At(4, 14)));
}

TEST(RoundedButton, RoundedCornersShowTheDialogAndTheBorderFramesTheFace) {
    const ButtonBitmap button(kDefaultNoteColour, false);
    EXPECT_EQ(button.At(0, 0), kDefaultNoteColour);
    EXPECT_EQ(button.At(ButtonBitmap::kWidth - 1, ButtonBitmap::kHeight - 1), kDefaultNoteColour);
    const ColourRef border = RoundedButtonColours(kDefaultNoteColour, false).border;
    EXPECT_EQ(button.At(38, 0), border);
    EXPECT_EQ(button.At(0, 14), border);
}

TEST(RoundedButton, TextContrastsWithTheFace) {
    const ButtonBitmap dark(kDarkNote, false, u"Annuler");
    EXPECT_TRUE(dark.AnyTextPixel([](COLORREF pixel) { return Luminance(pixel) > 200; }));
    EXPECT_FALSE(dark.AnyTextPixel([](COLORREF pixel) { return Luminance(pixel) < 10; }));

    const ButtonBitmap light(kDefaultNoteColour, false, u"Annuler");
    EXPECT_TRUE(light.AnyTextPixel([](COLORREF pixel) { return Luminance(pixel) < 60; }));
}

}  // namespace
