// Pictures of the screen as it is shown now: read pixel by pixel, compared
// from one moment to the next, and saved for the docs when the run asks for
// pictures (QB_SCREENSHOTS names the folder they go to). Pictures of what a
// test draws into memory are read the same way.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The whole virtual desktop, in screen coordinates.
RECT VirtualScreen();

// A rectangle of the screen, captured when it is made.
class ScreenPicture {
public:
    explicit ScreenPicture(const RECT& area = VirtualScreen());
    // What `draw` paints on a blank bitmap of that size, its top left at (0, 0).
    static ScreenPicture Drawn(int width, int height, const std::function<void(HDC)>& draw);

    // A screen point's colour, CLR_INVALID outside the rectangle.
    COLORREF At(int x, int y) const;
    // The points of a screen rectangle whose colour matches.
    int Count(const RECT& where, const std::function<bool(COLORREF)>& matches) const;
    int Count(const RECT& where, COLORREF colour) const;
    // Changes whenever a pixel does.
    std::uint64_t Fingerprint() const;
    // As a 32-bit BMP file.
    void SaveBmp(const std::u16string& path) const;

private:
    ScreenPicture(const RECT& area, const std::function<void(HDC)>& draw);

    RECT area_;
    std::vector<DWORD> pixels_;  // top row first, 0x00RRGGBB
};

// One point of the screen as it is shown now.
COLORREF ScreenPixel(int x, int y);

// The folder QB_SCREENSHOTS names, or empty when no pictures are wanted.
std::u16string ScreenshotFolder();

// Saves a picture of the area as "<name>.bmp" in that folder, if any.
void SaveScreenshotIfAsked(const std::u16string& name, const RECT& area = VirtualScreen());
// The same of the whole screen, once the window, repainted with its
// controls, shows on the screen as it painted itself.
void SaveScreenshotIfAsked(const std::u16string& name, HWND shown);
