// Folders on Wine's drives: what counts as one, and making, removing and naming them.
#include "unit/windows.h"
#include "util/cls_dir.h"
#include "util/removal_plan.h"

namespace unit {
namespace {

TEST_F(Windows, TellsFoldersByTheirListing) {
  Make(L"d\\x.txt");
  Make(L"hidden\\", 0, FILE_ATTRIBUTE_HIDDEN);
  Make(L"system\\", 0, FILE_ATTRIBUTE_SYSTEM);
  struct Row {
    std::wstring path;
    bool is_folder, is_folder_excluding_files;
  };
  const Row rows[] = {
      {At(L"d"), true, true},      {At(L"d\\"), true, true},      {At(L"d\\x.txt"), true, false},
      {At(L"hidden"), true, true}, {At(L"system"), false, false}, {L"C:\\", true, false},
      {L"  ", false, false},       {L"Q:\\", true, false},        {At(L"none\\"), false, false},
  };
  cls_Dir dirs;
  for (const Row& row : rows) {
    EXPECT_EQ(std::pair(dirs.of_IsDirectory(row.path), dirs.of_IsDirectoryEx(row.path, true)),
              std::pair(row.is_folder, row.is_folder_excluding_files))
        << testing::PrintToString(row.path);
  }
}

void Populate() {
  // The links C:\brenvic-links\folder and root lead to target and Q: (scripts/lib/wine-root.sh).
  for (const wchar_t* path :
       {L"a\\x.txt", L"d\\own.txt", L"d\\a\uFF3C..\uFF3C..\uFF3Cvictim.txt", L"victim.txt", L"e\\",
        L"f", L"s\\x.txt", L"s\\t\\", L"target\\keep.txt", L"Q:\\x.txt", L"Q:\\r\\"}) {
    Make(path);
  }
  SetCurrentDirectoryW(kScratch);
}

TEST_F(Windows, MakesAndRemovesFolders) {
  const Box ask{L"\"a\\b\" does not exist.  Create it?", mb::kYesNo | mb::kIconQuestion};
  const auto failed = [](const std::wstring& what, const std::wstring& cause) {
    return Box{L"Failed to " + what + L"\": " + cause, mb::kOk | mb::kIconExclamation};
  };
  // The removal of `path` (a folder's path, shown with a trailing "\"), refused for `cause`.
  const auto refused = [&](const std::wstring& path, const std::wstring& cause) {
    return failed(L"remove directory \"" + path + (path.ends_with(L'\\') ? L"" : L"\\"), cause);
  };
  const auto root = [&](const std::wstring& path) {
    return refused(path, L"A drive's root folder is never removed.");
  };
  cls_Dir d;
  const auto remove = [&d](const std::wstring& path, bool warn = true) {
    return [&d, path, warn] { return d.of_RemoveDirectory(path, warn); };
  };
  const auto make = [&d](const std::wstring& path, bool ask) {
    return [&d, path, ask] { return d.of_CreateDirectory(path, ask); };
  };
  const std::wstring link = L"C:\\brenvic-links\\folder", to_root = L"C:\\brenvic-links\\root";
  // clang-format off
  const Act acts[] = {
      {"asked once", make(L"a\\b\\c", true), 0, {ask}, {{L"a\\b\\", 0}, {L"a\\b\\c\\", 0}}},
      {"answered No", make(L"a\\b\\c", true), -1, {ask}, {}, {mb::kIdNo}},
      {"unasked", make(At(L"a\\b\\c"), false), 0, {}, {{L"a\\b\\", 0}, {L"a\\b\\c\\", 0}}},
      {"existing", make(At(L"a"), true), 0, {}},
      {"ł, a name code pages lack", make(At(L"ł"), false), 0, {}, {{L"ł\\", 0}}},
      {"below a file", make(At(L"f\\b"), false), -1,
       {failed(L"create directory \"" + At(L"f\\b\\"), Cause(3))}},
      {"removed with its files", remove(At(L"a")), 0, {}, {{L"a\\", -1}, {L"a\\x.txt", -1}}},
      {"removed, names that look like paths", remove(At(L"d")), 0, {},
       {{L"d\\", -1}, {L"d\\own.txt", -1}, {L"d\\a\uFF3C..\uFF3C..\uFF3Cvictim.txt", -1}}},
      // Windows removes the link alone; Wine cannot remove a link to a folder that holds files.
      {"a link, never its target's files", remove(link), -1, {refused(link, Cause(145))}},
      {"a link named with a doubled separator", remove(link + L"\\\\"), -1,
       {refused(link + L"\\\\", Cause(145))}},
      {"a file", remove(At(L"f")), -1, {refused(At(L"f"), Cause(267))}},
      {"removed empty", remove(At(L"e\\")), 0, {}, {{L"e\\", -1}}},
      {"holding a folder", remove(At(L"s")), -1, {refused(At(L"s"), Cause(145))},
       {{L"s\\x.txt", -1}}},
      {"holding a folder, untold", remove(At(L"s"), false), -1, {}, {{L"s\\x.txt", -1}}},
      {"removing nothing", remove(At(L"n")), -1, {}},
      {"a folder that cannot be listed", remove(At(L"s")), -1, {refused(At(L"s"), Cause(32))}, {},
       {}, L"s", FILE_SHARE_DELETE},
      // The clock stands still: the name drawn first is always the same.
      {"temporary folder made", [&] {
         return d.of_GetTempFilePath(At(L"new\\"), L"t") == At(L"new\\tD9F44\\");
       }, 1, {}, {{L"new\\", 0}, {L"new\\tD9F44\\", 0}}},
      {"a drive's root", remove(L"Q:\\"), -1, {root(L"Q:\\")}},
      {"a root past ..", remove(L"Q:\\r\\.."), -1, {root(L"Q:\\r\\..")}},
      {"the current folder's parent, a root", [&] {
         SetCurrentDirectoryW(L"Q:\\r");
         return d.of_RemoveDirectory(L"..", true);
       }, -1, {root(L"..")}},
      {"a root as \\\\?\\", remove(L"\\\\?\\Q:\\"), -1, {root(L"\\\\?\\Q:\\")}},
      {"a root as \\\\.\\", remove(L"\\\\.\\Q:\\"), -1, {root(L"\\\\.\\Q:\\")}},
      {"a link to a root", remove(to_root), -1, {root(to_root)}},
      {"a drive's root is a folder", make(L"Q:\\n", false), 0, {}, {{L"Q:\\n\\", 0}}},
      {"a temporary folder there",
       [&] { return d.of_GetTempFilePath(L"Q:\\", L"t") == L"Q:\\tD9F44\\"; }, 1, {},
       {{L"Q:\\tD9F44\\", 0}}},
  };
  // clang-format on
  for (const Act& act : acts) {
    Play(act, Populate);
  }
}

TEST_F(Windows, PlansRemovalsFromWhatTheSystemAnswers) {
  using util::Removal;
  constexpr std::uint32_t kLink = 0x410, kFolder = 0x10, kSymlink = 0xA000000C,
                          kJunction = 0xA0000003, kCloud = 0x9000601A, kDedup = 0x80000013;
  struct Row {
    const char* what;
    util::FolderFacts facts;
    util::RemovalPlan plan;
  };
  // clang-format off
  const Row rows[] = {
      {"a drive", {0, L"\\\\?\\C:\\", L"C:\\", 0, kFolder}, {Removal::kRoot}},
      {"a folder", {0, L"\\\\?\\C:\\a", L"C:\\", 0, kFolder}, {Removal::kFolder}},
      {"an unlettered volume", {0, L"\\\\?\\Volume{1}\\", L"\\\\?\\Volume{1}\\", 0, kFolder}, {Removal::kRoot}},
      {"a mounted folder", {0, L"\\\\?\\C:\\mnt\\", L"C:\\mnt\\", 0, kLink, kJunction}, {Removal::kRoot}},
      {"a share", {0, L"\\\\?\\UNC\\s\\x\\", L"\\\\s\\x\\", 0, kFolder}, {Removal::kRoot}},
      {"a share's folder", {0, L"\\\\?\\UNC\\s\\x\\y", L"\\\\s\\x\\", 0, kFolder}, {Removal::kFolder}},
      {"answers that do not compare", {0, L"\\\\?\\Volume{1}\\a", L"C:\\", 0, kFolder}, {Removal::kRoot}},
      {"a symbolic link", {0, L"\\\\?\\D:\\t", L"D:\\", 0, kLink, kSymlink}, {Removal::kLink}},
      {"a link to a drive", {0, L"\\\\?\\D:\\", L"D:\\", 0, kLink, kSymlink}, {Removal::kRoot}},
      {"a dangling junction", {2, L"", L"", 0, kLink, kJunction}, {Removal::kLink}},
      {"a link, its tag untold", {0, L"\\\\?\\C:\\t", L"C:\\", 0, kLink, 0}, {Removal::kLink}},
      {"a cloud placeholder", {0, L"\\\\?\\C:\\a", L"C:\\", 0, kLink, kCloud}, {Removal::kFolder}},
      {"a deduplicated folder", {0, L"\\\\?\\C:\\a", L"C:\\", 0, kLink, kDedup}, {Removal::kFolder}},
      {"a file", {123, L"", L"", 0, 0x20}, {Removal::kRefused, 267}},
      {"a drive without a final path", {1, L"", L"", 0, kFolder}, {Removal::kRefused, 1}},
      {"an unreadable entry", {0, L"\\\\?\\C:\\a", L"C:\\", 5}, {Removal::kRefused, 5}},
      {"nothing readable", {3, L"", L"", 2}, {Removal::kRefused, 3}},
  };
  // clang-format on
  for (const Row& row : rows) {
    EXPECT_EQ(util::PlanRemoval(row.facts), row.plan) << row.what;
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
  const std::wstring first = dirs.of_GetTempFileName(At(L"T\\"), L"tmp", L"dat");
  EXPECT_EQ(first, At(L"T\\tmpD9F44.dat"));
  // The clock stands still: the same name comes first, unless something, even unlisted, is there.
  Make(first, 1, FILE_ATTRIBUTE_SYSTEM);
  EXPECT_NE(dirs.of_GetTempFileName(At(L"T\\"), L"tmp", L"dat"), first);
  EXPECT_TRUE(dirs.of_GetTempFileName(At(L"T\\"), L"ж", L"").starts_with(At(L"T\\ж")))
      << "a name the code page lacks is handed out once, not tried for ever";
}

}  // namespace
}  // namespace unit
