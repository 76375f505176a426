#include "support/shell_menu_items.h"

#include "ui/owner_draw_menu.h"

std::vector<std::u16string> OwnerDrawnMenuTexts(HMENU menu) {
    std::vector<std::u16string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        texts.push_back(info.dwItemData ? reinterpret_cast<const OwnerDrawMenuItem*>(info.dwItemData)->text : u"");
    }
    return texts;
}
