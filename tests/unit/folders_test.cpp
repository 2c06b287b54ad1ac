// Folders on Wine's drives: what counts as one, and making, removing and naming them.
#include <functional>
#include <regex>

#include "unit/windows.h"
#include "util/cls_dir.h"

namespace unit {
namespace {

TEST_F(Windows, TellsFoldersByTheirListing) {
  Make(L"d\\x.txt");
  Make(L"hidden\\", 0, FILE_ATTRIBUTE_HIDDEN);
  Make(L"system\\", 0, FILE_ATTRIBUTE_SYSTEM);
  // path, of_IsDirectory, of_IsDirectoryEx excluding files
  const std::tuple<std::wstring, bool, bool> rows[] = {
      {At(L"d"), true, true},      {At(L"d\\"), true, true},      {At(L"d\\x.txt"), true, false},
      {At(L"hidden"), true, true}, {At(L"system"), false, false}, {L"C:\\", true, false},
      {L"  ", false, false},       {At(L"none\\"), false, false},
  };
  cls_Dir dirs;
  for (const auto& [path, is_folder, excluding_files] : rows) {
    EXPECT_EQ(dirs.of_IsDirectory(path), is_folder) << testing::PrintToString(path);
    EXPECT_EQ(dirs.of_IsDirectoryEx(path, true), excluding_files) << testing::PrintToString(path);
  }
}

TEST_F(Windows, MakesAndRemovesFolders) {
  struct Row {
    const char* name;
    std::function<int(cls_Dir&)> call;
    int result;
    std::vector<Box> boxes;
    std::vector<std::pair<const wchar_t*, bool>> there = {};
    std::deque<int> answers = {};
  };
  const Box ask{L"\"a\\b\" does not exist.  Create it?", mb::kYesNo | mb::kIconQuestion};
  const auto failed = [](const std::wstring& what, const std::wstring& cause) {
    return Box{L"Failed to " + what + L"\": " + cause, mb::kOk | mb::kIconExclamation};
  };
  // clang-format off
  const Row rows[] = {
      {"asked once", [](cls_Dir& d) { return d.of_CreateDirectory(L"a\\b\\c", true); }, 0, {ask},
       {{L"a\\b\\c\\", true}}},
      {"answered No", [](cls_Dir& d) { return d.of_CreateDirectory(L"a\\b\\c", true); }, -1, {ask},
       {{L"a\\b\\", false}}, {mb::kIdNo}},
      {"unasked", [](cls_Dir& d) { return d.of_CreateDirectory(At(L"a\\b\\c"), false); }, 0, {},
       {{L"a\\b\\c\\", true}}},
      {"existing", [](cls_Dir& d) { return d.of_CreateDirectory(L"a", true); }, 0, {}},
      {"below a file", [](cls_Dir& d) { return d.of_CreateDirectory(At(L"f\\b"), false); }, -1,
       {failed(L"create directory \"" + At(L"f\\b\\"), Cause(3))}},
      {"removed with its files", [](cls_Dir& d) { return d.of_RemoveDirectory(At(L"a"), true); }, 0,
       {}, {{L"a\\", false}}},
      {"holding a folder", [](cls_Dir& d) { return d.of_RemoveDirectory(At(L"s"), true); }, -1,
       {failed(L"remove directory \"" + At(L"s\\"), Cause(145))},
       {{L"s\\x.txt", false}, {L"s\\t\\", true}}},
      {"holding a folder, untold", [](cls_Dir& d) { return d.of_RemoveDirectory(At(L"s"), false); },
       -1, {}, {{L"s\\t\\", true}}},
      {"removing nothing", [](cls_Dir& d) { return d.of_RemoveDirectory(At(L"n"), true); }, -1, {}},
      {"a drive's root", [](cls_Dir& d) { return d.of_RemoveDirectory(L"Q:\\", true); }, -1,
       {failed(L"remove directory \"Q:\\", L"A drive's root folder is never removed.")},
       {{L"Q:\\x.txt", true}}},
      {"temporary folder",
       [](cls_Dir& d) { return d.of_GetTempFilePath(At(L"new\\"), L"t").ends_with(L"\\"); }, 1, {},
       {{L"new\\", true}}},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Reset();
    for (const wchar_t* path : {L"a\\x.txt", L"f", L"s\\x.txt", L"s\\t\\", L"Q:\\x.txt"}) {
      Make(path);
    }
    SetCurrentDirectoryW(kScratch);
    dialogs.answers = row.answers;
    cls_Dir dirs;
    EXPECT_EQ(row.call(dirs), row.result);
    EXPECT_EQ(dialogs.shown, row.boxes);
    for (const auto& [path, there] : row.there) {
      EXPECT_EQ(Exists(path), there) << path;
    }
  }
}

TEST_F(Windows, NamesSystemCurrentAndTemporaryFolders) {
  Make(L"T\\");
  cls_Dir dirs;
  EXPECT_EQ(dirs.of_GetWindowsDirectory(), L"C:\\windows\\");
  EXPECT_EQ(dirs.of_GetSystemDirectory(), L"C:\\windows\\system32\\");
  EXPECT_TRUE(dirs.of_GetTempPath().ends_with(L"\\Temp\\"));
  EXPECT_EQ(dirs.of_SetCurrentDirectory(At(L"T")), 0);
  EXPECT_EQ(dirs.of_GetCurrentDirectory(), L"C:\\brenvic-unit");
  EXPECT_EQ(dirs.of_SetCurrentDirectory(At(L"T\\")), 0);
  EXPECT_EQ(dirs.of_GetCurrentDirectory(), At(L"T"));
  const std::wregex name(L"C:\\\\brenvic-unit\\\\T\\\\tmp[0-9A-F]{1,5}\\.dat");
  for (int i = 0; i < 8; ++i) {
    const std::wstring path = dirs.of_GetTempFileName(At(L"T\\"), L"tmp", L"dat");
    EXPECT_TRUE(std::regex_match(path, name) && !Exists(path)) << testing::PrintToString(path);
  }
}

}  // namespace
}  // namespace unit
