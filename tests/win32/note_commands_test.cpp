// The commands that change one note: type, pin, colour, the colour dialog,
// and the popup menus shown in the note's colour.
#include <string>
#include <vector>

#include "notes/docking.h"
#include "notes/note_commands.h"
#include "notes/note_window_state.h"
#include "storage/category_storage.h"
#include "storage/note_files.h"
#include "test_support.h"
#include "ui/colour_rules.h"
#include "ui/screen_geometry.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr int kNoteWidth = 240;
constexpr int kNoteHeight = 200;
// A client point inside the pin box of a note kNoteWidth wide.
constexpr int kPinX = kNoteWidth - 37;
constexpr int kPinY = 15;

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool EditShown(HWND note) {
    return IsWindowVisible(NoteEditOf(note)) != FALSE;
}

// The value of one header line of a saved note ("" when it is missing).
std::string SavedValue(const std::string& file, const std::string& key) {
    const std::string prefix = key + "=";
    for (size_t at = 0; at < file.size();) {
        const size_t end = file.find("\r\n", at);
        const std::string line = file.substr(at, end - at);
        if (line == "---" || end == std::string::npos) break;
        if (line.compare(0, prefix.size(), prefix) == 0) return line.substr(prefix.size());
        at = end + 2;
    }
    return {};
}

std::string Body(const std::string& file) {
    const size_t separator = file.find("---\r\n");
    return separator == std::string::npos ? std::string() : file.substr(separator + 5);
}

// The pixels of a client rectangle of a window as they are on the screen.
std::vector<COLORREF> PixelsOf(HWND window, const Rect& area) {
    std::vector<COLORREF> pixels;
    const WindowDc dc(window);
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) pixels.push_back(GetPixel(dc.Get(), x, y));
    }
    return pixels;
}

COLORREF PixelAt(HWND window, int x, int y) {
    const WindowDc dc(window);
    return GetPixel(dc.Get(), x, y);
}

int CountDifferent(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int different = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) different += a[i] != b[i] ? 1 : 0;
    return different;
}

int CountNot(const std::vector<COLORREF>& pixels, COLORREF background) {
    int count = 0;
    for (COLORREF pixel : pixels) count += pixel != background ? 1 : 0;
    return count;
}

// Where a picture goes when the run asks for pictures (QB_SCREENSHOTS).
std::u16string ScreenshotFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"QB_SCREENSHOTS", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? FromWide(folder) : std::u16string();
}

void SaveScreenshotIfAsked(const std::u16string& name) {
    const std::u16string folder = ScreenshotFolder();
    if (!folder.empty()) SaveScreenshot(folder + u"\\" + name);
}

class NoteCommands : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        savedCategories_ = Categories();
        Categories() = CategoryStore{};
    }
    void TearDown() override {
        Categories() = savedCategories_;
        DataFolderTest::TearDown();
    }

    HWND MakeNote(int x, int y, const char16_t* text = u"some text", ColourRef colour = kDefaultNoteColour,
                  std::int32_t type = kNoteRegular, std::uint64_t id = 0x1234, std::int32_t categoryId = 0,
                  std::int32_t subcategoryId = 0) {
        NoteCreateParams params;
        params.id = id;
        params.x = x;
        params.y = y;
        params.width = kNoteWidth;
        params.height = kNoteHeight;
        params.colour = colour;
        params.type = type;
        params.categoryId = categoryId;
        params.subcategoryId = subcategoryId;
        params.body = text;
        return ShowNewNote(params);
    }

    std::u16string FileOf(HWND note) { return NoteFileOf(note); }
    std::string Saved(HWND note) { return ReadRawFile(FileOf(note)); }
    bool DeleteFileOf(HWND note) { return DeleteFileW(Wide(FileOf(note))) != FALSE; }

private:
    CategoryStore savedCategories_;
};

}  // namespace

TEST_F(NoteCommands, SetNoteTypeSwitchesTheBodyAndKeepsTheText) {
    HWND note = MakeNote(200, 200);
    struct Step {
        std::uint32_t type;
        bool editShown;
    };
    for (const Step& step : {Step{1, false}, Step{2, false}, Step{0, true}, Step{2, false}, Step{0, true}}) {
        SCOPED_TRACE(step.type);
        SetNoteType(note, step.type);
        EXPECT_EQ(NoteFromWindow(note)->type, static_cast<std::int32_t>(step.type));
        EXPECT_EQ(EditShown(note), step.editShown);
        EXPECT_EQ(WindowTextOf(NoteEditOf(note)), u"some text");
        const std::string file = Saved(note);
        EXPECT_EQ(SavedValue(file, "TYPE"), std::to_string(step.type));
        EXPECT_EQ(Body(file), "some text");  // a hidden edit still keeps and saves its text
    }
}

TEST_F(NoteCommands, SetNoteTypeKeepsTheEntriesOfAScheduledNote) {
    HWND note = MakeNote(200, 200, u"", kDefaultNoteColour, kNoteScheduled);
    NoteFromWindow(note)->entries.push_back(NoteEntry{1, 202501011200, 0, 0, 0, u"call"});
    SetNoteType(note, kNoteRegular);
    EXPECT_EQ(NoteFromWindow(note)->entries.size(), 1u);
    EXPECT_NE(Saved(note).find("ENTRY|1|202501011200|0|0|0|call\r\n"), std::string::npos);
}

TEST_F(NoteCommands, TypesAboveTwoAreIgnored) {
    HWND note = MakeNote(200, 200, u"some text", kDefaultNoteColour, kNoteScheduled);
    for (std::uint32_t type : {3u, 4u, 0x80000000u, 0xFFFFFFFFu}) SetNoteType(note, type);
    EXPECT_EQ(NoteFromWindow(note)->type, kNoteScheduled);
    EXPECT_FALSE(EditShown(note));
    EXPECT_FALSE(FileExists(FileOf(note)));  // nothing changed, nothing saved
}

TEST_F(NoteCommands, ADockedNoteKeepsItsEditHiddenUntilItIsUndocked) {
    HWND note = MakeNote(200, 200, u"some text", kDefaultNoteColour, kNoteScheduled);
    DockNote(note, kDockLeft);
    SetNoteType(note, kNoteRegular);
    EXPECT_FALSE(EditShown(note));
    EXPECT_EQ(SavedValue(Saved(note), "TYPE"), "0");
    EXPECT_EQ(SavedValue(Saved(note), "DOCK"), "1");
    UndockNote(note);
    EXPECT_TRUE(EditShown(note));
}

TEST_F(NoteCommands, AClickOnThePinBoxTogglesTopmostAndSavesIt) {
    HWND note = MakeNote(200, 200);
    ASSERT_FALSE(IsTopmost(note));

    SendMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPinX, kPinY));
    EXPECT_TRUE(NoteFromWindow(note)->pinned);
    EXPECT_TRUE(IsTopmost(note));
    EXPECT_EQ(SavedValue(Saved(note), "PIN"), "1");
    EXPECT_EQ(WindowRectOf(note), (Rect{200, 200, 440, 400}));  // neither moved nor resized

    SendMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPinX, kPinY));
    EXPECT_FALSE(NoteFromWindow(note)->pinned);
    EXPECT_FALSE(IsTopmost(note));
    EXPECT_EQ(SavedValue(Saved(note), "PIN"), "0");
}

// The pin is drawn whether or not the icon font exists (under Wine it does
// not, and a vector pin is drawn instead): a pinned and an unpinned note
// show different drawings, and toggling repaints the box at once.
TEST_F(NoteCommands, PinGlyphIsRedrawnWhenThePinIsToggled) {
    HWND left = MakeNote(300, 300, u"Pinned note", kDefaultNoteColour, kNoteRegular, 1);
    HWND right = MakeNote(560, 300, u"Unpinned note", kDefaultNoteColour, kNoteRegular, 2);
    const Rect pinBox{kNoteWidth - 46, 6, kNoteWidth - 28, 24};
    const COLORREF header = HeaderColour(kDefaultNoteColour);
    ASSERT_TRUE(PumpUntil([&] { return PixelAt(left, 2, 2) == header && PixelAt(right, 2, 2) == header; }));
    const std::vector<COLORREF> unpinned = PixelsOf(left, pinBox);
    EXPECT_GT(CountNot(unpinned, header), 10) << "an unpinned pin is drawn";
    EXPECT_EQ(PixelsOf(right, pinBox), unpinned);

    SendMessageW(left, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPinX, kPinY));
    ASSERT_TRUE(PumpUntil([&] { return PixelsOf(left, pinBox) != unpinned; }));
    const std::vector<COLORREF> pinned = PixelsOf(left, pinBox);
    EXPECT_GT(CountNot(pinned, header), 10) << "a pinned pin is drawn";
    EXPECT_GT(CountDifferent(pinned, unpinned), 10);
    SaveScreenshotIfAsked(u"pinned-unpinned.bmp");

    SendMessageW(left, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPinX, kPinY));
    EXPECT_TRUE(PumpUntil([&] { return PixelsOf(left, pinBox) == unpinned; }));
}

TEST_F(NoteCommands, ExactCategoryColourFilesTheNoteAndAnyOtherColourUncategorisesIt) {
    Categories().categories.push_back(Category{5, u"Travail", 0x00336699, {Subcategory{6, u"Projets"}}});
    Categories().categories.push_back(Category{7, u"Maison", 0x00112233, {}});
    Categories().nextId = 8;
    HWND note = MakeNote(200, 200, u"some text", kDefaultNoteColour, kNoteRegular, 0x1234, 7, 0);
    struct Case {
        ColourRef colour;
        std::int32_t category;
        std::string savedColour;
    };
    const Case cases[] = {
        {0x00336699, 5, "996633"},  // the category's colour: filed under it, no subcategory
        {0x0033669A, 0, "9A6633"},  // one unit off in red
        {0x00336699, 5, "996633"},
        {0x00346699, 0, "996634"},  // one unit off in blue
        {0x00112233, 7, "332211"},
        {0x00FFFFFF, 0, "FFFFFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.savedColour);
        NoteFromWindow(note)->subcategoryId = 6;  // as if it had been in a subcategory
        SetNoteColour(note, c.colour);
        const Note* record = NoteFromWindow(note);
        EXPECT_EQ(record->colour, c.colour);
        EXPECT_EQ(record->categoryId, c.category);
        EXPECT_EQ(record->subcategoryId, 0);
        const std::string file = Saved(note);
        EXPECT_EQ(SavedValue(file, "COLOR"), "#" + c.savedColour);
        EXPECT_EQ(SavedValue(file, "CAT"), std::to_string(c.category));
        EXPECT_EQ(SavedValue(file, "SUBCAT"), "0");
    }
}

TEST_F(NoteCommands, NewColourPaintsTheNoteAndTurnsTheTextLight) {
    HWND note = MakeNote(400, 300, u"Light text on a dark note.\r\nThe header is darker still.");
    const ColourRef dark = 0x00284878;  // a dark brown
    ASSERT_TRUE(PumpUntil([&] { return PixelAt(note, 120, 150) == kDefaultNoteColour; }));

    SetNoteColour(note, dark);
    LOGBRUSH brush{};
    ASSERT_EQ(GetObjectW(NoteBackgroundBrush(note), sizeof(brush), &brush), static_cast<int>(sizeof(brush)));
    EXPECT_EQ(brush.lbColor, dark);
    // The body under the edit, the edit's empty part and the header take the colour.
    EXPECT_TRUE(PumpUntil([&] { return PixelAt(note, 120, 180) == dark; }));
    EXPECT_TRUE(PumpUntil([&] { return PixelAt(note, 230, 150) == dark; }));
    EXPECT_EQ(PixelAt(note, 150, 2), HeaderColour(dark));
    // The edit text is drawn in the light contrast colour.
    const std::vector<COLORREF> firstLine = PixelsOf(note, Rect{4, 30, 200, 50});
    int light = 0;
    for (COLORREF pixel : firstLine) light += pixel == kLightTextColour ? 1 : 0;
    EXPECT_GT(light, 10);
    SaveScreenshotIfAsked(u"dark-note.bmp");
}

TEST_F(NoteCommands, ColourDialogCancelledChangesNothing) {
    Categories().categories.push_back(Category{5, u"Travail", 0x00336699, {}});
    HWND note = MakeNote(200, 200, u"some text", 0x00336699, kNoteRegular, 0x1234, 5, 0);
    DialogAnswerer answerer(IDCANCEL);
    PickNoteColour(note);
    ASSERT_TRUE(answerer.Answered());
    EXPECT_EQ(NoteFromWindow(note)->colour, 0x00336699u);
    EXPECT_EQ(NoteFromWindow(note)->categoryId, 5);
    EXPECT_FALSE(FileExists(FileOf(note)));
}

namespace {

// Answers the colour dialog of this thread: remembers the colour it opened
// with, types another one into its red, green and blue fields, confirms.
class ColourDialogReply {
public:
    explicit ColourDialogReply(ColourRef reply) : reply_(reply) {
        active = this;
        timer_ = SetTimer(nullptr, 0, 30, &ColourDialogReply::OnTimer);
    }
    ~ColourDialogReply() {
        KillTimer(nullptr, timer_);
        active = nullptr;
    }
    ColourDialogReply(const ColourDialogReply&) = delete;
    ColourDialogReply& operator=(const ColourDialogReply&) = delete;

    bool Answered() const { return answered_; }
    ColourRef Initial() const { return initial_; }

private:
    // The red, green and blue fields of the full colour dialog.
    static constexpr int kRedField = 706;
    static constexpr int kGreenField = 707;
    static constexpr int kBlueField = 708;

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (active) active->TryAnswer();
    }

    void TryAnswer() {
        if (answered_) return;
        for (HWND box : WindowsOfClass(L"#32770")) {
            if (!IsWindowVisible(box) || !GetDlgItem(box, kRedField)) continue;
            initial_ = RGB(GetDlgItemInt(box, kRedField, nullptr, FALSE), GetDlgItemInt(box, kGreenField, nullptr, FALSE),
                           GetDlgItemInt(box, kBlueField, nullptr, FALSE));
            SetDlgItemInt(box, kRedField, GetRValue(reply_), FALSE);
            SetDlgItemInt(box, kGreenField, GetGValue(reply_), FALSE);
            SetDlgItemInt(box, kBlueField, GetBValue(reply_), FALSE);
            answered_ = true;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return;
        }
    }

    static inline ColourDialogReply* active = nullptr;
    ColourRef reply_;
    UINT_PTR timer_ = 0;
    bool answered_ = false;
    ColourRef initial_ = 0;
};

}  // namespace

TEST_F(NoteCommands, ColourDialogOpensAtTheNoteColourAndAppliesTheChoice) {
    Categories().categories.push_back(Category{5, u"Travail", 0x00336699, {}});
    HWND note = MakeNote(200, 200, u"some text", 0x00A0B0C0);
    {
        ColourDialogReply reply(0x00336699);
        PickNoteColour(note);
        ASSERT_TRUE(reply.Answered());
        EXPECT_EQ(reply.Initial(), 0x00A0B0C0u);
    }
    EXPECT_EQ(NoteFromWindow(note)->colour, 0x00336699u);
    EXPECT_EQ(NoteFromWindow(note)->categoryId, 5);
    EXPECT_EQ(SavedValue(Saved(note), "COLOR"), "#996633");
    EXPECT_EQ(SavedValue(Saved(note), "CAT"), "5");
}

TEST_F(NoteCommands, AClickOnTheSwatchOpensTheColourDialog) {
    HWND note = MakeNote(200, 200);
    DialogAnswerer answerer(IDCANCEL);
    SendMessageW(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 15));
    EXPECT_TRUE(answerer.Answered());
    EXPECT_EQ(NoteFromWindow(note)->colour, kDefaultNoteColour);
}

namespace {

// Looks at a popup menu while it is tracked, then acts on it with real keys.
class MenuProbe {
public:
    MenuProbe(HMENU menu, HMENU submenu, std::vector<WORD> keys)
        : menu_(menu), submenu_(submenu), keys_(std::move(keys)) {
        active = this;
        timer_ = SetTimer(nullptr, 0, 30, &MenuProbe::OnTimer);
    }
    ~MenuProbe() {
        KillTimer(nullptr, timer_);
        active = nullptr;
    }
    MenuProbe(const MenuProbe&) = delete;
    MenuProbe& operator=(const MenuProbe&) = delete;

    bool Seen() const { return seen_; }
    const MENUINFO& Info() const { return info_; }
    const MENUINFO& SubmenuInfo() const { return submenuInfo_; }
    COLORREF BackgroundColour() const { return background_; }
    COLORREF SubmenuBackgroundColour() const { return submenuBackground_; }

private:
    static constexpr int kTicksBeforeGivingUp = 100;

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (active) active->Tick();
    }

    static COLORREF BrushColour(HBRUSH brush) {
        LOGBRUSH logBrush{};
        return GetObjectW(brush, sizeof(logBrush), &logBrush) == sizeof(logBrush) ? logBrush.lbColor : CLR_INVALID;
    }

    static bool MenuWindowShown() {
        for (HWND window : WindowsOfClass(L"#32768")) {
            if (IsWindowVisible(window)) return true;
        }
        return false;
    }

    void Tick() {
        if (++ticks_ > kTicksBeforeGivingUp) {
            EndMenu();  // never leave the test hanging in the menu loop
            return;
        }
        if (seen_ || !MenuWindowShown()) return;
        seen_ = true;
        info_.cbSize = sizeof(info_);
        info_.fMask = MIM_BACKGROUND | MIM_STYLE;
        GetMenuInfo(menu_, &info_);
        background_ = BrushColour(info_.hbrBack);
        submenuInfo_.cbSize = sizeof(submenuInfo_);
        submenuInfo_.fMask = MIM_BACKGROUND | MIM_STYLE;
        GetMenuInfo(submenu_, &submenuInfo_);
        submenuBackground_ = BrushColour(submenuInfo_.hbrBack);

        std::vector<INPUT> inputs;
        for (WORD key : keys_) {
            INPUT press{};
            press.type = INPUT_KEYBOARD;
            press.ki.wVk = key;
            INPUT release = press;
            release.ki.dwFlags = KEYEVENTF_KEYUP;
            inputs.push_back(press);
            inputs.push_back(release);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    static inline MenuProbe* active = nullptr;
    HMENU menu_;
    HMENU submenu_;
    std::vector<WORD> keys_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    bool seen_ = false;
    MENUINFO info_{};
    MENUINFO submenuInfo_{};
    COLORREF background_ = CLR_INVALID;
    COLORREF submenuBackground_ = CLR_INVALID;
};

constexpr UINT kFirstItem = 11;
constexpr UINT kSecondItem = 12;
constexpr UINT kSubmenuItem = 13;

HMENU SmallMenu(HMENU& submenu) {
    HMENU menu = CreatePopupMenu();
    submenu = CreatePopupMenu();
    AppendMenuW(submenu, MF_STRING, kSubmenuItem, L"three");
    AppendMenuW(menu, MF_STRING, kFirstItem, L"one");
    AppendMenuW(menu, MF_STRING, kSecondItem, L"two");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), L"more");
    return menu;
}

}  // namespace

TEST_F(NoteCommands, NoteMenuTakesTheNoteColourWithoutACheckColumnAndIsDestroyed) {
    const ColourRef colour = 0x00402010;
    HWND note = MakeNote(300, 300, u"some text", colour);
    RECT r{};
    GetWindowRect(note, &r);
    HMENU submenu = nullptr;
    HMENU menu = SmallMenu(submenu);
    UINT chosen = 1;
    MenuProbe probe(menu, submenu, {VK_ESCAPE});
    chosen = TrackNoteMenu(note, menu, r.left + 50, r.top + 30);

    ASSERT_TRUE(probe.Seen());
    EXPECT_EQ(chosen, 0u);  // dismissed
    EXPECT_EQ(probe.BackgroundColour(), colour);
    EXPECT_NE(probe.Info().dwStyle & MNS_NOCHECK, 0u);
    EXPECT_EQ(probe.SubmenuBackgroundColour(), colour);
    EXPECT_NE(probe.SubmenuInfo().dwStyle & MNS_NOCHECK, 0u);
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsMenu(submenu));
}

TEST_F(NoteCommands, NoteMenuReturnsTheChosenCommand) {
    HWND note = MakeNote(300, 300);
    RECT r{};
    GetWindowRect(note, &r);
    HMENU submenu = nullptr;
    HMENU menu = SmallMenu(submenu);
    MenuProbe probe(menu, submenu, {VK_DOWN, VK_DOWN, VK_RETURN});
    const UINT chosen = TrackNoteMenu(note, menu, r.left + 50, r.top + 30);
    ASSERT_TRUE(probe.Seen());
    EXPECT_EQ(chosen, kSecondItem);
    EXPECT_EQ(probe.BackgroundColour(), kDefaultNoteColour);
}

// Pinning works on a docked note too: the flag and the z-order change at
// once, and undocking then applies the pin again.
TEST_F(NoteCommands, PinningADockedNoteChangesItsFlagAndZOrder) {
    HWND note = MakeNote(200, 200);
    TogglePin(note);
    DockNote(note, kDockRight);
    TogglePin(note);
    EXPECT_FALSE(NoteFromWindow(note)->pinned);
    EXPECT_EQ(SavedValue(Saved(note), "PIN"), "0");
    EXPECT_FALSE(IsTopmost(note));
    UndockNote(note);
    EXPECT_FALSE(IsTopmost(note));

    DockNote(note, kDockRight);
    EXPECT_TRUE(IsTopmost(note));  // a fresh strip is always on top
    TogglePin(note);
    EXPECT_TRUE(IsTopmost(note));
    UndockNote(note);
    EXPECT_TRUE(IsTopmost(note));  // pinned while docked: still on top when floating
}
