#include "main/cls_main.h"

#include "forms/frm_about.h"
#include "main/cls_shell_execute.h"
#include "main/command_line.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "util/cls_string.h"
#include "util/decimal.h"
#include "util/message.h"

namespace cls_Main {

bool gb_AboutStay = false;

const wchar_t* const kHelpBaseUrl = BRENVIC_HELP_BASE_URL;

cls_String& SharedString() {
  static cls_String shared;
  return shared;
}

cls_ShellExecute& SharedShellExecute() {
  static cls_ShellExecute shared;
  return shared;
}

namespace {

// The help site as the About window's link shows it: without its scheme and final "/".
std::wstring SiteAddress() {
  std::wstring_view address = kHelpBaseUrl;
  if (const auto scheme = address.find(L"://"); scheme != std::wstring_view::npos) {
    address.remove_prefix(scheme + 3);
  }
  if (!address.empty() && address.back() == L'/') {
    address.remove_suffix(1);
  }
  return std::wstring(address);
}

}  // namespace

void Main() {
  const std::wstring page = HelpPage(ArgumentText(platform::Current().process->CommandLine()),
                                     SharedString(), gb_AboutStay);
  if (page.empty()) {
    const std::wstring site = SiteAddress();  // the window's link shows it while the window lives
    frm_About about(gv_OpenHelpPage, gb_AboutStay, site);
    about.Show();
  } else {
    gv_OpenHelpPage(page);
  }
}

void gv_OpenHelpPage(const std::wstring& as_Page) {
  const int result = SharedShellExecute().fi_Run(kHelpBaseUrl + as_Page);
  if (result != 0) {
    util::ShowMessage(L"Failed To Access URL(" + util::Decimal(result) + L"): " + as_Page,
                      platform::mb::kOk);
  }
}

}  // namespace cls_Main
