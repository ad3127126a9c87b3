#include "screen.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>

#include "programs.h"

namespace harness {

namespace {

std::wstring ScreensFolder() {
    wchar_t buf[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(L"QUELLOR_SCREENS", buf, MAX_PATH);
    std::wstring dir = (n > 0 && n < MAX_PATH) ? std::wstring(buf) : ProgramPath(L"screens");
    if (!dir.empty() && dir[0] == L'/') {  // a Unix path from the test runner: drive Z:
        for (auto &c : dir)
            if (c == L'/') c = L'\\';
        dir = L"Z:" + dir;
    }
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

}  // namespace

Pixels ScreenArea(const RECT &area) {
    Pixels pixels;
    pixels.width = std::max(0, static_cast<int>(area.right - area.left));
    pixels.height = std::max(0, static_cast<int>(area.bottom - area.top));
    pixels.rgb.resize(static_cast<size_t>(pixels.width) * pixels.height);
    if (pixels.rgb.empty()) return pixels;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = pixels.width;
    bi.bmiHeader.biHeight = -pixels.height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, pixels.width, pixels.height, screen, area.left, area.top, SRCCOPY);
    SelectObject(mem, old);
    GdiFlush();
    if (bits) std::copy_n(static_cast<const DWORD *>(bits), pixels.rgb.size(), pixels.rgb.begin());
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    for (DWORD &p : pixels.rgb) p &= 0x00FFFFFF;
    return pixels;
}

Pixels ScreenPixels() {
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return ScreenArea(screen);
}

std::wstring SaveScreen(const std::string &name) {
    const Pixels pixels = ScreenPixels();
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = pixels.width;
    info.biHeight = -pixels.height;  // rows from the top, as read
    info.biPlanes = 1;
    info.biBitCount = 32;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;  // "BM"
    fh.bfOffBits = sizeof fh + sizeof info;
    fh.bfSize = static_cast<DWORD>(fh.bfOffBits + pixels.rgb.size() * sizeof(DWORD));
    std::wstring file = ScreensFolder() + L"\\";
    for (char c : name)
        file += (iswalnum(static_cast<unsigned char>(c)) || c == '-') ? wchar_t(c) : L'_';
    file += L".bmp";
    FILE *f = _wfopen(file.c_str(), L"wb");
    if (f) {
        fwrite(&fh, sizeof fh, 1, f);
        fwrite(&info, sizeof info, 1, f);
        fwrite(pixels.rgb.data(), sizeof(DWORD), pixels.rgb.size(), f);
        fclose(f);
    }
    return file;
}

}  // namespace harness
