#include "util/cls_file_find.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"

namespace {

using Names = std::vector<std::wstring>;

class FileFindTest : public testing::Test {
 protected:
  // FindAllEx answers false whatever it finds.
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

TEST_F(FileFindTest, ListsFilesOrFolderLikeNames) {
  for (const char* folder : {"C:\\V\\1033", "C:\\V\\System.old"}) {
    fp.files.AddFolder(folder);
  }
  for (const char* file : {"C:\\V\\readme.txt", "C:\\V\\README", "C:\\V1.vss", "C:\\W.vss"}) {
    fp.files.AddFile(file);
  }
  fp.files.AddFile("C:\\V\\ro.vss", "", platform::attr::kReadOnly);
  fp.files.AddFolder("C:\\V\\Hid", platform::attr::kHidden);
  fp.files.AddFolder("C:\\V\\Sys", platform::attr::kSystem);
  fp.files.AddFile("C:\\V\\h.vss", "", platform::attr::kHidden);
  fp.files.AddFile("C:\\V\\s", "", platform::attr::kSystem);
  struct Case {
    bool search_dir;
    bool recursive;
    std::wstring path;
    std::wstring file_spec;
    bool add_path;
    Names expected;
  };
  const Case cases[] = {
      {true, false, L"C:\\V\\", L"*", false, {L"", L"1033\\", L"README\\"}},
      {true, false, L"C:\\V\\", L"*", true, {L"", L"C:\\V\\1033\\", L"C:\\V\\README\\"}},
      {false, false, L"C:\\V\\", L"*", false, {L"", L"README", L"readme.txt", L"ro.vss"}},
      {false, true, L"C:\\V\\", L"*", false, {L"", L"README", L"readme.txt", L"ro.vss"}},
      {false, false, L"C:\\V\\", L"*.vss", true, {L"", L"C:\\V\\ro.vss"}},
      {false, false, L"C:\\V", L"*", true, {L"", L"C:\\VV1.vss"}},
      {true, false, L"C:\\V", L"*", false, {L"", L"V\\"}},
      {true, true, L"C:\\none\\", L"*", false, {L""}},
      {false, false, L"C:\\V\\", L"*.doc", false, {L""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Find(c.search_dir, c.recursive, c.path, c.file_spec, c.add_path, {L"old", L"x"}),
              c.expected)
        << c.search_dir << c.recursive << c.add_path << " " << c.path << c.file_spec;
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
  EXPECT_EQ(Find(true, true, L"C:\\T\\C\\", L"*", false, {}, false),
            (Names{L"", L"C:\\T\\C\\E\\"}));
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
