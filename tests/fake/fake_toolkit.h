#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fake/fault_plan.h"
#include "platform/toolkit.h"

namespace fake {

/// A headless window toolkit. Each showing runs Form_Load and Form_Activate, then the next script
/// the test queued, which drives the window as a user would; a window the script leaves loaded is
/// recorded as left open and the showing returns, so that no test waits for ever. The calls that
/// can fail on the program's own windows fail as Win32 does: no window is made, the screen measures
/// 0, no window has the foreground.
class FakeToolkit : public platform::Toolkit {
 public:
  explicit FakeToolkit(FaultPlan& faults) : faults_(faults) {}

  /// The fixed dialog frame around the client area, in twips.
  static constexpr double kFrameWidth = 120;
  static constexpr double kFrameHeight = 480;

  class Session;
  using Script = std::function<void(Session&)>;

  void ScreenSize(double& width, double& height) override;
  void ShowModal(const platform::FormSpec& layout, platform::FormEvents& events) override;
  void Unload(platform::FormId form) override { Find(form).loaded = false; }
  void OuterSize(platform::FormId form, double& width, double& height) override;
  void Move(platform::FormId form, double left, double top) override;
  int Value(platform::FormId form, int control) override { return At(form, control).value; }
  void SetValue(platform::FormId form, int control, int value) override {
    At(form, control).value = value;
  }
  bool Enabled(platform::FormId form, int control) override { return At(form, control).enabled; }
  void SetEnabled(platform::FormId form, int control, bool enabled) override {
    At(form, control).enabled = enabled;
  }
  std::wstring Caption(platform::FormId form, int control) override {
    return At(form, control).caption;
  }
  void SetCaption(platform::FormId form, int control, const std::wstring& caption) override {
    At(form, control).caption = caption;
  }
  platform::WindowHandle Handle(platform::FormId form) override;
  platform::WindowHandle ForegroundWindow() override;

  /// Queues the script of the next showing.
  void Push(Script script) { scripts_.push_back(std::move(script)); }
  /// The screen's size in twips (15,360 by 11,520, 1024 by 768 pixels, unless set).
  void SetScreen(double width, double height) {
    screen_width_ = width;
    screen_height_ = height;
  }
  /// What ForegroundWindow answers; nullopt: the topmost loaded window.
  void SetForeground(std::optional<platform::WindowHandle> handle) { foreground_ = handle; }
  /// The captions of the windows shown, in order.
  const std::vector<std::wstring>& Shown() const { return shown_; }
  /// The captions of the windows whose script ended with the window still loaded.
  const std::vector<std::wstring>& LeftOpen() const { return left_open_; }

 private:
  struct Control {
    int value = 0;
    bool enabled = true;
    bool visible = true;
    std::wstring caption;
  };
  struct Form {
    const platform::FormSpec& layout;
    platform::FormEvents& events;
    platform::FormId id;
    std::vector<Control> controls;
    double left = 0, top = 0;
    bool loaded = true;
  };

  Form& Find(platform::FormId form) const;
  Control& At(platform::FormId form, int control) const;

  FaultPlan& faults_;
  std::deque<Script> scripts_;
  std::vector<Form*> live_;  ///< Windows being shown, the innermost showing last.
  platform::FormId next_id_ = 1;
  double screen_width_ = 15360, screen_height_ = 11520;
  std::optional<platform::WindowHandle> foreground_;
  std::vector<std::wstring> shown_;
  std::vector<std::wstring> left_open_;
};

/// One showing of a window, as its script drives it. Input to an unloaded window is ignored.
class FakeToolkit::Session {
 public:
  /// Clicks the control as the mouse does: ignored when it or its panel is disabled, when it is
  /// hidden, or when it reports no clicks (labels other than links); a check box toggles first.
  void Click(std::wstring_view name);
  /// Enter: presses the default button when it is enabled.
  void Enter();
  /// Esc: presses the cancel button, else Cancel(false).
  void Esc() { Dismiss(false); }
  /// The close box: presses the cancel button, else Cancel(true).
  void CloseBox() { Dismiss(true); }
  /// One tick of the window's timer, when it has one.
  void Tick();
  void SetForeground(std::optional<platform::WindowHandle> handle);

  bool Loaded() const { return form_.loaded; }
  double Left() const { return form_.left; }
  double Top() const { return form_.top; }
  int Value(std::wstring_view name) const { return Of(name).value; }
  bool Enabled(std::wstring_view name) const { return Of(name).enabled; }
  bool Visible(std::wstring_view name) const { return Of(name).visible; }
  std::wstring Caption(std::wstring_view name) const { return Of(name).caption; }

 private:
  friend class FakeToolkit;
  Session(FakeToolkit& toolkit, Form& form) : toolkit_(toolkit), form_(form) {}
  /// The row of the control named `name`; throws std::out_of_range when there is none.
  int Row(std::wstring_view name) const;
  const Control& Of(std::wstring_view name) const {
    return form_.controls[static_cast<std::size_t>(Row(name))];
  }
  void Dismiss(bool close_box);
  void Press(int row);
  /// The first row carrying `flag`, or -1.
  int RowWith(std::uint32_t flag) const;

  FakeToolkit& toolkit_;
  Form& form_;
};

}  // namespace fake
