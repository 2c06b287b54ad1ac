#pragma once

// The window toolkit's Win32 parts: a modal form built from its layout table, its child controls,
// and the DPI arithmetic they share. Only the toolkit's own files include this.

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/toolkit.h"

namespace platform::win32 {

struct GdiDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiDeleter>;

/// The DPI the system scales for; LOGPIXELSY where the system lacks GetDpiForSystem.
UINT SystemDpi();
/// The DPI of the monitor the window is on; the system DPI where the system cannot tell.
UINT WindowDpi(HWND window);
/// Grows the client rectangle `rect` to the outer rectangle of a window with these styles.
void AdjustForDpi(RECT& rect, DWORD style, DWORD ex_style, UINT dpi);
/// Twips to pixels at `dpi`, rounded to the nearest pixel.
int ToPixels(double twips, UINT dpi);
/// Pixels to twips at `dpi`.
double ToTwips(int pixels, UINT dpi);

/// The child windows of one form, made from its layout: their fonts, colours and positions.
class Controls {
 public:
  /// Creates the controls of `layout` in `form`, placed for `dpi`.
  Controls(const FormSpec& layout, HWND form, UINT dpi);
  /// Sets the fonts for `dpi` and places every control at it.
  void Layout(UINT dpi);
  /// The control's window; null for a row out of range.
  HWND Window(int row) const;
  /// The row of a control window; -1 for none of ours.
  int RowOf(HWND window) const;
  /// The row of the cancel button; -1 when there is none.
  int CancelRow() const;
  /// Whether a click of the row is reported (buttons, check boxes, links).
  bool Clickable(int row) const;
  bool IsLink(int row) const;
  /// Sets a child's colours on `dc`; returns its back brush, or null for a window not ours.
  HBRUSH Paint(HWND child, HDC dc) const;
  HBRUSH FormBrush() const { return form_brush_.get(); }
  /// Whether `msg` is the access key of a control that is not visible (it must have no effect).
  bool HiddenAccessKey(const MSG& msg) const;
  /// Sets the control's text; an auto-sized label takes the size of its new text.
  void SetCaption(int row, const std::wstring& caption);

 private:
  void Fit(int row);

  const FormSpec& layout_;
  std::vector<HWND> windows_;
  std::vector<COLORREF> back_;
  std::vector<Brush> brushes_;
  std::vector<std::pair<LOGFONTW, Font>> fonts_;
  std::vector<HFONT> font_of_;
  UINT placed_dpi_;
  std::vector<Bitmap> bitmaps_;
  Brush form_brush_;
};

/// One modal window: created hidden, loaded, shown over its owner and run until unloaded.
class Form {
 public:
  Form(const FormSpec& layout, FormEvents& events, HWND owner);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  /// Form_Load, show, Form_Activate, then events until Unload; the owner is active again after.
  void Run(FormId id);
  /// Hides the window, stops its timer and ends Run once the running handler returns.
  void Unload();
  bool Unloaded() const { return unloaded_; }
  HWND Window() const { return window_; }
  UINT Dpi() const { return dpi_; }
  Controls& Parts() { return *controls_; }
  /// Enables or disables a control; a focused control hands the focus on first.
  void SetEnabled(int row, bool enabled);

 private:
  static LRESULT CALLBACK Thunk(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Dispatch(UINT message, WPARAM wparam, LPARAM lparam);
  void Command(WORD id, WORD code, HWND from);
  void Dismiss(bool close_box);
  void Layout(UINT dpi, int left, int top);

  const FormSpec& layout_;
  FormEvents& events_;
  HWND owner_;
  HWND window_ = nullptr;
  std::unique_ptr<Controls> controls_;
  UINT dpi_ = 96;
  bool unloaded_ = false;
  bool owner_disabled_ = false;
};

/// The program's topmost form that is still loaded; null when none is.
HWND ActiveFormWindow();

}  // namespace platform::win32
