#include "util/cls_file_find.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake/fake_platform.h"

namespace {

using Names = std::vector<std::wstring>;

class FileFindTest : public testing::Test {
 protected:
  // Sets the finder up; FindAllEx must answer false whatever it finds.
  Names Find(bool search_dir, bool recursive, const std::wstring& path,
             const std::wstring& file_spec, bool add_path, Names files = {}, bool init = true) {
    finder.SearchDir(search_dir);
    finder.Recursive(recursive);
    finder.Path(path);
    finder.FileSpec(file_spec);
    EXPECT_FALSE(finder.FindAllEx(files, add_path, init));
    return files;
  }

  fake::FakePlatform fp;
  cls_FileFind finder;
};

TEST_F(FileFindTest, StartsInFileModeWithRecursionAndStoresPropertiesUnchanged) {
  EXPECT_FALSE(finder.SearchDir());
  EXPECT_TRUE(finder.Recursive());
  EXPECT_EQ(finder.Path(), L"");
  EXPECT_EQ(finder.FileSpec(), L"");
  finder.Path(L" C:/x ");
  finder.FileSpec(L"*.VSS ");
  EXPECT_EQ(finder.Path(), L" C:/x ");
  EXPECT_EQ(finder.FileSpec(), L"*.VSS ");
}

TEST_F(FileFindTest, ListsFilesOrFolderLikeNames) {
  fp.files.AddFolder("C:\\V\\1033");
  fp.files.AddFolder("C:\\V\\System.old");
  fp.files.AddFile("C:\\V\\readme.txt");
  fp.files.AddFile("C:\\V\\README");
  fp.files.AddFile("C:\\V\\ro.vss", "", platform::attr::kReadOnly);
  fp.files.AddFolder("C:\\V\\Hid", platform::attr::kHidden);
  fp.files.AddFolder("C:\\V\\Sys", platform::attr::kSystem);
  fp.files.AddFile("C:\\V\\h.vss", "", platform::attr::kHidden);
  fp.files.AddFile("C:\\V\\s", "", platform::attr::kSystem);
  fp.files.AddFile("C:\\V1.vss");
  fp.files.AddFile("C:\\W.vss");
  struct Case {
    const char* name;
    bool search_dir;
    bool recursive;
    std::wstring path;
    std::wstring file_spec;
    bool add_path;
    Names expected;
  };
  const Case cases[] = {
      {"folders", true, false, L"C:\\V\\", L"*", false, {L"", L"1033\\", L"README\\"}},
      {"folders with path",
       true,
       false,
       L"C:\\V\\",
       L"*",
       true,
       {L"", L"C:\\V\\1033\\", L"C:\\V\\README\\"}},
      {"files", false, false, L"C:\\V\\", L"*", false, {L"", L"README", L"readme.txt", L"ro.vss"}},
      {"files, recursive",
       false,
       true,
       L"C:\\V\\",
       L"*",
       false,
       {L"", L"README", L"readme.txt", L"ro.vss"}},
      {"files with path", false, false, L"C:\\V\\", L"*.vss", true, {L"", L"C:\\V\\ro.vss"}},
      {"path without separator", false, false, L"C:\\V", L"*", true, {L"", L"C:\\VV1.vss"}},
      {"folders, path without separator", true, false, L"C:\\V", L"*", false, {L"", L"V\\"}},
      {"missing folder", true, true, L"C:\\none\\", L"*", false, {L""}},
      {"nothing matches", false, false, L"C:\\V\\", L"*.doc", false, {L""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Find(c.search_dir, c.recursive, c.path, c.file_spec, c.add_path, {L"old", L"x"}),
              c.expected)
        << c.name;
  }
}

TEST_F(FileFindTest, RecursiveFolderSearchListsEachFolderBeforeDescending) {
  for (const char* folder : {"C:\\T\\B\\D\\G", "C:\\T\\B\\F", "C:\\T\\C\\E", "C:\\T\\x.y\\Z"}) {
    fp.files.AddFolder(folder);
  }
  fp.files.AddFile("C:\\T\\B\\note.txt");
  const Names tree = {L"",
                      L"C:\\T\\B\\",
                      L"C:\\T\\C\\",
                      L"C:\\T\\B\\D\\",
                      L"C:\\T\\B\\F\\",
                      L"C:\\T\\B\\D\\G\\",
                      L"C:\\T\\C\\E\\"};
  EXPECT_EQ(Find(true, true, L"C:\\T\\", L"*", false), tree);
  EXPECT_EQ(fp.files.OpenSearches(), 0u);

  // Appending: the old entries stay and only the new ones are searched.
  const Names before = {L"zero", L"C:\\T\\B\\", L"C:\\T\\C\\", L"kept"};
  Names appended = before;
  appended.insert(appended.end(), tree.begin() + 1, tree.end());
  EXPECT_EQ(Find(true, true, L"C:\\T\\", L"*", false, before, false), appended);

  const Names fresh = {L"", L"C:\\T\\C\\E\\"};
  EXPECT_EQ(Find(true, true, L"C:\\T\\C\\", L"*", false, {}, false), fresh);
  EXPECT_EQ(Find(false, true, L"C:\\T\\B\\", L"*", false, {L"a", L"b"}, false),
            (Names{L"a", L"b", L"note.txt"}));
}

TEST_F(FileFindTest, StoresAtMost32767Entries) {
  for (int i = 0; i < 32769; ++i) {
    fp.files.AddFile("C:\\M\\" + std::to_string(i));
  }
  Names files = Find(false, false, L"C:\\M\\", L"*", false);
  ASSERT_EQ(files.size(), 32768u);
  EXPECT_EQ(files[0], L"");
  EXPECT_EQ(files[32767], L"9997");

  files = Find(true, true, L"C:\\M\\", L"*", false, Names(32760, L"x"), false);
  EXPECT_EQ(files.size(), 32768u);
  EXPECT_EQ(files[32760], L"C:\\M\\0\\");
  EXPECT_EQ(files[32767], L"C:\\M\\10002\\");
}

}  // namespace
