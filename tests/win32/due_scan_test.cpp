// The due-entry scan over real note windows, with the clock given by the
// test: which entries fire, what reaches the note file, and what a modal
// dialog, a toast that cannot be shown or a new day changes.
#include <string>
#include <vector>

#include "notes/note_window_state.h"
#include "reminders/due_scan.h"
#include "reminders/notification_sound.h"
#include "reminders/toast_painting.h"
#include "reminders/toast_window.h"
#include "storage/category_storage.h"
#include "support/program_names.h"
#include "support/refused_windows.h"
#include "support/shell_data_folder_test.h"
#include "support/shell_test_notes.h"
#include "support/windows_test_support.h"
#include "ui/modal_dialog.h"

namespace {

constexpr DueParts kAt1405{2025, 3, 14, 14, 5};
constexpr DueParts kAt1406{2025, 3, 14, 14, 6};
constexpr ColourRef kNoteColour = 0x00E6A03C;

NoteEntry Entry(std::int32_t id, DueStamp due, const char16_t* text, std::int32_t notified = 0) {
    return NoteEntry{id, due, 0, notified, 0, text};
}

HWND MakeScheduledNote(const std::vector<NoteEntry>& entries) {
    return MakeNote(TestNote{.id = 0x5CA1AB1E, .colour = kNoteColour, .category = 1, .subcategory = 2,
                             .type = kNoteScheduled, .entries = entries});
}

std::vector<std::int32_t> NotifiedFlags(HWND note) {
    std::vector<std::int32_t> flags;
    for (const NoteEntry& entry : NoteFromWindow(note)->entries) flags.push_back(entry.notified);
    return flags;
}

// The title and text of the open toasts, oldest first.
std::vector<std::u16string> ToastTexts() {
    std::vector<std::u16string> texts;
    for (HWND toast : OpenToasts()) {
        const auto* data = reinterpret_cast<const ToastData*>(GetWindowLongPtrW(toast, GWLP_USERDATA));
        texts.push_back(data->title + u" | " + data->text);
    }
    return texts;
}

class DueScan : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        Categories() = CategoryStore{{Category{1, u"Travail", kNoteColour, {Subcategory{2, u"Appels"}}}}, 3};
        ActiveSoundSettings().enabled = false;
    }
};

TEST_F(DueScan, AnnouncesADueEntryOnceWhenItsToastShowsAndNoModalDialogRuns) {
    HWND note = MakeScheduledNote({Entry(5, 202503141200, u"déjà annoncé", 1), Entry(1, 202503141400, u"relancer"),
                                   Entry(2, 202503141405, u"appeler"), Entry(3, 202503141406, u"plus tard")});
    {
        const ModalDialogScope dialog;
        ScanDueEntriesAt(kAt1405);
        EXPECT_TRUE(OpenToasts().empty());
        EXPECT_EQ(NotifiedFlags(note), (std::vector<std::int32_t>{1, 0, 0, 0}));
    }
    ScanDueEntriesAt(kAt1405);  // in list order
    EXPECT_EQ(ToastTexts(),
              (std::vector<std::u16string>{u"Travail > Appels | relancer", u"Travail > Appels | appeler"}));
    EXPECT_EQ(NotifiedFlags(note), (std::vector<std::int32_t>{1, 1, 1, 0}));
    const std::string file = SavedFile(note);
    EXPECT_NE(file.find("ENTRY|1|202503141400|0|1|0|relancer\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("ENTRY|2|202503141405|0|1|0|appeler\r\n"), std::string::npos) << file;
    ScanDueEntriesAt(kAt1405);  // nothing new this minute
    EXPECT_EQ(OpenToasts().size(), 2u);

    {
        const RefuseWindowsOfClass refused(kToastClass);
        EXPECT_FALSE(ShowToast(u"titre", u"texte", kNoteColour));
        ScanDueEntriesAt(kAt1406);
    }
    EXPECT_EQ(OpenToasts().size(), 2u);
    EXPECT_EQ(NotifiedFlags(note), (std::vector<std::int32_t>{1, 1, 1, 0}));  // still due at the next scan
    EXPECT_NE(SavedFile(note).find("ENTRY|3|202503141406|0|0|0|plus tard\r\n"), std::string::npos);
    ScanDueEntriesAt(kAt1406);
    EXPECT_EQ(ToastTexts().size(), 3u);
    EXPECT_EQ(ToastTexts().back(), u"Travail > Appels | plus tard");
    EXPECT_EQ(NotifiedFlags(note), (std::vector<std::int32_t>{1, 1, 1, 1}));
    EXPECT_NE(SavedFile(note).find("ENTRY|3|202503141406|0|1|0|plus tard\r\n"), std::string::npos);
}

TEST_F(DueScan, EntriesBeyondWhatTheStackShowsWaitForTheNextScanOldestFirst) {
    // Two notes: one holds as many recent entries as the stack shows, the
    // other three older ones, which go first whichever note the walk finds first.
    const int capacity = ToastStackCapacity();
    std::vector<NoteEntry> recent;
    for (int i = 0; i < capacity; ++i) recent.push_back(Entry(i + 1, 202503141300 + i, u"récent"));
    HWND recentNote = MakeScheduledNote(recent);
    HWND olderNote = MakeNote(TestNote{.id = 0x01D, .type = kNoteScheduled,
                                       .entries = {Entry(1, 202503141200, u"ancien"), Entry(2, 202503141201, u"ancien"),
                                                   Entry(3, 202503141202, u"ancien")}});
    const auto notified = [](HWND note) {
        int count = 0;
        for (const std::int32_t flag : NotifiedFlags(note)) count += flag;
        return count;
    };

    ScanDueEntriesAt(kAt1405);
    EXPECT_EQ(OpenToasts().size(), static_cast<std::size_t>(capacity));
    EXPECT_EQ(notified(olderNote), 3);
    EXPECT_EQ(notified(recentNote), capacity - 3);  // none announced unseen

    for (HWND toast : std::vector<HWND>(OpenToasts())) DestroyWindow(toast);
    ScanDueEntriesAt(kAt1406);
    EXPECT_EQ(OpenToasts().size(), 3u);
    EXPECT_EQ(notified(recentNote), capacity);
}

TEST_F(DueScan, ANewDayRepaintsEveryNoteOnceEvenUnderAModalDialog) {
    HWND note = MakeScheduledNote({});
    const auto needsPaint = [&] { return GetUpdateRect(note, nullptr, FALSE) != FALSE; };
    ScanDueEntriesAt(kAt1405);
    UpdateWindow(note);
    ScanDueEntriesAt(kAt1406);
    EXPECT_FALSE(needsPaint());
    const ModalDialogScope dialog;
    ScanDueEntriesAt(DueParts{2025, 3, 15, 0, 0});
    EXPECT_TRUE(needsPaint());
    UpdateWindow(note);
    ScanDueEntriesAt(DueParts{2025, 3, 15, 0, 1});
    EXPECT_FALSE(needsPaint());
}

}  // namespace
