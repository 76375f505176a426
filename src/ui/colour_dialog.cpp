#include "ui/colour_dialog.h"

#include <commdlg.h>

#include "ui/ui_state.h"
#include "win/system_function.h"

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
    const auto choose = SystemFunction<decltype(ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    if (!choose || !choose(&dialog)) return false;
    colour = dialog.rgbResult;
    return true;
}
