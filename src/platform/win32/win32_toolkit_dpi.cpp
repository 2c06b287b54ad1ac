#include <cmath>

#include "platform/win32/win32_toolkit.h"

namespace platform::win32 {

namespace {

// Windows 10's per-monitor calls, looked up at run time: older systems and Wine 8 may lack them.
template <typename Function>
Function User32(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

UINT SystemDpi() {
  using GetDpiForSystemFn = UINT(WINAPI*)();
  static const auto get_dpi = User32<GetDpiForSystemFn>("GetDpiForSystem");
  if (get_dpi != nullptr) {
    return get_dpi();
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi = User32<GetDpiForWindowFn>("GetDpiForWindow");
  const UINT dpi = get_dpi != nullptr ? get_dpi(window) : 0;
  return dpi != 0 ? dpi : SystemDpi();
}

void AdjustForDpi(RECT& rect, DWORD style, DWORD ex_style, UINT dpi) {
  using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = User32<AdjustFn>("AdjustWindowRectExForDpi");
  if (adjust != nullptr) {
    adjust(&rect, style, FALSE, ex_style, dpi);
  } else {
    AdjustWindowRectEx(&rect, style, FALSE, ex_style);
  }
}

int ToPixels(double twips, UINT dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

double ToTwips(int pixels, UINT dpi) {
  return pixels * 1440.0 / dpi;
}

}  // namespace platform::win32
