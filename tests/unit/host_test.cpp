// Finding files and folders, and Visio's Solutions folder.
#include "host/cls_global.h"
#include "unit/windows.h"
#include "util/cls_file_find.h"

namespace unit {
namespace {

using namespace std::string_literals;

using Names = std::vector<std::wstring>;

TEST_F(Windows, FindsFilesAndFoldersInListingOrder) {
  for (const wchar_t* path : {L"f\\1033\\", L"f\\System.old\\", L"f\\readme.txt", L"f\\README",
                              L"r\\B\\D\\G\\", L"r\\B\\F\\", L"r\\C\\E\\"}) {
    Make(path);
  }
  Make(L"f\\hidden\\", 0, FILE_ATTRIBUTE_HIDDEN);
  struct Row {
    std::wstring path, mask;
    bool folders, recursive, add_path, init;
    Names before, found;
  };
  const std::wstring f = At(L"f\\"), r = At(L"r\\");
  const Row rows[] = {
      {f, L"*", true, false, false, true, {L"x"}, {L"", L"1033\\", L"README\\"}},
      {f, L"*", true, false, false, false, {L"", L"a"}, {L"", L"a", L"1033\\", L"README\\"}},
      {f, L"*", true, false, false, false, {}, {L"", L"1033\\", L"README\\"}},
      {f, L"*", false, true, true, true, {}, {L"", f + L"README", f + L"readme.txt"}},
      {f, L"*.none", false, false, false, false, {}, {L""}},
      {f, L"ж*", false, false, false, true, {}, {L""}},
      // clang-format off
      {r, L"*", true, true, false, true, {},
       {L"", r + L"B\\", r + L"C\\", r + L"B\\D\\", r + L"B\\F\\", r + L"B\\D\\G\\",
        r + L"C\\E\\"}},
      // clang-format on
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.path + row.mask));
    cls_FileFind finder;
    finder.SearchDir(row.folders);
    finder.Recursive(row.recursive);
    finder.Path(row.path);
    finder.FileSpec(row.mask);
    Names found = row.before;
    finder.FindAllEx(found, row.add_path, row.init);
    EXPECT_EQ(found, row.found);
  }
}

TEST_F(Windows, FindsSolutionsFolderFromVisiosOpenCommand) {
  const std::wstring visio = At(L"Visio\\"), solutions = visio + L"Solutions\\";
  const std::wstring quoted = L"\"" + visio + L"VISIO.EXE\" /dde";
  struct Row {
    const wchar_t* version_key;  // whose CurVer names the class V.11
    std::wstring command;
    std::vector<const wchar_t*> folders;
    std::wstring found;
  };
  // clang-format off
  const Row rows[] = {
      {L"Visio.Drawing", quoted, {L"Solutions\\"}, solutions},
      {L"Visio.Drawing.20", quoted, {L"Solutions\\"}, solutions},
      {L"Visio.Drawing.21", quoted, {L"Solutions\\"}, L""},  // past the probes
      {L"Visio.Drawing", L"", {L"Solutions\\"}, L""},  // the class has no command
      {L"Visio.Drawing", visio + L"VISIO.EXE \"%1\"", {L"Solutions\\"}, solutions},
      {L"Visio.Drawing", L"VISIO.EXE /dde", {L"Solutions\\"}, L""},
      {L"Visio.Drawing", quoted, {L"1033\\", L"Extra\\Solutions\\"}, visio + L"Extra\\Solutions\\"},
      {L"Visio.Drawing", quoted, {L"Extra\\Solutions\\", L"Solutions\\"}, solutions},
      {L"Visio.Drawing", quoted, {L"A\\B\\Solutions\\"}, L""},
      {L"Visio.Drawing", quoted, {L"Office.11\\Solutions\\"}, L""},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.command + L" " + row.folders.back()));
    Reset();
    for (const wchar_t* key :
         {L"Visio.Drawing", L"Visio.Drawing.20", L"Visio.Drawing.21", L"V.11"}) {
      RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
    }
    SetValue(HKEY_CLASSES_ROOT, row.version_key + std::wstring(L"\\CurVer"), "", REG_SZ, "V.11\0"s);
    if (!row.command.empty()) {
      SetValue(HKEY_CLASSES_ROOT, L"V.11\\Shell\\Open\\Command", "", REG_SZ,
               std::string(row.command.begin(), row.command.end()) + '\0');
    }
    for (const wchar_t* folder : row.folders) {
      Make(visio + folder);
    }
    EXPECT_EQ(cls_Global().gs_FindSolutionDir(), row.found);
  }
}

}  // namespace
}  // namespace unit
