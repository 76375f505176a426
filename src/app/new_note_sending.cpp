#include "app/new_note_sending.h"

#include <windows.h>

#include <chrono>
#include <optional>

#include "app/command_line_message.h"
#include "app/exit_codes.h"
#include "app/new_note_handoff.h"
#include "app/tray_window.h"
#include "i18n/core/translation.h"

namespace {

// A copy that was just started may not have made its tray window yet.
constexpr auto kTrayWindowWait = std::chrono::seconds(10);
constexpr DWORD kTrayWindowPollMs = 100;
// A running copy busy for longer than this (or hung) does not get the note.
constexpr UINT kReplyTimeoutMs = 10000;

HWND WaitForRunningTrayWindow() {
    const auto deadline = std::chrono::steady_clock::now() + kTrayWindowWait;
    for (;;) {
        if (HWND tray = FindWindowW(kTrayWindowClass, nullptr)) return tray;
        if (std::chrono::steady_clock::now() >= deadline) return nullptr;
        Sleep(kTrayWindowPollMs);
    }
}

std::optional<NewNoteReply> SendRequest(HWND tray, const NewNoteRequest& request) {
    const std::u16string payload = EncodeNewNoteRequest(request);
    COPYDATASTRUCT data{};
    data.dwData = kNewNoteRequestKind;
    data.cbData = static_cast<DWORD>(payload.size() * sizeof(char16_t));
    data.lpData = const_cast<char16_t*>(payload.data());
    // This copy was started by the user and may bring a window forward; the
    // running copy may not, unless allowed: its new note would open behind.
    DWORD runningProcess = 0;
    GetWindowThreadProcessId(tray, &runningProcess);
    AllowSetForegroundWindow(runningProcess);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(tray, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             kReplyTimeoutMs, &result)) {
        return std::nullopt;
    }
    return static_cast<NewNoteReply>(result);
}

}  // namespace

int HandNewNoteToRunningCopy(const NewNoteRequest& request) {
    HWND tray = WaitForRunningTrayWindow();
    const std::optional<NewNoteReply> reply = tray ? SendRequest(tray, request) : std::nullopt;
    if (reply == NewNoteReply::NoteMade) return kCommandDone;
    if (reply == NewNoteReply::UnknownCategory) {
        TellUnknownCategory(request.category);
        return kCommandBadArguments;
    }
    TellCommandLineUser(Translate(u"Quillboard est en cours d'exécution mais ne répond pas : la note n'a pas été faite."));
    return kCommandFailed;
}

