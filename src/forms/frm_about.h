#pragma once

#include <array>
#include <string_view>

#include "forms/about_layout.h"
#include "forms/help_page_opener.h"
#include "host/cls_global.h"
#include "platform/toolkit.h"

/// The About window: product, edition, version, notices and the link to the online help. Unless
/// told to stay, it unloads itself once another window has become the foreground window.
class frm_About : public platform::FormEvents {
 public:
  /// `gb_AboutStay` is read at every tick; `home_address` is the help site's address the link
  /// shows.
  frm_About(HelpPageOpener open_help_page, const bool& gb_AboutStay,
            std::wstring_view home_address);

  /// Shows the window modally; returns when it has been unloaded.
  void Show();

  /// Centres the window and shows the edition.
  void Form_Load() override;
  /// Runs the handler of an enabled control.
  void Click(int control) override;
  /// The close box unloads; Esc does nothing.
  void Cancel(bool close_box) override;
  void Timer() override { tm_Time_Timer(); }

 private:
  void Command1_Click();
  void lbl_Home_Click();
  void cmd_Macro_Click();
  void tm_Time_Timer();
  /// Appends " Pro" or " Light" to the product name, from the number of shape stencils.
  void of_SetEdition();

  HelpPageOpener open_help_page_;
  const bool& gb_AboutStay_;
  std::array<platform::ControlSpec, forms::about::kControls.size()> controls_;
  cls_Global m_Global;
  bool mb_MacroOpen = false;
  /// True while the link opens the home page, whose refusal is told in a message box.
  bool mb_HomeOpening = false;
};
