#include <algorithm>
#include <cwctype>
#include <numeric>
#include <string>

#include "platform/win32/win32_toolkit.h"

namespace platform::win32 {

namespace {

constexpr int kFirstId = 1000;

bool Has(const ControlSpec& control, std::uint32_t flag) {
  return (control.flags & flag) != 0;
}

COLORREF Rgb(Color color) {
  return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

Color BackOf(const FormSpec& layout, int row);

// A control without a colour of its own shows what lies beneath its middle: the latest earlier
// coloured row under it, or else its parent.
Color Beneath(const FormSpec& layout, int row) {
  const ControlSpec& control = layout.controls[row];
  const int x = control.left + control.width / 2;
  const int y = control.top + control.height / 2;
  for (int below = row - 1; below >= 0; --below) {
    const ControlSpec& under = layout.controls[below];
    if (under.parent == control.parent && under.back_color != kNoColor && x >= under.left &&
        x < under.left + under.width && y >= under.top && y < under.top + under.height) {
      return under.back_color;
    }
  }
  return control.parent < 0 ? layout.back_color : BackOf(layout, control.parent);
}

Color BackOf(const FormSpec& layout, int row) {
  const Color own = layout.controls[row].back_color;
  return own != kNoColor ? own : Beneath(layout, row);
}

struct WindowClass {
  const wchar_t* name;
  DWORD style;
  DWORD ex_style = 0;
};

WindowClass ClassOf(const ControlSpec& control) {
  const DWORD tab_stop = Has(control, cf::kNoTabStop) ? 0 : WS_TABSTOP;
  switch (control.kind) {
    case ControlKind::kLabel:
      return {L"STATIC", static_cast<DWORD>((Has(control, cf::kCentered) ? SS_CENTER : SS_LEFT) |
                                            (Has(control, cf::kLink) ? SS_NOTIFY : 0))};
    case ControlKind::kButton:
      return {L"BUTTON",
              (Has(control, cf::kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | tab_stop};
    case ControlKind::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | tab_stop};
    case ControlKind::kTextBox:
      return {L"EDIT", ES_READONLY |
                           (Has(control, cf::kMultiLine) ? ES_MULTILINE : ES_AUTOHSCROLL) |
                           (Has(control, cf::kCentered) ? ES_CENTER : 0) | tab_stop};
    case ControlKind::kPanel:
      return {L"STATIC", SS_LEFT | WS_CLIPCHILDREN,
              static_cast<DWORD>(Has(control, cf::kFrame) ? WS_EX_CLIENTEDGE : 0)};
    case ControlKind::kImage:
      return {L"STATIC", SS_BITMAP | SS_REALSIZECONTROL};
  }
  return {L"STATIC", SS_LEFT};
}

int IdOf(const ControlSpec& control, int row) {
  if (Has(control, cf::kDefault)) {
    return IDOK;
  }
  return Has(control, cf::kCancel) ? IDCANCEL : kFirstId + row;
}

// The children of a panel report to the panel: hand their colour and command messages to the form.
LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_COMMAND:
      return SendMessageW(GetParent(panel), message, wparam, lparam);
    default:
      break;
  }
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(panel, GWLP_USERDATA));
  return CallWindowProcW(original, panel, message, wparam, lparam);
}

LOGFONTW FontOf(const ControlSpec& control, UINT dpi) {
  // The layouts are measured for an 8-point dialog font: the shell's, not the larger message font
  // of newer systems, with which their texts would overflow their boxes.
  const std::wstring face(control.font.face.empty() ? std::wstring_view(L"MS Shell Dlg 2")
                                                    : control.font.face.substr(0, LF_FACESIZE - 1));
  const int centipoints = control.font.centipoints > 0 ? control.font.centipoints : 800;
  LOGFONTW font{};
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfHeight = -MulDiv(centipoints, static_cast<int>(dpi), 7200);
  font.lfWeight = control.font.bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = control.font.underline || Has(control, cf::kLink);
  return font;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
  return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfUnderline == b.lfUnderline &&
         lstrcmpW(a.lfFaceName, b.lfFaceName) == 0;
}

}  // namespace

Controls::Controls(const FormSpec& layout, HWND form, UINT dpi)
    : layout_(layout),
      windows_(layout.controls.size()),
      font_of_(layout.controls.size()),
      placed_dpi_(dpi),
      form_brush_(CreateSolidBrush(Rgb(layout.back_color))) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  // Creation order is the dialog manager's tab order: each parent's rows by their tab index.
  std::vector<int> order(layout.controls.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&layout](int a, int b) {
    const ControlSpec& x = layout.controls[a];
    const ControlSpec& y = layout.controls[b];
    return (x.parent >= 0) != (y.parent >= 0) ? y.parent >= 0 : x.tab_index < y.tab_index;
  });
  for (const int row : order) {
    const ControlSpec& control = layout.controls[row];
    const WindowClass kind = ClassOf(control);
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style |
                        (Has(control, cf::kHidden) ? 0 : WS_VISIBLE) |
                        (Has(control, cf::kDisabled) ? WS_DISABLED : 0);
    const std::wstring caption(control.caption);
    const HWND parent = control.parent >= 0 ? windows_[control.parent] : form;
    // Created at its size: a multi-line edit made empty-sized never draws its wrapped text.
    const HWND window = CreateWindowExW(
        kind.ex_style, kind.name, caption.c_str(), style, ToPixels(control.left, dpi),
        ToPixels(control.top, dpi), ToPixels(control.width, dpi), ToPixels(control.height, dpi),
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(control, row))), instance,
        nullptr);
    windows_[row] = window;
    if (control.kind == ControlKind::kPanel) {
      SetWindowLongPtrW(
          window, GWLP_USERDATA,
          SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PanelProc)));
    }
    if (control.kind == ControlKind::kImage && control.picture != 0) {
      Bitmap& picture = bitmaps_.emplace_back(static_cast<HBITMAP>(
          LoadImageW(instance, MAKEINTRESOURCEW(control.picture), IMAGE_BITMAP, 0, 0, 0)));
      SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
    }
  }
  // Tab stops keep the tab order on top; beneath them, later rows lie over earlier ones.
  for (auto row = layout.controls.size(); row-- > 0;) {
    if ((GetWindowLongW(windows_[row], GWL_STYLE) & WS_TABSTOP) == 0) {
      SetWindowPos(windows_[row], HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  for (int row = 0; row < static_cast<int>(layout.controls.size()); ++row) {
    back_.push_back(Rgb(BackOf(layout, row)));
    brushes_.emplace_back(CreateSolidBrush(back_.back()));
  }
}

void Controls::Layout(UINT dpi) {
  // Controls that share a font share one GDI font; the old ones stay alive until replaced.
  std::vector<std::pair<LOGFONTW, Font>> fonts;
  for (int row = 0; row < static_cast<int>(windows_.size()); ++row) {
    const ControlSpec& control = layout_.controls[row];
    const LOGFONTW wanted = FontOf(control, dpi);
    auto font = std::find_if(fonts.begin(), fonts.end(),
                             [&wanted](const auto& made) { return SameFont(made.first, wanted); });
    if (font == fonts.end()) {
      font = fonts.emplace(fonts.end(), wanted, Font(CreateFontIndirectW(&wanted)));
    }
    font_of_[row] = font->second.get();
    const HWND window = windows_[row];
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_of_[row]),
                 IsWindowVisible(window));
    // Made in place at their first DPI: only a new DPI moves them.
    if (dpi != placed_dpi_) {
      SetWindowPos(window, nullptr, ToPixels(control.left, dpi), ToPixels(control.top, dpi),
                   ToPixels(control.width, dpi), ToPixels(control.height, dpi),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (Has(control, cf::kAutoSize)) {
      Fit(row);
    }
  }
  placed_dpi_ = dpi;
  fonts_ = std::move(fonts);
}

HWND Controls::Window(int row) const {
  return row >= 0 && row < static_cast<int>(windows_.size()) ? windows_[row] : nullptr;
}

int Controls::RowOf(HWND window) const {
  const auto found = std::find(windows_.begin(), windows_.end(), window);
  return window != nullptr && found != windows_.end() ? static_cast<int>(found - windows_.begin())
                                                      : -1;
}

int Controls::CancelRow() const {
  const auto found = std::find_if(layout_.controls.begin(), layout_.controls.end(),
                                  [](const ControlSpec& c) { return Has(c, cf::kCancel); });
  return found != layout_.controls.end() ? static_cast<int>(found - layout_.controls.begin()) : -1;
}

bool Controls::Clickable(int row) const {
  const ControlKind kind = layout_.controls[row].kind;
  return kind == ControlKind::kButton || kind == ControlKind::kCheckBox || IsLink(row);
}

bool Controls::IsLink(int row) const {
  return row >= 0 && Has(layout_.controls[row], cf::kLink);
}

HBRUSH Controls::Paint(HWND child, HDC dc) const {
  const int row = RowOf(child);
  if (row < 0) {
    return nullptr;
  }
  const Color text = layout_.controls[row].text_color;
  if (text != kNoColor) {
    SetTextColor(dc, Rgb(text));
  }
  SetBkColor(dc, back_[row]);
  return brushes_[row].get();
}

bool Controls::HiddenAccessKey(const MSG& msg) const {
  if (msg.message != WM_SYSCHAR && msg.message != WM_CHAR) {
    return false;
  }
  const auto key = std::towupper(static_cast<wint_t>(msg.wParam));
  for (const HWND window : windows_) {
    if (IsWindowVisible(window)) {
      continue;
    }
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    for (const wchar_t* p = text; *p != L'\0'; ++p) {
      if (*p != L'&') {
        continue;
      }
      ++p;  // "&&" is an ampersand, not a key
      if (*p == L'\0') {
        break;
      }
      if (*p != L'&' && std::towupper(static_cast<wint_t>(*p)) == key) {
        return true;
      }
    }
  }
  return false;
}

void Controls::SetCaption(int row, const std::wstring& caption) {
  const HWND window = Window(row);
  if (window != nullptr && SetWindowTextW(window, caption.c_str()) &&
      Has(layout_.controls[row], cf::kAutoSize)) {
    Fit(row);
  }
}

// Measured as the static draws it: an "&" marks a key and takes no room.
void Controls::Fit(int row) {
  const HWND window = windows_[row];
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  const HDC dc = GetDC(window);
  const HGDIOBJ previous = SelectObject(dc, font_of_[row]);
  RECT size{};
  DrawTextW(dc, text.c_str(), length, &size, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  SetWindowPos(window, nullptr, 0, 0, size.right, size.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform::win32
