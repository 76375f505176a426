#include "support/screen_picture.h"

#include "support/windows_test_support.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

int Width(const RECT& r) {
    return r.right - r.left;
}

int Height(const RECT& r) {
    return r.bottom - r.top;
}

constexpr int kOnScreenProbes = 8;  // points checked along the client area's diagonal

// The screen shows at a few points of the window what the window painted.
bool IsOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const WindowDc windowDc(window);
    const WindowDc screenDc(nullptr);
    for (int part = 1; part < kOnScreenProbes; ++part) {
        POINT point{client.right * part / kOnScreenProbes, client.bottom * part / kOnScreenProbes};
        const COLORREF painted = GetPixel(windowDc.Get(), point.x, point.y);
        ClientToScreen(window, &point);
        if (GetPixel(screenDc.Get(), point.x, point.y) != painted) return false;
    }
    return true;
}

BOOL CALLBACK ChildOnScreen(HWND child, LPARAM allOnScreen) {
    if (IsWindowVisible(child) && !IsOnScreen(child)) *reinterpret_cast<bool*>(allOnScreen) = false;
    return TRUE;
}

// The window and every visible control in it, as they painted themselves.
bool IsWholeOnScreen(HWND window) {
    bool allOnScreen = IsOnScreen(window);
    EnumChildWindows(window, ChildOnScreen, reinterpret_cast<LPARAM>(&allOnScreen));
    return allOnScreen;
}

}  // namespace

RECT VirtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

ScreenPicture::ScreenPicture(const RECT& area)
    : ScreenPicture(area, [&area](HDC dc) {
          const WindowDc screen(nullptr);
          BitBlt(dc, 0, 0, Width(area), Height(area), screen.Get(), area.left, area.top, SRCCOPY);
      }) {}

ScreenPicture ScreenPicture::Drawn(int width, int height, const std::function<void(HDC)>& draw) {
    return ScreenPicture(RECT{0, 0, width, height}, draw);
}

ScreenPicture::ScreenPicture(const RECT& area, const std::function<void(HDC)>& draw) : area_(area) {
    if (Width(area) <= 0 || Height(area) <= 0) return;
    const UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = Width(area);
    info.bmiHeader.biHeight = -Height(area);  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const UniqueBitmap bitmap(CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) return;
    {
        const SelectScope selected(memory.Get(), bitmap.Get());
        draw(memory.Get());
    }
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    pixels_.assign(pixels, pixels + Width(area) * Height(area));
}

COLORREF ScreenPicture::At(int x, int y) const {
    const int column = x - area_.left;
    const int row = y - area_.top;
    if (pixels_.empty() || column < 0 || column >= Width(area_) || row < 0 || row >= Height(area_)) {
        return CLR_INVALID;
    }
    const DWORD pixel = pixels_[static_cast<size_t>(row * Width(area_) + column)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int ScreenPicture::Count(const RECT& where, const std::function<bool(COLORREF)>& matches) const {
    int count = 0;
    for (int y = where.top; y < where.bottom; ++y) {
        for (int x = where.left; x < where.right; ++x) count += matches(At(x, y)) ? 1 : 0;
    }
    return count;
}

int ScreenPicture::Count(const RECT& where, COLORREF colour) const {
    return Count(where, [colour](COLORREF pixel) { return pixel == colour; });
}

std::uint64_t ScreenPicture::Fingerprint() const {
    std::uint64_t hash = 1469598103934665603ull;
    for (DWORD pixel : pixels_) hash = (hash ^ pixel) * 1099511628211ull;
    return hash;
}

void ScreenPicture::SaveBmp(const std::u16string& path) const {
    // 24 bits a pixel: a 32-bit file would carry the capture's undefined
    // fourth byte, which viewers may take for transparency.
    const size_t rowBytes = (static_cast<size_t>(Width(area_)) * 3 + 3) & ~size_t{3};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = Width(area_);
    info.biHeight = Height(area_);  // bottom-up, as BMP files are usually read
    info.biPlanes = 1;
    info.biBitCount = 24;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + static_cast<DWORD>(rowBytes * static_cast<size_t>(Height(area_)));
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int row = Height(area_) - 1; row >= 0 && !pixels_.empty(); --row) {
        std::string line(rowBytes, '\0');
        for (int x = 0; x < Width(area_); ++x) {
            const DWORD pixel = pixels_[static_cast<size_t>(row) * Width(area_) + x];  // 0x00RRGGBB
            line[static_cast<size_t>(x) * 3] = static_cast<char>(pixel & 0xFF);
            line[static_cast<size_t>(x) * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
            line[static_cast<size_t>(x) * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        bytes += line;
    }
    WriteRawFile(path, bytes);
}

COLORREF ScreenPixel(int x, int y) {
    const WindowDc screen(nullptr);
    return GetPixel(screen.Get(), x, y);
}

std::u16string ScreenshotFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"QB_SCREENSHOTS", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? FromWide(folder) : std::u16string();
}

void SaveScreenshotIfAsked(const std::u16string& name, const RECT& area) {
    const std::u16string folder = ScreenshotFolder();
    if (!folder.empty()) ScreenPicture(area).SaveBmp(folder + u"\\" + name + u".bmp");
}

void SaveScreenshotIfAsked(const std::u16string& name, HWND shown) {
    if (ScreenshotFolder().empty()) return;
    RedrawWindow(shown, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // A window can reach the screen a moment after it has painted itself.
    PumpUntil([shown] { return IsWholeOnScreen(shown); });
    SaveScreenshotIfAsked(name);
}
