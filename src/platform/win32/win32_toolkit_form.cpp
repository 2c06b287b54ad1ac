#include "platform/win32/win32_toolkit.h"

namespace platform::win32 {

namespace {

constexpr wchar_t kClassName[] = L"BrenvicForm";
constexpr UINT_PTR kTimerId = 1;
// Posted once the window is visible, so that Form_Activate runs inside the modal loop.
constexpr UINT kActivateMessage = WM_APP + 1;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// A window with an icon keeps the single fixed border that shows it; one without, a dialog frame.
DWORD ExStyleOf(const FormSpec& layout) {
  return layout.icon != 0 ? 0 : WS_EX_DLGMODALFRAME;
}

// A private class whose default procedure is the dialog manager's: Tab, Enter, Esc, access keys,
// default-button tracking and WM_NEXTDLGCTL behave as in any dialog box.
void RegisterFormClass(WNDPROC procedure) {
  static const ATOM registered = [procedure] {
    WNDCLASSEXW form_class{};
    form_class.cbSize = sizeof(form_class);
    form_class.lpfnWndProc = procedure;
    form_class.cbWndExtra = DLGWINDOWEXTRA;
    form_class.hInstance = GetModuleHandleW(nullptr);
    form_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    form_class.lpszClassName = kClassName;
    return RegisterClassExW(&form_class);
  }();
  (void)registered;
}

HICON LoadIconSized(int icon, int metric) {
  const int size = GetSystemMetrics(metric);
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon),
                                       IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

Form::Form(const FormSpec& layout, FormEvents& events, HWND owner)
    : layout_(layout), events_(events), owner_(owner) {
  RegisterFormClass(&Form::Thunk);
  const std::wstring caption(layout.caption);
  window_ = CreateWindowExW(ExStyleOf(layout), kClassName, caption.c_str(), kStyle, 0, 0, 0, 0,
                            owner, nullptr, GetModuleHandleW(nullptr), this);
  if (layout.icon != 0) {
    SendMessageW(window_, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconSized(layout.icon, SM_CXICON)));
    SendMessageW(window_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadIconSized(layout.icon, SM_CXSMICON)));
  }
  dpi_ = WindowDpi(window_);
  controls_ = std::make_unique<Controls>(layout, window_, dpi_);
  Layout(dpi_, 0, 0);
}

Form::~Form() {
  DestroyWindow(window_);
}

void Form::Run(FormId id) {
  if (window_ == nullptr) {
    return;
  }
  events_.Attach(id);
  if (layout_.timer_ms > 0) {
    SetTimer(window_, kTimerId, static_cast<UINT>(layout_.timer_ms), nullptr);
  }
  events_.Form_Load();
  if (unloaded_) {
    return;
  }
  if (owner_ != nullptr) {
    owner_disabled_ = !EnableWindow(owner_, FALSE);
  }
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  const HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
  if (first != nullptr) {
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  }
  PostMessageW(window_, kActivateMessage, 0, 0);
  while (!unloaded_) {
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      // WM_QUIT belongs to the outermost loop: pass it on and close.
      PostQuitMessage(static_cast<int>(msg.wParam));
      Unload();
      break;
    }
    if (controls_->HiddenAccessKey(msg)) {
      continue;
    }
    if (!IsDialogMessageW(window_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void Form::Unload() {
  if (unloaded_) {
    return;
  }
  unloaded_ = true;
  KillTimer(window_, kTimerId);
  // As EndDialog: the owner takes input again before this window goes, and takes the foreground
  // from it, or the foreground would be left to no window.
  if (owner_disabled_) {
    EnableWindow(owner_, TRUE);
    owner_disabled_ = false;
  }
  if (IsChild(window_, GetFocus())) {
    SetFocus(window_);
  }
  const bool active = GetActiveWindow() == window_;
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  if (active && owner_ != nullptr) {
    SetForegroundWindow(owner_);
  }
}

void Form::SetEnabled(int row, bool enabled) {
  const HWND control = controls_->Window(row);
  if (!enabled && control != nullptr && GetFocus() == control) {
    SendMessageW(window_, WM_NEXTDLGCTL, 0, FALSE);
  }
  EnableWindow(control, enabled);
}

LRESULT CALLBACK Form::Thunk(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* form = static_cast<Form*>(created->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return form != nullptr ? form->Dispatch(message, wparam, lparam)
                         : DefDlgProcW(window, message, wparam, lparam);
}

LRESULT Form::Dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_CLOSE:
      Dismiss(true);
      return 0;
    case WM_TIMER:
      if (wparam == kTimerId && !unloaded_) {
        events_.Timer();
      }
      return 0;
    case kActivateMessage:
      if (!unloaded_) {
        events_.Form_Activate();
      }
      return 0;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<LRESULT>(controls_ ? controls_->FormBrush() : nullptr);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      if (controls_) {
        if (const HBRUSH brush =
                controls_->Paint(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_SETCURSOR:
      if (controls_ && controls_->IsLink(controls_->RowOf(reinterpret_cast<HWND>(wparam)))) {
        SetCursor(LoadCursorA(nullptr, IDC_UPARROW));
        return TRUE;
      }
      break;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      Layout(HIWORD(wparam), suggested->left, suggested->top);
      return 0;
    }
    default:
      break;
  }
  return DefDlgProcW(window_, message, wparam, lparam);
}

void Form::Command(WORD id, WORD code, HWND from) {
  // An edit given its text at creation scrolls and says so (EN_VSCROLL) before the controls are
  // all made; a fault here would end its creation half done, scrolled to its last line.
  if (unloaded_ || !controls_) {
    return;
  }
  const int row = controls_->RowOf(from);
  if (row < 0) {
    // Esc arrives as IDCANCEL from no control when the window has no cancel button.
    if (id == IDCANCEL) {
      Dismiss(false);
    }
    return;
  }
  // Wine delivers BM_CLICK to disabled buttons: a disabled control never clicks.
  if (code == BN_CLICKED && controls_->Clickable(row) && IsWindowEnabled(from)) {
    events_.Click(row);
  }
}

void Form::Dismiss(bool close_box) {
  if (unloaded_) {
    return;
  }
  const int cancel = controls_->CancelRow();
  if (cancel >= 0 && IsWindowEnabled(controls_->Window(cancel))) {
    events_.Click(cancel);
  } else {
    events_.Cancel(close_box);
  }
}

void Form::Layout(UINT dpi, int left, int top) {
  dpi_ = dpi;
  controls_->Layout(dpi);
  RECT outer{0, 0, ToPixels(layout_.client_width, dpi), ToPixels(layout_.client_height, dpi)};
  AdjustForDpi(outer, kStyle, ExStyleOf(layout_), dpi);
  SetWindowPos(window_, nullptr, left, top, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform::win32
