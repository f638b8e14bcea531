#include "support/win32/window_picture.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <vector>

namespace quellix::test {

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    // Rows top to bottom, 4 bytes a pixel: blue, green, red, unused.
    std::vector<std::uint8_t> pixels;
};

// Wine's WM_PRINT leaves the children out, and its controls clip as if the context's origin
// were theirs: each window is printed into a picture of its own, copied into place, bottom of
// the z-order first.
void PrintTree(HWND window, HDC target, POINT origin, bool withFrame) {
    RECT area{};
    if (withFrame) {
        GetWindowRect(window, &area);
    } else {
        GetClientRect(window, &area);
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width > 0 && height > 0) {
        HDC own = CreateCompatibleDC(target);
        HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
        HGDIOBJ previous = SelectObject(own, bitmap);
        // What lies behind shows through a transparent control (a frame, a label).
        BitBlt(own, 0, 0, width, height, target, origin.x, origin.y, SRCCOPY);
        SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(own),
                     PRF_CLIENT | PRF_ERASEBKGND | (withFrame ? PRF_NONCLIENT : 0));
        BitBlt(target, origin.x, origin.y, width, height, own, 0, 0, SRCCOPY);
        SelectObject(own, previous);
        DeleteObject(bitmap);
        DeleteDC(own);
    }
    POINT clientOrigin{0, 0};
    ClientToScreen(window, &clientOrigin);
    RECT windowPlace{};
    GetWindowRect(window, &windowPlace);
    // Children are placed from the client area; origin is where the window's picture began.
    const POINT base = withFrame ? POINT{origin.x + clientOrigin.x - windowPlace.left,
                                         origin.y + clientOrigin.y - windowPlace.top}
                                 : origin;
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child != nullptr;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        RECT place{};
        GetWindowRect(child, &place);
        PrintTree(child, target,
                  {base.x + place.left - clientOrigin.x, base.y + place.top - clientOrigin.y},
                  true);
    }
}

// A picture of width x height pixels, as draw paints it into a memory context.
Picture Drawn(int width, int height, const std::function<void(HDC memory, HDC screen)>& draw) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    draw(memory, screen);
    GdiFlush();
    ReleaseDC(nullptr, screen);
    Picture picture{width, height, {}};
    const auto* start = static_cast<const std::uint8_t*>(bits);
    picture.pixels.assign(
        start, start + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return picture;
}

Picture Paint(HWND window) {
    RECT area{};
    // The frame of a top-level window is the display driver's: the client area only.
    GetClientRect(window, &area);
    return Drawn(area.right - area.left, area.bottom - area.top, [window](HDC memory, HDC) {
        PrintTree(window, memory, {0, 0}, false);
    });
}

void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

bool WriteBmp(const Picture& picture, const std::string& bmpPath) {
    if (picture.pixels.empty()) {
        return false;
    }
    const auto rowBytes = static_cast<std::uint32_t>((picture.width * 3 + 3) & ~3);
    const auto imageBytes = rowBytes * static_cast<std::uint32_t>(picture.height);
    std::ofstream out(bmpPath, std::ios::binary);
    out.put('B');
    out.put('M');
    PutLittleEndian(out, 54 + imageBytes, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 54, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(picture.width), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(picture.height), 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 24, 2);
    for (int i = 0; i < 6; ++i) {
        PutLittleEndian(out, 0, 4);
    }
    // A BMP stores its rows bottom up.
    for (int row = picture.height - 1; row >= 0; --row) {
        const std::size_t start =
            static_cast<std::size_t>(row) * static_cast<std::size_t>(picture.width) * 4;
        for (int column = 0; column < picture.width; ++column) {
            const std::size_t pixel = start + static_cast<std::size_t>(column) * 4;
            out.put(static_cast<char>(picture.pixels[pixel]));
            out.put(static_cast<char>(picture.pixels[pixel + 1]));
            out.put(static_cast<char>(picture.pixels[pixel + 2]));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(picture.width) * 3; pad < rowBytes;
             ++pad) {
            out.put(0);
        }
    }
    return static_cast<bool>(out);
}

// Whether a pixel of area is within tolerance of colour in each of red, green and blue.
bool AnyPixelNear(const Picture& picture, RECT area, COLORREF colour, int tolerance) {
    const auto within = [tolerance](int painted, int wanted) {
        return painted - wanted <= tolerance && wanted - painted <= tolerance;
    };
    for (LONG y = std::max(area.top, 0L); y < std::min(area.bottom, LONG{picture.height}); ++y) {
        for (LONG x = std::max(area.left, 0L); x < std::min(area.right, LONG{picture.width}); ++x) {
            const std::size_t pixel =
                (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                 static_cast<std::size_t>(x)) *
                4;
            if (within(picture.pixels[pixel + 2], GetRValue(colour)) &&
                within(picture.pixels[pixel + 1], GetGValue(colour)) &&
                within(picture.pixels[pixel], GetBValue(colour))) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::string& bmpPath) {
    return WriteBmp(Paint(window), bmpPath);
}

bool SaveScreenPicture(RECT area, const std::string& bmpPath) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    return WriteBmp(Drawn(width, height,
                          [&](HDC memory, HDC screen) {
                              BitBlt(memory, 0, 0, width, height, screen, area.left, area.top,
                                     SRCCOPY);
                          }),
                    bmpPath);
}

COLORREF PaintedColour(HWND window, POINT at) {
    const Picture picture = Paint(window);
    if (at.x < 0 || at.y < 0 || at.x >= picture.width || at.y >= picture.height) {
        return CLR_INVALID;
    }
    const std::size_t pixel =
        (static_cast<std::size_t>(at.y) * static_cast<std::size_t>(picture.width) +
         static_cast<std::size_t>(at.x)) *
        4;
    return RGB(picture.pixels[pixel + 2], picture.pixels[pixel + 1], picture.pixels[pixel]);
}

bool PaintedIn(HWND window, RECT area, COLORREF colour) {
    return AnyPixelNear(Paint(window), area, colour, 0);
}

bool ShowsColour(HWND control, COLORREF colour) {
    HWND window = GetAncestor(control, GA_ROOT);
    RECT area{};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
    return PaintedIn(window, area, colour);
}

void SavePictureWhenAsked(HWND window, const std::string& name) {
    if (const char* folder = std::getenv("QUELLIX_PICTURES")) {
        SaveWindowPicture(window, std::string(folder) + "/" + name + ".bmp");
    }
}

bool PaintsColour(HWND window, HWND child, COLORREF colour) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    // Themed captions are drawn smoothed: near the colour counts.
    return AnyPixelNear(Paint(window), place, colour, 47);
}

}  // namespace quellix::test
