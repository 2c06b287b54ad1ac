// The floor of the About path: an empty window with the About window's caption, frame and client
// size, shown until it is closed.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"BrenvicBenchWindow";
constexpr wchar_t kCaption[] = L"About Brenvic Visio";
constexpr int kClientWidthTwips = 5130;
constexpr int kClientHeightTwips = 3855;
constexpr int kTwipsPerInch = 1440;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

int main() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0) {
    return 1;
  }
  const int dpi = ScreenDpi();
  RECT frame{0, 0, MulDiv(kClientWidthTwips, dpi, kTwipsPerInch),
             MulDiv(kClientHeightTwips, dpi, kTwipsPerInch)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const HWND window =
      CreateWindowExW(0, kClassName, kCaption, kStyle, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                      (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                      GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) {
    return 1;
  }
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
