#include "support/shell_data_folder_test.h"

#include <cwchar>
#include <utility>

#include "categories/category_menu.h"
#include "notes/note_window.h"
#include "reminders/notification_sound.h"
#include "storage/category_storage.h"
#include "storage/unsaved_files.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {
constexpr DWORD kEnvironmentLength = 1024;
}  // namespace

void DataFolderTest::SetUp() {
    wchar_t buffer[kEnvironmentLength] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", buffer, kEnvironmentLength);
    hadAppData_ = length > 0 && length < kEnvironmentLength;
    savedAppData_ = FromWide(buffer);
    SetEnvironmentVariableW(L"APPDATA", Wide(data_.AppData()));
    // What start-up registers before the first note is made.
    RegisterNoteWindowClass(GetModuleHandleW(nullptr));
    SetNoteMenuHandler(ShowCategoryMenu);
    savedCategories_ = std::exchange(Categories(), CategoryStore{});
    savedSound_ = std::exchange(ActiveSoundSettings(), SoundSettings{});
}

void DataFolderTest::TearDown() {
    DestroyAllQuillboardWindows();
    PumpPending();
    Categories() = savedCategories_;
    ActiveSoundSettings() = savedSound_;
    ForgetUnsavedFiles();  // a test's failed saves are not the next test's
    SetEnvironmentVariableW(L"APPDATA", hadAppData_ ? Wide(savedAppData_) : nullptr);
}

void DestroyAllQuillboardWindows() {
    for (HWND window : WindowsOfClass(nullptr)) {
        if (ClassNameOf(window).starts_with(u"Quillboard")) DestroyWindow(window);
    }
}
