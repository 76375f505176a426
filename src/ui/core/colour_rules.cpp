#include "ui/core/colour_rules.h"

#include <algorithm>

namespace {

constexpr double kHeaderShade = 0.82;
constexpr int kDarkTarget = 30;    // grey a light colour moves towards
constexpr int kLightTarget = 240;  // grey a dark colour moves towards
constexpr double kMenuSelectedShift = 0.22;
constexpr double kMenuSeparatorShift = 0.3;
constexpr double kMenuGreyedShift = 0.45;
constexpr double kButtonBorderShift = 0.35;

int Red(ColourRef colour) { return static_cast<int>(colour & 0xFF); }
int Green(ColourRef colour) { return static_cast<int>((colour >> 8) & 0xFF); }
int Blue(ColourRef colour) { return static_cast<int>((colour >> 16) & 0xFF); }

ColourRef MakeColour(int red, int green, int blue) {
    const auto channel = [](int value) {
        return static_cast<ColourRef>(std::clamp(value, 0, 255));
    };
    return channel(red) | (channel(green) << 8) | (channel(blue) << 16);
}

// The integer part, as a C cast of the double: truncation toward zero.
int Shade(int channel) { return static_cast<int>(channel * kHeaderShade); }

int Move(int from, int to, double fraction) {
    return static_cast<int>(from + (to - from) * fraction);
}

// The grey a colour's highlights and borders move towards.
int GreyTarget(ColourRef colour) {
    return IsDarkColour(colour) ? kLightTarget : kDarkTarget;
}

}  // namespace

int Luminance(ColourRef colour) {
    return (299 * Red(colour) + 587 * Green(colour) + 114 * Blue(colour)) / 1000;
}

bool IsDarkColour(ColourRef colour) {
    return Luminance(colour) <= kDarkLuminanceLimit;
}

ColourRef ContrastTextColour(ColourRef colour) {
    return IsDarkColour(colour) ? kLightTextColour : kDarkTextColour;
}

ColourRef HeaderColour(ColourRef colour) {
    return MakeColour(Shade(Red(colour)), Shade(Green(colour)), Shade(Blue(colour)));
}

ColourRef MutedTextColour(ColourRef note) {
    const ColourRef text = ContrastTextColour(note);
    return MakeColour((Red(note) + Red(text)) / 2, (Green(note) + Green(text)) / 2,
                      (Blue(note) + Blue(text)) / 2);
}

ColourRef MoveTowards(ColourRef colour, int grey, double fraction) {
    return MakeColour(Move(Red(colour), grey, fraction), Move(Green(colour), grey, fraction),
                      Move(Blue(colour), grey, fraction));
}

ColourRef MoveGreyTowards(int grey, ColourRef colour, double fraction) {
    return MakeColour(Move(grey, Red(colour), fraction), Move(grey, Green(colour), fraction),
                      Move(grey, Blue(colour), fraction));
}

std::uint32_t ArgbFromColourRef(ColourRef colour, std::uint8_t alpha) {
    return (static_cast<std::uint32_t>(alpha) << 24) |
           (static_cast<std::uint32_t>(Red(colour)) << 16) |
           (static_cast<std::uint32_t>(Green(colour)) << 8) |
           static_cast<std::uint32_t>(Blue(colour));
}

MenuColours OwnerDrawMenuColours(ColourRef base) {
    const int target = GreyTarget(base);
    MenuColours colours;
    colours.background = base;
    colours.selectedBackground = MoveTowards(base, target, kMenuSelectedShift);
    colours.separator = MoveTowards(base, target, kMenuSeparatorShift);
    colours.text = ContrastTextColour(base);
    colours.greyedText = MoveGreyTowards(target, base, kMenuGreyedShift);
    return colours;
}

ButtonColours RoundedButtonColours(ColourRef colour, bool pressed) {
    ButtonColours colours;
    colours.face = HeaderColour(colour);
    if (pressed) {
        colours.face = HeaderColour(colours.face);
    }
    colours.border = MoveTowards(colours.face, GreyTarget(colours.face), kButtonBorderShift);
    colours.text = ContrastTextColour(colours.face);
    return colours;
}
