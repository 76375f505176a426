#include "ui/colour_dialog.h"

#include <commdlg.h>

#include "ui/ui_state.h"

COLORREF* CustomColours() {
    return CurrentUiState().customColours.data();
}

bool ChooseColour(HWND owner, ColourRef& colour) {
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.rgbResult = colour;
    dialog.lpCustColors = CustomColours();
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&dialog)) return false;
    colour = dialog.rgbResult;
    return true;
}
