#include "forms/frm_about.h"

#include <vector>

#include "forms/frm_macro.h"
#include "platform/platform.h"
#include "util/cls_file_find.h"

namespace {

using namespace forms::about;

// More shape stencils than this make the Pro edition.
constexpr std::size_t kLightShapeLimit = 20;

platform::Toolkit& Toolkit() {
  return *platform::Current().toolkit;
}

}  // namespace

frm_About::frm_About(HelpPageOpener open_help_page, const bool& gb_AboutStay,
                     std::wstring_view home_address)
    : open_help_page_(open_help_page), gb_AboutStay_(gb_AboutStay), controls_(kControls) {
  controls_[kLblHome].caption = home_address;
}

void frm_About::Show() {
  platform::FormSpec layout = kForm;
  layout.controls = controls_;
  Toolkit().ShowModal(layout, *this);
}

void frm_About::Form_Load() {
  m_Global.gv_CenterForm(Form());
  of_SetEdition();
}

// Wine delivers a command from a disabled button, so the check is made here as well.
void frm_About::Click(int control) {
  if (!Toolkit().Enabled(Form(), control)) {
    return;
  }
  switch (control) {
    case kCommand1:
      Command1_Click();
      break;
    case kLblHome:
      lbl_Home_Click();
      break;
    case kCmdMacro:
      cmd_Macro_Click();
      break;
    default:
      break;
  }
}

void frm_About::Cancel(bool close_box) {
  if (close_box) {
    Toolkit().Unload(Form());
  }
}

void frm_About::Command1_Click() {
  Toolkit().Unload(Form());
}

// A refusal's message box takes the foreground from the window while it is up.
void frm_About::lbl_Home_Click() {
  mb_HomeOpening = true;
  open_help_page_(L"visio_Index.htm");
  mb_HomeOpening = false;
}

void frm_About::cmd_Macro_Click() {
  mb_MacroOpen = true;
  frm_Macro macro(open_help_page_);
  macro.Show();
  mb_MacroOpen = false;
}

void frm_About::tm_Time_Timer() {
  if (gb_AboutStay_ || mb_MacroOpen || mb_HomeOpening) {
    return;
  }
  if (Toolkit().ForegroundWindow() != Toolkit().Handle(Form())) {
    Toolkit().Unload(Form());
  }
}

void frm_About::of_SetEdition() {
  std::wstring folder = m_Global.gs_FindSolutionDir();
  if (folder.empty()) {
    return;
  }
  folder += L"#Brenvic Visio\\";
  cls_FileFind finder;
  finder.Path(folder);
  finder.FileSpec(L"brenvic_shape*.*");
  std::vector<std::wstring> shapes;
  finder.FindAllEx(shapes, false, true);
  const std::size_t upper_bound = shapes.empty() ? 0 : shapes.size() - 1;
  const wchar_t* edition = upper_bound > kLightShapeLimit ? L" Pro" : L" Light";
  Toolkit().SetCaption(Form(), kLblEdition, Toolkit().Caption(Form(), kLblEdition) + edition);
}
