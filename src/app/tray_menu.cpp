#include "app/tray_menu.h"

#include "app/start_with_windows.h"
#include "i18n/core/translation.h"
#include "win/wide.h"

namespace {

struct TrayMenuItem {
    UINT command;          // 0: a separator
    const char16_t* text;  // French source text
};

constexpr TrayMenuItem kTrayMenuItems[] = {
    {kTrayNewNote, u"Nouvelle note"},
    {kTrayDockAll, u"Ancrer toutes les notes"},
    {kTrayUndockAll, u"Désancrer toutes les notes"},
    {0, nullptr},
    {kTraySettings, u"Paramètres…"},
    {0, nullptr},
    {kTrayStartWithWindows, u"Démarrer avec Windows"},
    {0, nullptr},
    {kTrayQuit, u"Quitter"},
};

UINT ItemFlags(UINT command) {
    if (command != kTrayStartWithWindows) return MF_STRING;
    return MF_STRING | (IsStartWithWindowsEnabled() ? MF_CHECKED : MF_UNCHECKED);
}

}  // namespace

UniqueMenu BuildTrayMenu() {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    for (const TrayMenuItem& item : kTrayMenuItems) {
        if (item.command == 0) {
            AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu.Get(), ItemFlags(item.command), item.command, Wide(Translate(item.text)));
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
