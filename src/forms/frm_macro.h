#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "forms/help_page_opener.h"
#include "host/cls_global.h"
#include "platform/toolkit.h"
#include "util/cls_file.h"
#include "util/cls_registry_io.h"

/// The Online Help Access window: switches the Brenvic Help menu in Visio on or off by putting the
/// working or the blank global stencil in place.
class frm_Macro : public platform::FormEvents {
 public:
  explicit frm_Macro(HelpPageOpener open_help_page);

  /// Shows the window modally; returns when it has been unloaded.
  void Show();

  /// Centres the window.
  void Form_Load() override;
  /// Sets the check box from the stencil in use; disables the choice when there is none.
  void Form_Activate() override;
  /// Runs the handler of an enabled control.
  void Click(int control) override;
  /// Esc and the close box both cancel.
  void Cancel(bool close_box) override;

 private:
  void cmd_OK_Click();
  void cmd_Cancel_Click();
  void cmd_Help_Click();
  /// Visio's "#Brenvic Visio\Global\" folder, or empty.
  std::wstring of_GetGlobalDir();
  /// The add-on's program folder as the registry names it.
  std::wstring of_GetProgramDir();
  /// -1 enabled, 1 disabled, 0 not found (after telling the user).
  std::int32_t of_GetAccessState();
  bool of_IsAccessChecked();

  HelpPageOpener open_help_page_;
  cls_File m_File;
  cls_Global m_Global;
  cls_RegistryIO m_Registry;
};

/// The access state that the stencil in use gives, from its length: -1 enabled (longer than 25,600
/// bytes, the working stencil), 1 disabled (the blank one), 0 not found (no length: no file there,
/// or one whose length cannot be read).
std::int32_t StencilState(std::optional<std::uint64_t> length);
