#include "forms/frm_macro.h"

#include "forms/macro_layout.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "util/message.h"

namespace {

using namespace forms::macro;
namespace mb = platform::mb;

constexpr std::int32_t kEnabled = -1;
constexpr std::int32_t kDisabled = 1;
constexpr std::int32_t kNotFound = 0;
// The working stencil is larger than this; the blank one is not.
constexpr std::uint64_t kBlankSizeLimit = 25600;

constexpr wchar_t kStencil[] = L"brenvic_global.vss";
constexpr wchar_t kBlankStencil[] = L"brenvic_global_blank.vss";
constexpr wchar_t kDevelopmentFolder[] = L"c:\\Visio";
constexpr wchar_t kInstallFolder[] = L"c:\\Program Files\\Harrowbright\\Brenvic Visio\\";

void ShowNotFound() {
  util::ShowMessage(
      L"File brenvic_global.vss not found.  Please install Brenvic Visio properly then try again.",
      mb::kOk | mb::kIconExclamation);
}

platform::Toolkit& Toolkit() {
  return *platform::Current().toolkit;
}

}  // namespace

frm_Macro::frm_Macro(HelpPageOpener open_help_page) : open_help_page_(open_help_page) {}

void frm_Macro::Show() {
  Toolkit().ShowModal(kForm, *this);
}

void frm_Macro::Form_Load() {
  cls_Global global;
  global.gv_CenterForm(Form());
}

void frm_Macro::Form_Activate() {
  switch (of_GetAccessState()) {
    case kNotFound:
      Toolkit().SetEnabled(Form(), kCxMacro, false);
      Toolkit().SetEnabled(Form(), kCmdOK, false);
      break;
    case kEnabled:
      Toolkit().SetValue(Form(), kCxMacro, 1);
      break;
    default:
      break;
  }
}

// Wine delivers a command from a disabled button, so the check is made here as well.
void frm_Macro::Click(int control) {
  if (!Toolkit().Enabled(Form(), control)) {
    return;
  }
  switch (control) {
    case kCmdOK:
      cmd_OK_Click();
      break;
    case kCmdCancel:
      cmd_Cancel_Click();
      break;
    case kCmdHelp:
      cmd_Help_Click();
      break;
    default:
      break;
  }
}

void frm_Macro::Cancel([[maybe_unused]] bool close_box) {
  cmd_Cancel_Click();
}

void frm_Macro::cmd_OK_Click() {
  const std::int32_t state = of_GetAccessState();
  if (state == kNotFound) {
    return;
  }
  const bool checked = of_IsAccessChecked();
  if ((checked && state == kEnabled) || (!checked && state == kDisabled)) {
    Toolkit().Unload(Form());
    return;
  }

  std::wstring program_dir = of_GetProgramDir();
  if (m_Global.gb_InVB(kDevelopmentFolder)) {
    program_dir = kInstallFolder;
  }
  // A second search that finds nothing would make the destination a bare file name in whatever
  // folder is current: better to report the stencil missing than to copy there.
  const std::wstring global_dir = of_GetGlobalDir();
  if (global_dir.empty()) {
    ShowNotFound();
    return;
  }
  const std::wstring destination = global_dir + kStencil;

  std::wstring source;
  if (checked) {
    source = program_dir + kStencil;
  } else {
    source = program_dir + kBlankStencil;
    const int answer = util::ShowMessage(
        L"Are you sure that you want to disable the direct access to your online help?",
        mb::kYesNo | mb::kIconQuestion | mb::kDefaultButton2);
    if (answer != mb::kIdYes) {
      return;
    }
  }

  if (m_File.of_Copy(source, destination, false) != 0) {
    util::ShowMessage(
        L"Please close all the drawings opened in Visio then try again.\r\n\r\n"
        L"Tip: If it still doesn't work, ensure that you have the \"write\" access to this file.  "
        L"Contact your system administrator for help.",
        mb::kOk | mb::kIconExclamation);
    return;
  }
  if (checked) {
    util::ShowMessage(L"The direct access to your Brenvic Visio online help has been  enabled.",
                      mb::kOk | mb::kIconInformation);
  } else {
    util::ShowMessage(
        L"The direct access to your Brenvic Visio online help has been  disabled.\r\n\r\n"
        L"To enable the access in the future, click the About Brenvic Visio icon in your Brenvic "
        L"Visio program folder (Start > All Programs > the folder) to access this window.",
        mb::kOk | mb::kIconInformation);
  }
  Toolkit().Unload(Form());
}

void frm_Macro::cmd_Cancel_Click() {
  Toolkit().Unload(Form());
}

void frm_Macro::cmd_Help_Click() {
  open_help_page_(L"visio_HowTo_EnableMacroWindow.htm");
}

std::wstring frm_Macro::of_GetGlobalDir() {
  std::wstring folder = m_Global.gs_FindSolutionDir();
  if (!folder.empty()) {
    folder += L"#Brenvic Visio\\Global\\";
  }
  return folder;
}

std::wstring frm_Macro::of_GetProgramDir() {
  m_Registry.ClassKey(m_Registry.HKEY_CLASSES_ROOT());
  m_Registry.SectionKey(L"BrenvicVisio");
  m_Registry.ValueKey(L"path");
  return m_Registry.Value();
}

std::int32_t frm_Macro::of_GetAccessState() {
  const std::wstring folder = of_GetGlobalDir();
  const std::wstring stencil = folder + kStencil;
  std::uint64_t length = 0;
  const bool read = !folder.empty() && m_File.of_IsFile(stencil) &&
                    platform::Current().files->FileLength(stencil, length) == 0;
  const std::int32_t state = StencilState(read ? std::optional(length) : std::nullopt);
  if (state == kNotFound) {
    ShowNotFound();
  }
  return state;
}

std::int32_t StencilState(std::optional<std::uint64_t> length) {
  if (!length) {
    return kNotFound;
  }
  return *length > kBlankSizeLimit ? kEnabled : kDisabled;
}

bool frm_Macro::of_IsAccessChecked() {
  return Toolkit().Value(Form(), kCxMacro) == 1;
}
