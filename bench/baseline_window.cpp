// The floor of the About path: an empty window with the About window's caption, frame and client
// size, shown until it is closed. Built as baseline_controls, it also carries the program's
// manifest (Common Controls 6, the theme engine, per-monitor DPI) and the About window's twelve
// standard controls, unfilled: what every themed window of that make pays.
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
#ifdef BRENVIC_BASELINE_CONTROLS
  // class, style, left, top, width, height in pixels at 96 DPI: the About window's rows.
  struct Child {
    const wchar_t* kind;
    DWORD style;
    int left, top, width, height;
  };
  constexpr Child kChildren[] = {
      {L"STATIC", SS_LEFT, 0, 0, 343, 40},
      {L"STATIC", SS_LEFT, 0, 9, 61, 271},
      {L"STATIC", SS_CENTER, 51, 6, 292, 31},
      {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 156, 228, 79, 22},
      {L"STATIC", SS_LEFT | WS_DISABLED, 66, 45, 271, 145},
      {L"EDIT", ES_READONLY | ES_MULTILINE, 75, 96, 253, 97},
      {L"EDIT", ES_READONLY | ES_MULTILINE, 99, 63, 199, 31},
      {L"STATIC", SS_CENTER, 165, 48, 55, 13},
      {L"STATIC", SS_LEFT, 84, 201, 83, 13},
      {L"STATIC", SS_CENTER | SS_NOTIFY, 168, 201, 145, 13},
      {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 99, 270, 160, 22},
      {L"STATIC", SS_BITMAP, 6, 6, 42, 42},
  };
  for (const Child& child : kChildren) {
    CreateWindowExW(0, child.kind, L"", WS_CHILD | WS_VISIBLE | child.style, child.left, child.top,
                    child.width, child.height, window, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
#endif
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
