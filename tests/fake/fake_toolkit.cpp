#include "fake/fake_toolkit.h"

#include <algorithm>
#include <stdexcept>

namespace fake {

namespace cf = platform::cf;

namespace {
// Window handles as the system might hand them out: distinct from form ids and from zero.
platform::WindowHandle HandleOf(platform::FormId id) {
  return 0x10000 + id * 0x10;
}
}  // namespace

void FakeToolkit::ScreenSize(double& width, double& height) {
  if (faults_.Step("GetSystemMetrics")) {
    width = 0;
    height = 0;
    return;
  }
  width = screen_width_;
  height = screen_height_;
}

void FakeToolkit::ShowModal(const platform::FormSpec& layout, platform::FormEvents& events) {
  if (faults_.Step("CreateWindowExW")) {
    return;
  }
  Form form{layout, events, next_id_++, {}};
  for (const platform::ControlSpec& row : layout.controls) {
    form.controls.push_back({0, (row.flags & cf::kDisabled) == 0, (row.flags & cf::kHidden) == 0,
                             std::wstring(row.caption)});
  }
  live_.push_back(&form);
  shown_.emplace_back(layout.caption);
  events.Attach(form.id);
  events.Form_Load();
  if (form.loaded) {
    events.Form_Activate();
  }
  if (form.loaded && !scripts_.empty()) {
    Script script = std::move(scripts_.front());
    scripts_.pop_front();
    Session session(*this, form);
    script(session);
  }
  if (form.loaded) {
    left_open_.emplace_back(layout.caption);
  }
  live_.erase(std::find(live_.begin(), live_.end(), &form));
}

void FakeToolkit::OuterSize(platform::FormId form, double& width, double& height) {
  const platform::FormSpec& layout = Find(form).layout;
  width = layout.client_width + kFrameWidth;
  height = layout.client_height + kFrameHeight;
}

void FakeToolkit::Move(platform::FormId form, double left, double top) {
  Form& found = Find(form);
  found.left = left;
  found.top = top;
}

platform::WindowHandle FakeToolkit::Handle(platform::FormId form) {
  return HandleOf(Find(form).id);
}

platform::WindowHandle FakeToolkit::ForegroundWindow() {
  if (faults_.Step("GetForegroundWindow")) {
    return 0;
  }
  if (foreground_) {
    return *foreground_;
  }
  const auto top = std::find_if(live_.rbegin(), live_.rend(), [](Form* f) { return f->loaded; });
  return top == live_.rend() ? 0 : HandleOf((*top)->id);
}

FakeToolkit::Form& FakeToolkit::Find(platform::FormId form) const {
  for (Form* f : live_) {
    if (f->id == form) {
      return *f;
    }
  }
  throw std::out_of_range("no such window");
}

FakeToolkit::Control& FakeToolkit::At(platform::FormId form, int control) const {
  return Find(form).controls.at(static_cast<std::size_t>(control));
}

void FakeToolkit::Session::Click(std::wstring_view name) {
  const int row = Row(name);
  const platform::ControlSpec& layout = form_.layout.controls[static_cast<std::size_t>(row)];
  const bool clickable = layout.kind == platform::ControlKind::kButton ||
                         layout.kind == platform::ControlKind::kCheckBox ||
                         (layout.flags & cf::kLink) != 0;
  const bool panel_enabled =
      layout.parent < 0 || form_.controls[static_cast<std::size_t>(layout.parent)].enabled;
  if (clickable && panel_enabled && form_.controls[static_cast<std::size_t>(row)].visible) {
    Press(row);
  }
}

void FakeToolkit::Session::Enter() {
  if (const int row = RowWith(cf::kDefault); row >= 0) {
    Press(row);
  }
}

void FakeToolkit::Session::Dismiss(bool close_box) {
  if (const int row = RowWith(cf::kCancel); row >= 0) {
    Press(row);
  } else if (form_.loaded) {
    form_.events.Cancel(close_box);
  }
}

void FakeToolkit::Session::Tick() {
  if (form_.loaded && form_.layout.timer_ms > 0) {
    form_.events.Timer();
  }
}

void FakeToolkit::Session::SetForeground(std::optional<platform::WindowHandle> handle) {
  toolkit_.SetForeground(handle);
}

int FakeToolkit::Session::Row(std::wstring_view name) const {
  const auto& rows = form_.layout.controls;
  const auto found = std::find_if(
      rows.begin(), rows.end(), [name](const platform::ControlSpec& c) { return c.name == name; });
  if (found == rows.end()) {
    throw std::out_of_range("no such control");
  }
  return static_cast<int>(found - rows.begin());
}

// A disabled control takes no input, however it is pressed.
void FakeToolkit::Session::Press(int row) {
  Control& control = form_.controls[static_cast<std::size_t>(row)];
  if (!form_.loaded || !control.enabled) {
    return;
  }
  if (form_.layout.controls[static_cast<std::size_t>(row)].kind ==
      platform::ControlKind::kCheckBox) {
    control.value = control.value == 0 ? 1 : 0;
  }
  form_.events.Click(row);
}

int FakeToolkit::Session::RowWith(std::uint32_t flag) const {
  const auto& rows = form_.layout.controls;
  const auto found = std::find_if(rows.begin(), rows.end(), [flag](const platform::ControlSpec& c) {
    return (c.flags & flag) != 0;
  });
  return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

}  // namespace fake
