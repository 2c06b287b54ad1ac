// Finding Visio's Solutions folder.
#include "host/cls_global.h"
#include "unit/windows.h"

namespace unit {
namespace {

using namespace std::string_literals;

TEST_F(Windows, FindsSolutionsFolderFromVisiosOpenCommand) {
  const std::wstring visio = At(L"Visio\\"), quoted = L"\"" + visio + L"VISIO.EXE\" /dde";
  struct Row {
    const wchar_t* version_key;  // whose CurVer names the class V.11
    std::wstring command;
    std::vector<const wchar_t*> folders;
    std::wstring found;
  };
  const Row rows[] = {
      {L"Visio.Drawing.20", quoted, {L"Solutions\\"}, visio + L"Solutions\\"},
      {L"Visio.Drawing.21", quoted, {L"Solutions\\"}, L""},  // past the probes
      {L"Visio.Drawing", visio + L"VISIO.EXE \"%1\"", {L"Solutions\\"}, visio + L"Solutions\\"},
      {L"Visio.Drawing", L"VISIO.EXE /dde", {L"Solutions\\"}, L""},
      {L"Visio.Drawing", quoted, {L"1033\\", L"Extra\\Solutions\\"}, visio + L"Extra\\Solutions\\"},
      {L"Visio.Drawing", quoted, {L"A\\B\\Solutions\\"}, L""},
      {L"Visio.Drawing", quoted, {L"Hidden\\Solutions\\"}, L""},
      {L"Visio.Drawing", quoted, {L"Office.11\\Solutions\\"}, L""},
  };
  for (const Row& row : rows) {
    Reset();
    for (const wchar_t* key :
         {L"Visio.Drawing", L"Visio.Drawing.20", L"Visio.Drawing.21", L"V.11"}) {
      RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
    }
    SetValue(HKEY_CLASSES_ROOT, row.version_key + std::wstring(L"\\CurVer"), "", REG_SZ, "V.11\0"s);
    SetValue(HKEY_CLASSES_ROOT, L"V.11\\Shell\\Open\\Command", "", REG_SZ,
             reading::Narrow(row.command) + '\0');
    for (const wchar_t* folder : row.folders) {
      Make(visio + folder);
    }
    SetFileAttributesW((visio + L"Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(cls_Global().gs_FindSolutionDir(), row.found)
        << testing::PrintToString(row.command + L" " + row.folders.back());
  }
}

}  // namespace
}  // namespace unit
