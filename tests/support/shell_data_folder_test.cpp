#include "support/shell_data_folder_test.h"

#include <cwchar>
#include <utility>

#include "categories/category_menu.h"
#include "i18n/core/built_in_french.h"
#include "notes/note_sync.h"
#include "notes/note_window.h"
#include "reminders/notification_sound.h"
#include "storage/data_directory.h"
#include "support/windows_test_support.h"
#include "win/wide.h"

namespace {

constexpr DWORD kEnvironmentLength = 1024;

// The state of tests that make no fixture of their own, for the whole run.
class ProgramStateForTheRun : public testing::Environment {
public:
    void SetUp() override {
        binding_.emplace(state_);
        FillBuiltInFrench(ActiveTranslationTable());  // French, as a start in French makes it
    }
    void TearDown() override { binding_.reset(); }

private:
    ProgramState state_;
    std::optional<ProgramStateBinding> binding_;
};

[[maybe_unused]] testing::Environment* const kStateForTheRun =
    testing::AddGlobalTestEnvironment(new ProgramStateForTheRun);

}  // namespace

void DataFolderTest::SetUp() {
    wchar_t buffer[kEnvironmentLength] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", buffer, kEnvironmentLength);
    hadAppData_ = length > 0 && length < kEnvironmentLength;
    savedAppData_ = FromWide(buffer);
    SetEnvironmentVariableW(L"APPDATA", Wide(data_.AppData()));
    const DWORD localLength = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, kEnvironmentLength);
    hadLocalAppData_ = localLength > 0 && localLength < kEnvironmentLength;
    savedLocalAppData_ = FromWide(buffer);
    SetEnvironmentVariableW(L"LOCALAPPDATA", Wide(data_.AppData() + u"\\Local"));
    // New category ids as they always were, NEXTID itself: expected files stay
    // readable. The spread is tested on its own.
    state_.storage.categoryIdSpread = [] { return std::uint32_t{0}; };
    binding_.emplace(state_);
    FillBuiltInFrench(ActiveTranslationTable());  // French, as a start in French makes it
    EnsureDataFolders();
    // What start-up registers before the first note is made.
    RegisterNoteWindowClass(GetModuleHandleW(nullptr));
    SetNoteMenuHandler(ShowCategoryMenu);
    SetNoteFileChangedHandler(ReconcileNoteWithFile);
}

void DataFolderTest::TearDown() {
    DestroyAllQuillboardWindows();
    PumpPending();
    binding_.reset();
    SetEnvironmentVariableW(L"APPDATA", hadAppData_ ? Wide(savedAppData_) : nullptr);
    SetEnvironmentVariableW(L"LOCALAPPDATA", hadLocalAppData_ ? Wide(savedLocalAppData_) : nullptr);
}

void DestroyAllQuillboardWindows() {
    for (HWND window : WindowsOfClass(nullptr)) {
        if (ClassNameOf(window).starts_with(u"Quillboard")) DestroyWindow(window);
    }
}
