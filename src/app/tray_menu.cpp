#include "app/tray_menu.h"

#include "app/start_with_windows.h"
#include "i18n/core/translation.h"
#include "win/wide.h"

namespace {

struct TrayMenuItem {
    UINT menuId;  // its WM_COMMAND id; 0: a separator
    CommandId command;
    const char16_t* text;  // French source text
};

constexpr TrayMenuItem kSeparator{0, CommandId::NewNote, nullptr};

// In menu order. The WM_COMMAND ids stay as they have always been: the
// installer sends the quit command by its number.
constexpr TrayMenuItem kTrayMenuItems[] = {
    {1001, CommandId::NewNote, u"Nouvelle note"},
    {1007, CommandId::FindNotes, u"Rechercher…"},
    {1005, CommandId::DockAllNotes, u"Ancrer toutes les notes"},
    {1004, CommandId::UndockAllNotes, u"Désancrer toutes les notes"},
    kSeparator,
    {1006, CommandId::OpenSettings, u"Paramètres…"},
    {1040, CommandId::OpenRestoreWindow, u"Restaurer…"},
    kSeparator,
    {1003, CommandId::StartWithWindows, u"Démarrer avec Windows"},
    kSeparator,
    {kTrayQuitId, CommandId::Quit, u"Quitter"},
};

UINT ItemFlags(CommandId command) {
    if (command != CommandId::StartWithWindows) return MF_STRING;
    return MF_STRING | (IsStartWithWindowsEnabled() ? MF_CHECKED : MF_UNCHECKED);
}

}  // namespace

std::optional<CommandId> TrayMenuCommand(UINT menuId) {
    for (const TrayMenuItem& item : kTrayMenuItems) {
        if (item.menuId != 0 && item.menuId == menuId) return item.command;
    }
    return std::nullopt;
}

UniqueMenu BuildTrayMenu() {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    for (const TrayMenuItem& item : kTrayMenuItems) {
        if (item.menuId == 0) {
            AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu.Get(), ItemFlags(item.command), item.menuId, Wide(Translate(item.text)));
        }
    }
    return menu;
}

void ShowTrayMenu(HWND trayWindow) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const UniqueMenu menu = BuildTrayMenu();
    if (!menu) return;
    // Without the foreground the menu would not close when the user clicks
    // elsewhere; the WM_NULL afterwards lets the next click open it again.
    SetForegroundWindow(trayWindow);
    TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, trayWindow, nullptr);
    PostMessageW(trayWindow, WM_NULL, 0, 0);
}
