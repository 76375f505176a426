#include "app/splash.h"

#include <shellapi.h>
#include <windowsx.h>
#include <gdiplus.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/bitmap_file.h"
#include "app/program_state.h"
#include "base/colour.h"
#include "i18n/core/translation.h"
#include "resource_ids.h"
#include "win/gdi_drawing.h"
#include "win/gdiplus_session.h"
#include "win/handles.h"
#include "win/wide.h"

namespace {

constexpr wchar_t kSplashClass[] = L"QuillboardSplash";

// The product name and the maker's line read the same in every language.
constexpr wchar_t kProductName[] = L"Quillboard";
constexpr wchar_t kCompanyLine[] = L"Quillboard Project";

// Where the donate button and the contact link lead.
constexpr wchar_t kDonationPage[] = L"https://quillboard.example/donate";
constexpr wchar_t kContactAddress[] = L"contact@quillboard.example";
constexpr wchar_t kMailtoScheme[] = L"mailto:";

constexpr UINT_PTR kCloseTimerId = 1;
constexpr UINT kCloseDelayMs = 6000;

constexpr int kSplashWidth = 480;
constexpr int kSplashHeight = 300;
constexpr int kCornerDiameter = 16;

constexpr RECT kTopBand{0, 0, kSplashWidth, 6};
constexpr int kLogoLeft = 22;
constexpr int kLogoTop = 24;
constexpr int kLogoSize = 116;
constexpr RECT kTitleRect{150, 30, kSplashWidth - 36, 80};
constexpr RECT kCompanyRect{150, 82, kSplashWidth - 36, 110};
constexpr int kSeparatorY = 140;
constexpr int kSeparatorInset = 24;
constexpr RECT kMessageRect{28, 150, kSplashWidth - 28, 200};
constexpr RECT kButtonRect{140, 206, 340, 242};
constexpr int kButtonCornerDiameter = 36;  // the height: round ends, a pill
constexpr RECT kLinkRect{130, 250, 350, 274};
constexpr RECT kCrossLines{455, 15, 467, 27};  // the cross joins the corners
constexpr RECT kCrossHitRect{450, 10, 472, 32};

constexpr COLORREF kBackgroundColour = 0x00FFFFFF;
constexpr COLORREF kBandColour = kNoteYellow;
constexpr COLORREF kTitleColour = 0x001C1C1C;
constexpr COLORREF kCompanyColour = 0x00606060;
constexpr COLORREF kSeparatorColour = 0x00E4E4E4;
constexpr COLORREF kMessageColour = 0x002D2D2D;
constexpr COLORREF kButtonTextColour = 0x00FFFFFF;
constexpr COLORREF kButtonColour = 0x00BA7000;  // the blue of the button and the link
constexpr COLORREF kCrossColour = 0x00969696;
constexpr Gdiplus::ARGB kButtonArgb = 0xFF0070BA;  // kButtonColour, opaque
constexpr Gdiplus::ARGB kBorderArgb = 0xFFD2D2D2;
constexpr int kSeparatorPenWidth = 1;
constexpr int kCrossPenWidth = 2;
constexpr Gdiplus::REAL kBorderPenWidth = 1.0f;

struct FontStyle {
    int size = 0;
    int weight = FW_NORMAL;
    bool underline = false;
};

constexpr FontStyle kTitleFont{36, FW_BOLD, false};
constexpr FontStyle kCompanyFont{17, FW_NORMAL, false};
constexpr FontStyle kMessageFont{15, FW_NORMAL, false};
constexpr FontStyle kButtonFont{16, FW_SEMIBOLD, false};
constexpr FontStyle kLinkFont{14, FW_NORMAL, true};

// No text here is meant to show an ampersand as an underline, translations
// included.
constexpr UINT kOneLineLeft = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
constexpr UINT kOneLineCentred = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX;
constexpr UINT kWrappedCentred = DT_WORDBREAK | DT_CENTER | DT_NOPREFIX;

std::string_view LogoResource(HINSTANCE instance) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(IDR_LOGO_BMP), RT_RCDATA);
    if (!resource) return {};
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return std::string_view(static_cast<const char*>(bytes), SizeofResource(instance, resource));
}

// The pixels are copied top row first, so that the image never points into
// the program's read-only resource.
void LoadLogo(HINSTANCE instance) {
    const std::string_view file = LogoResource(instance);
    const std::optional<BitmapPixels> layout = ReadBitmapPixels(file);
    if (!layout) return;
    const size_t stride = static_cast<size_t>(layout->width) * 4;
    std::vector<BYTE> pixels(stride * static_cast<size_t>(layout->height));
    for (int row = 0; row < layout->height; ++row) {
        const char* source = file.data() + layout->topRowOffset + static_cast<ptrdiff_t>(row) * layout->rowStep;
        std::memcpy(pixels.data() + row * stride, source, stride);
    }
    auto image = std::make_unique<Gdiplus::Bitmap>(layout->width, layout->height, static_cast<INT>(stride),
                                                   PixelFormat32bppARGB, pixels.data());
    if (image->GetLastStatus() != Gdiplus::Ok) return;
    SplashLogo& logo = CurrentAppShellState().splashLogo;
    logo.pixels = std::move(pixels);  // the vector's buffer moves with it: the image still points at it
    logo.image = std::move(image);
}

void ReleaseLogo() {
    SplashLogo& logo = CurrentAppShellState().splashLogo;
    logo.image.reset();  // before the pixels it reads
    logo.pixels.clear();
    logo.pixels.shrink_to_fit();
}

// Null when the logo is missing or unreadable; a failed load is not retried.
Gdiplus::Image* Logo(HINSTANCE instance) {
    SplashLogo& logo = CurrentAppShellState().splashLogo;
    if (!logo.attempted) {
        logo.attempted = true;
        LoadLogo(instance);
    }
    return logo.image.get();
}

UniqueFont MakeFont(const FontStyle& style) {
    return UniqueFont(CreateFontW(-style.size, 0, 0, 0, style.weight, FALSE, style.underline ? TRUE : FALSE,
                                  FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI"));
}

struct SplashFonts {
    UniqueFont title = MakeFont(kTitleFont);
    UniqueFont company = MakeFont(kCompanyFont);
    UniqueFont message = MakeFont(kMessageFont);
    UniqueFont button = MakeFont(kButtonFont);
    UniqueFont link = MakeFont(kLinkFont);
};

void DrawTextIn(HDC dc, const wchar_t* text, RECT rect, const UniqueFont& font, COLORREF colour,
                UINT format) {
    const SelectScope selected(dc, font.Get());
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &rect, format);
}

void DrawLine(HDC dc, int width, COLORREF colour, POINT from, POINT to) {
    const UniquePen pen(CreatePen(PS_SOLID, width, colour));
    const SelectScope selected(dc, pen.Get());
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

void DrawLogo(HWND window, Gdiplus::Graphics& graphics) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    Gdiplus::Image* logo = Logo(instance);
    if (logo) graphics.DrawImage(logo, kLogoLeft, kLogoTop, kLogoSize, kLogoSize);
}

void FillPill(Gdiplus::Graphics& graphics, const RECT& rect) {
    constexpr INT d = kButtonCornerDiameter;
    const INT right = rect.right - d;
    Gdiplus::GraphicsPath path;
    path.AddArc(rect.left, rect.top, d, d, 180.0f, 90.0f);
    path.AddArc(right, rect.top, d, d, 270.0f, 90.0f);
    path.AddArc(right, rect.top, d, d, 0.0f, 90.0f);
    path.AddArc(rect.left, rect.top, d, d, 90.0f, 90.0f);
    path.CloseFigure();
    const Gdiplus::SolidBrush brush{Gdiplus::Color(kButtonArgb)};
    graphics.FillPath(&brush, &path);
}

// Without GDI+ the button is still a blue shape, so that its white text shows.
void FillPillWithGdi(HDC dc, const RECT& rect) {
    const UniqueBrush brush(CreateSolidBrush(kButtonColour));
    const UniquePen pen(CreatePen(PS_SOLID, 1, kButtonColour));
    const SelectScope selectedBrush(dc, brush.Get());
    const SelectScope selectedPen(dc, pen.Get());
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, kButtonCornerDiameter, kButtonCornerDiameter);
}

void DrawDonateButton(HDC dc, Gdiplus::Graphics* graphics, const UniqueFont& font) {
    if (graphics) {
        FillPill(*graphics, kButtonRect);
        graphics->Flush(Gdiplus::FlushIntentionSync);  // the text goes on top through GDI
    } else {
        FillPillWithGdi(dc, kButtonRect);
    }
    DrawTextIn(dc, Wide(Translate(u"Faire un don")), kButtonRect, font, kButtonTextColour, kOneLineCentred);
}

void DrawCloseCross(HDC dc) {
    const RECT& c = kCrossLines;
    DrawLine(dc, kCrossPenWidth, kCrossColour, {c.left, c.top}, {c.right, c.bottom});
    DrawLine(dc, kCrossPenWidth, kCrossColour, {c.right, c.top}, {c.left, c.bottom});
}

void DrawBorder(Gdiplus::Graphics& graphics) {
    const Gdiplus::Pen pen(Gdiplus::Color(kBorderArgb), kBorderPenWidth);
    graphics.DrawRectangle(&pen, 0, 0, kSplashWidth - 1, kSplashHeight - 1);
}

void DrawTexts(HDC dc, const SplashFonts& fonts) {
    SetBkMode(dc, TRANSPARENT);
    DrawTextIn(dc, kProductName, kTitleRect, fonts.title, kTitleColour, kOneLineLeft);
    DrawTextIn(dc, kCompanyLine, kCompanyRect, fonts.company, kCompanyColour, kOneLineLeft);
    DrawLine(dc, kSeparatorPenWidth, kSeparatorColour, {kSeparatorInset, kSeparatorY},
             {kSplashWidth - kSeparatorInset, kSeparatorY});
    const char16_t* message =
        Translate(u"Logiciel gratuit. Si Quillboard vous aide, soutenez son developpement par un don !");
    DrawTextIn(dc, Wide(message), kMessageRect, fonts.message, kMessageColour, kWrappedCentred);
}

void PaintSplash(HWND window, HDC dc) {
    const SplashFonts fonts;  // made before the saved state, so they outlive their selection
    const SavedDcState savedState(dc);

    FillSolid(dc, RECT{0, 0, kSplashWidth, kSplashHeight}, kBackgroundColour);
    FillSolid(dc, kTopBand, kBandColour);

    Gdiplus::Graphics graphics(dc);
    Gdiplus::Graphics* smooth = graphics.GetLastStatus() == Gdiplus::Ok ? &graphics : nullptr;
    if (smooth) {
        smooth->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        smooth->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        DrawLogo(window, *smooth);
        smooth->Flush(Gdiplus::FlushIntentionSync);
    }

    DrawTexts(dc, fonts);
    DrawDonateButton(dc, smooth, fonts.button);
    DrawTextIn(dc, kContactAddress, kLinkRect, fonts.link, kButtonColour, kOneLineCentred);
    DrawCloseCross(dc);
    if (smooth) DrawBorder(*smooth);
}

// A failure (no browser, no mail program) is simply ignored.
void OpenExternal(const std::wstring& target) {
    ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The window stays open after a page is opened; its timer closes it later.
void OnClick(HWND window, POINT point) {
    if (PtInRect(&kButtonRect, point)) {
        OpenExternal(kDonationPage);
    } else if (PtInRect(&kLinkRect, point)) {
        OpenExternal(std::wstring(kMailtoScheme) + kContactAddress);
    } else if (PtInRect(&kCrossHitRect, point)) {
        DestroyWindow(window);
    }
}

// The splash keeps no state of its own: the logo is process-wide and the
// rest is fixed, so there is no record behind the window.
LRESULT CALLBACK SplashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        const PaintScope paint(window);
        if (paint.Dc()) PaintSplash(window, paint.Dc());
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
    case WM_LBUTTONDOWN:
        OnClick(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_TIMER:
        if (wParam == kCloseTimerId) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        ReleaseLogo();  // the splash is shown once a run
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterSplashClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = SplashWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kSplashClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

POINT CentredOnWorkArea() {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return POINT{work.left + (work.right - work.left - kSplashWidth) / 2,
                 work.top + (work.bottom - work.top - kSplashHeight) / 2};
}

void SetRoundedShape(HWND window) {
    UniqueRegion region(CreateRoundRectRgn(0, 0, kSplashWidth + 1, kSplashHeight + 1, kCornerDiameter,
                                           kCornerDiameter));
    // Once set, the region belongs to the window.
    if (region && SetWindowRgn(window, region.Get(), TRUE)) region.Release();
}

}  // namespace

void ShowSplash(HINSTANCE instance) {
    EnsureGdiplusStarted();  // without it the splash is drawn with GDI alone
    if (!RegisterSplashClass(instance)) return;

    const POINT origin = CentredOnWorkArea();
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kSplashClass, L"Quillboard", WS_POPUP,
                                  origin.x, origin.y, kSplashWidth, kSplashHeight, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return;

    SetRoundedShape(window);
    ShowWindow(window, SW_SHOWNA);  // never takes the focus from the user's application
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    SetTimer(window, kCloseTimerId, kCloseDelayMs, nullptr);
}
