#include "host/cls_global.h"

#include <vector>

#include "platform/platform.h"
#include "util/cls_dir.h"
#include "util/cls_file.h"
#include "util/cls_file_find.h"
#include "util/cls_registry_io.h"
#include "util/cls_string.h"
#include "util/decimal.h"

namespace {
constexpr int kVersionProbes = 21;
}

// Halved in single precision: a half unit is kept, as the window's position can hold it.
void cls_Global::gv_CenterForm(platform::FormId afrm_Form) {
  platform::Toolkit& toolkit = *platform::Current().toolkit;
  double screen_width = 0;
  double screen_height = 0;
  toolkit.ScreenSize(afrm_Form, screen_width, screen_height);
  double width = 0;
  double height = 0;
  toolkit.OuterSize(afrm_Form, width, height);
  const float top = (static_cast<float>(screen_height) - static_cast<float>(height)) / 2.0F;
  const float left = (static_cast<float>(screen_width) - static_cast<float>(width)) / 2.0F;
  toolkit.Move(afrm_Form, left, top);
}

bool cls_Global::gb_InVB(const std::wstring& as_DevelopmentPath) {
  cls_String strings;
  return strings.of_Find(platform::Current().process->ProgramFolder(),
                         as_DevelopmentPath.substr(0, 10), false) > 0;
}

std::wstring cls_Global::gs_FindSolutionDir() {
  cls_RegistryIO registry;
  registry.ClassKey(registry.HKEY_CLASSES_ROOT());

  std::wstring class_name;
  for (int n = 0; n < kVersionProbes && class_name.empty(); ++n) {
    std::wstring key = L"Visio.Drawing";
    if (n > 0) {
      key += L"." + util::Decimal(n);
    }
    registry.SectionKey(key + L"\\CurVer");
    class_name = registry.Value();
  }
  if (class_name.empty()) {
    class_name = L"Visio.Drawing";
  }

  registry.SectionKey(class_name + L"\\Shell\\Open\\Command");
  std::wstring command = registry.Value();
  if (command.empty()) {
    return {};
  }

  // The program's path ends at a closing quote followed by a blank, when it is quoted.
  cls_String strings;
  command = strings.of_GetNextToken(command, L"\" ");
  command = strings.of_GlobalReplace(command, L"\"", L"", true);
  cls_File files;
  const std::wstring program_dir = files.of_GetFilePath(command);
  if (program_dir.empty()) {
    return {};
  }

  cls_Dir dirs;
  const std::wstring direct = program_dir + L"Solutions\\";
  if (dirs.of_IsDirectory(direct)) {
    return direct;
  }

  cls_FileFind finder;
  finder.Path(program_dir);
  finder.FileSpec(L"*");
  finder.Recursive(false);
  finder.SearchDir(true);
  std::vector<std::wstring> folders;
  finder.FindAllEx(folders, false, true);
  for (std::size_t i = 1; i < folders.size(); ++i) {
    const std::wstring candidate = program_dir + folders[i] + L"Solutions\\";
    if (dirs.of_IsDirectory(candidate)) {
      return candidate;
    }
  }
  return {};
}
