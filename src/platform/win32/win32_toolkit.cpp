#include "platform/win32/win32_toolkit.h"

#include <string>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

namespace {

// The forms shown now, innermost last: each is modal over the one before it.
std::vector<Form*>& OpenForms() {
  static std::vector<Form*> forms;
  return forms;
}

Form* Find(FormId id) {
  for (Form* form : OpenForms()) {
    if (reinterpret_cast<FormId>(form) == id) {
      return form;
    }
  }
  return nullptr;
}

class Opened {
 public:
  explicit Opened(Form& form) { OpenForms().push_back(&form); }
  ~Opened() { OpenForms().pop_back(); }
  Opened(const Opened&) = delete;
  Opened& operator=(const Opened&) = delete;
};

class Win32Toolkit final : public Toolkit {
 public:
  // At the window's DPI, as its size and its moves are: under per-monitor DPI it can differ from
  // the system's, whose twips would not be the window's.
  void ScreenSize(FormId id, double& width, double& height) override {
    const Form* form = Find(id);
    const UINT dpi = form != nullptr ? form->Dpi() : SystemDpi();
    width = ToTwips(GetSystemMetrics(SM_CXSCREEN), dpi);
    height = ToTwips(GetSystemMetrics(SM_CYSCREEN), dpi);
  }

  void ShowModal(const FormSpec& layout, FormEvents& events) override {
    Form form(layout, events, ActiveFormWindow());
    const Opened opened(form);
    form.Run(reinterpret_cast<FormId>(&form));
  }

  void Unload(FormId id) override {
    if (Form* form = Find(id)) {
      form->Unload();
    }
  }

  void OuterSize(FormId id, double& width, double& height) override {
    RECT outer{};
    if (Form* form = Find(id); form != nullptr && GetWindowRect(form->Window(), &outer)) {
      width = ToTwips(outer.right - outer.left, form->Dpi());
      height = ToTwips(outer.bottom - outer.top, form->Dpi());
    }
  }

  void Move(FormId id, double left, double top) override {
    if (Form* form = Find(id)) {
      SetWindowPos(form->Window(), nullptr, ToPixels(left, form->Dpi()), ToPixels(top, form->Dpi()),
                   0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  int Value(FormId id, int control) override {
    return SendMessageW(Control(id, control), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  }

  void SetValue(FormId id, int control, int value) override {
    SendMessageW(Control(id, control), BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  bool Enabled(FormId id, int control) override {
    return IsWindowEnabled(Control(id, control)) != FALSE;
  }

  void SetEnabled(FormId id, int control, bool enabled) override {
    if (Form* form = Find(id)) {
      form->SetEnabled(control, enabled);
    }
  }

  std::wstring Caption(FormId id, int control) override {
    const HWND window = Control(id, control);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
  }

  void SetCaption(FormId id, int control, const std::wstring& caption) override {
    if (Form* form = Find(id)) {
      form->Parts().SetCaption(control, caption);
    }
  }

  WindowHandle Handle(FormId id) override {
    const Form* form = Find(id);
    return form != nullptr ? reinterpret_cast<WindowHandle>(form->Window()) : 0;
  }

  WindowHandle ForegroundWindow() override {
    return reinterpret_cast<WindowHandle>(GetForegroundWindow());
  }

 private:
  static HWND Control(FormId id, int control) {
    Form* form = Find(id);
    return form != nullptr ? form->Parts().Window(control) : nullptr;
  }
};

}  // namespace

HWND ActiveFormWindow() {
  const std::vector<Form*>& forms = OpenForms();
  for (auto form = forms.rbegin(); form != forms.rend(); ++form) {
    if (!(*form)->Unloaded()) {
      return (*form)->Window();
    }
  }
  return nullptr;
}

Toolkit& TheToolkit() {
  static Win32Toolkit toolkit;
  return toolkit;
}

}  // namespace platform::win32
