#include "test_support.h"

#include <cwchar>

#include "categories/category_menu.h"
#include "notes/note_creation.h"
#include "notes/note_window.h"
#include "notes/note_window_state.h"
#include "storage/note_files.h"
#include "win/wide.h"

void DataFolderTest::SetUp() {
    wchar_t buffer[1024] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", buffer, 1024);
    hadAppData_ = length > 0 && length < 1024;
    savedAppData_ = FromWide(buffer);
    SetEnvironmentVariableW(L"APPDATA", Wide(folder_.Path()));
    // What start-up registers before the first note is made.
    RegisterNoteWindowClass(GetModuleHandleW(nullptr));
    SetNoteMenuHandler(ShowCategoryMenu);
}

void DataFolderTest::TearDown() {
    DestroyAllQuillboardWindows();
    PumpPending();
    SetEnvironmentVariableW(L"APPDATA", hadAppData_ ? Wide(savedAppData_) : nullptr);
}

std::u16string DataFolderTest::DataPath(const std::u16string& relative) const {
    std::u16string path = folder_.Path() + u"\\Quillboard";
    if (!relative.empty()) path += u"\\" + relative;
    return path;
}

std::vector<HWND> WindowsOfClass(const wchar_t* className) {
    return TopLevelWindows(GetCurrentProcessId(), className);
}

void DestroyAllQuillboardWindows() {
    for (HWND window : WindowsOfClass(nullptr)) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (wcsncmp(name, L"Quillboard", 10) == 0) DestroyWindow(window);
    }
}

namespace {
DialogAnswerer* activeAnswerer = nullptr;

BOOL CALLBACK FindMessageText(HWND child, LPARAM parameter) {
    auto* text = reinterpret_cast<std::u16string*>(parameter);
    if (ClassNameOf(child) == u"Static" && !WindowTextOf(child).empty() && text->empty()) {
        *text = WindowTextOf(child);
    }
    return TRUE;
}
}  // namespace

DialogAnswerer::DialogAnswerer(UINT command) : command_(command) {
    activeAnswerer = this;
    timer_ = SetTimer(nullptr, 0, 30, &DialogAnswerer::OnTimer);
}

DialogAnswerer::~DialogAnswerer() {
    KillTimer(nullptr, timer_);
    activeAnswerer = nullptr;
}

void CALLBACK DialogAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (activeAnswerer) activeAnswerer->TryAnswer();
}

void DialogAnswerer::TryAnswer() {
    if (answered_) return;
    for (HWND box : WindowsOfClass(L"#32770")) {
        if (!IsWindowVisible(box)) continue;
        caption_ = WindowTextOf(box);
        EnumChildWindows(box, FindMessageText, reinterpret_cast<LPARAM>(&message_));
        for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
            HWND button = GetDlgItem(box, id);
            if (button && (GetWindowLongPtrW(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) defaultButton_ = id;
        }
        answered_ = true;
        PostMessageW(box, WM_COMMAND, command_, 0);
        return;
    }
}

std::string NoteFileText(const std::string& header, const std::string& body) {
    return header + "---\r\n" + body;
}

HWND ShowNewNote(const NoteCreateParams& params) {
    HWND note = CreateNoteWindow(params);
    ShowWindow(note, SW_SHOWNA);
    UpdateWindow(note);
    return note;
}

std::u16string NoteFileOf(HWND note) {
    return NoteFilePath(NoteFromWindow(note)->id);
}
