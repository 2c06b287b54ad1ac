#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace platform {

/// A loaded window of the program; 0 names none.
using FormId = std::uintptr_t;
/// A top-level window of any program, as the system names it; 0 names none.
using WindowHandle = std::uintptr_t;

enum class ControlKind : std::uint8_t { kLabel, kButton, kCheckBox, kTextBox, kPanel, kImage };

/// Control flags.
namespace cf {
constexpr std::uint32_t kDefault = 1u << 0;    ///< Enter presses it.
constexpr std::uint32_t kCancel = 1u << 1;     ///< Esc and the close box press it.
constexpr std::uint32_t kHidden = 1u << 2;     ///< Not visible.
constexpr std::uint32_t kDisabled = 1u << 3;   ///< Takes no focus and no input; drawn normally.
constexpr std::uint32_t kNoTabStop = 1u << 4;  ///< Tab passes it by.
constexpr std::uint32_t kMultiLine = 1u << 5;  ///< A text box of several lines.
constexpr std::uint32_t kCentered = 1u << 6;   ///< Text centred.
constexpr std::uint32_t kLink = 1u << 7;       ///< Underlined, up-arrow pointer, clicks reported.
constexpr std::uint32_t kAutoSize = 1u << 8;   ///< Sized to its text, from its left and top.
constexpr std::uint32_t kFrame = 1u << 9;      ///< A sunken 3-D frame (panels).
}  // namespace cf

/// 0xRRGGBB; kNoColor: the control's normal colour, or a transparent background.
using Color = std::uint32_t;
constexpr Color kNoColor = 0xFFFFFFFFu;

/// An empty face means the toolkit's default dialog font.
struct FontSpec {
  std::wstring_view face;
  int centipoints = 0;  ///< 1575 is 15.75 pt.
  bool bold = false;
  bool underline = false;
};

/// One row of a window's layout. Positions are in twips, relative to the parent's client area.
struct ControlSpec {
  std::wstring_view name;
  ControlKind kind;
  std::wstring_view caption;
  int left, top, width, height;
  int tab_index;
  int parent;  ///< Row of the panel that holds it; -1 for the window itself.
  std::uint32_t flags = 0;
  Color text_color = kNoColor;
  Color back_color = kNoColor;
  FontSpec font = {};
  int picture = 0;  ///< Resource id of an image's bitmap.
};

/// A window's fixed layout: a fixed dialog frame without minimise and maximise buttons.
struct FormSpec {
  std::wstring_view caption;
  int client_width, client_height;  ///< Twips.
  Color back_color;
  int icon;  ///< Resource id of the window's icon; 0: none, and a dialog frame.
  /// Where controls overlap, later rows lie over earlier ones; tab stops lie over the rest.
  std::span<const ControlSpec> controls;
  int timer_ms = 0;  ///< Interval of the window's timer, running from load; 0 for none.
};

/// A window's event handlers. Controls are named by their row in the layout.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  /// Before Form_Load: the id under which the toolkit knows the window.
  void Attach(FormId form) { form_ = form; }
  FormId Form() const { return form_; }

  /// Once, before the window is first shown.
  virtual void Form_Load() = 0;
  /// Once, when the window has been shown (its modal loop starts).
  virtual void Form_Activate() {}
  /// A button, check box or link clicked, or pressed by its key; never from a disabled control.
  virtual void Click(int control) = 0;
  /// Esc (`close_box` false) in a window without a cancel button, or the close box.
  virtual void Cancel(bool close_box) = 0;
  /// The window's timer.
  virtual void Timer() {}

 private:
  FormId form_ = 0;
};

/// The window toolkit: modal windows built from a layout, and what the windows ask of the screen.
class Toolkit {
 public:
  virtual ~Toolkit() = default;
  /// The whole screen's size in twips at the window's DPI, the unit of its size and moves.
  virtual void ScreenSize(FormId form, double& width, double& height) = 0;
  /// Loads the window (hidden), runs Form_Load, shows it modal over the program's active window,
  /// runs Form_Activate, and delivers its events until it is unloaded; then returns.
  virtual void ShowModal(const FormSpec& layout, FormEvents& events) = 0;
  /// Unloads the window: it disappears, its timer stops and ShowModal returns once the handler
  /// running now has returned.
  virtual void Unload(FormId form) = 0;
  /// The window's outer size (title bar and borders included) in twips.
  virtual void OuterSize(FormId form, double& width, double& height) = 0;
  /// Moves the window's outer top-left corner to `left`, `top` (twips); the size stays.
  virtual void Move(FormId form, double left, double top) = 0;
  /// A check box's state: 1 checked, 0 not.
  virtual int Value(FormId form, int control) = 0;
  virtual void SetValue(FormId form, int control, int value) = 0;
  virtual bool Enabled(FormId form, int control) = 0;
  virtual void SetEnabled(FormId form, int control, bool enabled) = 0;
  virtual std::wstring Caption(FormId form, int control) = 0;
  virtual void SetCaption(FormId form, int control, const std::wstring& caption) = 0;
  /// The system's handle of the window.
  virtual WindowHandle Handle(FormId form) = 0;
  /// GetForegroundWindow: the window the user works in now, of any program.
  virtual WindowHandle ForegroundWindow() = 0;
};

}  // namespace platform
