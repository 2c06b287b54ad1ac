#include "util/cls_file.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "platform/ansi.h"

namespace {

using fake::ShownBox;
namespace mb = platform::mb;
namespace file_error = platform::file_error;

constexpr std::uint32_t kCritical = mb::kOk | mb::kIconCritical;

class FileTest : public testing::Test {
 protected:
  std::wstring Cause(std::uint32_t code) { return platform::Wide(fp.files.ErrorText(code)); }
  // The boxes shown since the last call.
  std::vector<ShownBox> NewBoxes() {
    const auto& all = fp.dialogs.Shown();
    std::vector<ShownBox> boxes(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
    seen_ = all.size();
    return boxes;
  }

  fake::FakePlatform fp;
  cls_File file;
  std::size_t seen_ = 0;
};

TEST_F(FileTest, PathsSplitAndNormalise) {
  using Call = std::wstring (cls_File::*)(const std::wstring&);
  const Call fix = &cls_File::of_FixPath, drive = &cls_File::of_GetDrive,
             name = &cls_File::of_GetFileName, folder = &cls_File::of_GetFilePath;
  const std::tuple<Call, std::wstring, std::wstring> cases[] = {
      {fix, L"", L"\\"},
      {fix, L"C:", L"C:\\"},
      {fix, L"C:/a", L"C:\\a\\"},
      {fix, L"C:\\a\\\\", L"C:\\a\\\\"},
      {fix, L" c:\\x ", L" c:\\x \\"},
      {drive, L"c:\\x", L"c"},
      {drive, L"   D:x", L"D"},
      {drive, L"\\\\server\\share", L""},
      {drive, L"b.txt", L""},
      {name, L"C:\\a\\b.txt", L"b.txt"},
      {name, L"C:/a/b.txt", L"b.txt"},
      {name, L"C:\\a\\", L""},
      {name, L"b.txt", L"b.txt"},
      {folder, L"C:\\a\\b.txt", L"C:\\a\\"},
      {folder, L"C:/a/b.txt", L"C:\\a\\"},
      {folder, L"C:\\a\\", L"C:\\a\\"},
      {folder, L"\\b.txt", L"\\"},
      {folder, L"b.txt", L""},
      {folder, L"C:b.txt", L""},
  };
  for (const auto& [call, in, out] : cases) {
    EXPECT_EQ((file.*call)(in), out) << platform::Ansi(in);
  }
}

TEST_F(FileTest, IsFileAcceptsOnlyExistingOrdinaryFiles) {
  fp.files.AddFile("C:\\d\\plain.txt");
  fp.files.AddFile("C:\\d\\ro.txt", "", platform::attr::kReadOnly);
  fp.files.AddFile("C:\\d\\hid.txt", "", platform::attr::kHidden);
  fp.files.AddFile("C:\\d\\sys.txt", "", platform::attr::kSystem);
  fp.files.AddFolder("C:\\d\\sub");
  const std::pair<std::wstring, bool> cases[] = {
      {L"C:\\d\\plain.txt", true}, {L"c:/D/PLAIN.TXT", true},   {L"C:\\d\\ro.txt", true},
      {L"C:\\d\\hid.txt", false},  {L"C:\\d\\sys.txt", false},  {L"C:\\d\\sub", false},
      {L"C:\\d\\", false},         {L"C:\\d\\none.txt", false}, {L"", false},
  };
  for (const auto& [path, is_file] : cases) {
    EXPECT_EQ(file.of_IsFile(path), is_file) << platform::Ansi(path);
    EXPECT_EQ(file.of_IsFileEx(path, false), is_file) << platform::Ansi(path);
    EXPECT_EQ(NewBoxes(), std::vector<ShownBox>{}) << platform::Ansi(path);
    EXPECT_EQ(file.of_IsFileEx(path, true), is_file) << platform::Ansi(path);
    const ShownBox missing{L"File not found: " + path, mb::kOk | mb::kIconExclamation};
    EXPECT_EQ(NewBoxes(), is_file ? std::vector<ShownBox>{} : std::vector{missing})
        << platform::Ansi(path);
  }
  // A failed query is taken as no attributes at all, unless it says the file is not there.
  const std::tuple<std::wstring, std::uint32_t, bool> failures[] = {
      {L"C:\\d\\plain.txt", file_error::kAccessDenied, true},
      {L"C:\\d\\", file_error::kAccessDenied, true},
      {L"C:\\d\\plain.txt", file_error::kFileNotFound, false},
      {L"C:\\d\\plain.txt", file_error::kPathNotFound, false},
  };
  for (const auto& [path, code, is_file] : failures) {
    fp.faults.FailOp("GetFileAttributesA", code);
    EXPECT_EQ(file.of_IsFile(path), is_file) << platform::Ansi(path) << " " << code;
  }
}

TEST_F(FileTest, DeleteAsksWhenToldAndReportsFailures) {
  constexpr std::uint32_t kMissing = 0xFFFF;
  struct Case {
    std::string name;
    std::uint32_t attributes;
    bool confirm;
    int answer;  // 0: not asked
    std::int16_t status;
    bool remains;
    bool fails;
  };
  const Case cases[] = {
      {"missing.txt", kMissing, true, 0, 0, false, false},
      {"hidden.txt", platform::attr::kHidden, true, 0, 0, true, false},
      {"no.txt", platform::attr::kArchive, true, mb::kIdNo, -1, true, false},
      {"yes.txt", platform::attr::kArchive, true, mb::kIdYes, 0, false, false},
      {"unasked.txt", platform::attr::kArchive, false, 0, 0, false, false},
      {"ro.txt", platform::attr::kReadOnly, true, mb::kIdYes, -1, true, true},
  };
  for (const Case& c : cases) {
    const std::string narrow = "C:\\d\\" + c.name;
    const std::wstring path = platform::Wide(narrow);
    if (c.attributes != kMissing) {
      fp.files.AddFile(narrow, "", c.attributes);
    }
    std::vector<ShownBox> expected;
    if (c.answer != 0) {
      fp.dialogs.Answer(c.answer);
      expected.push_back({L"Sure to delete file \"" + path + L"\"?",
                          mb::kYesNo | mb::kIconExclamation | mb::kDefaultButton2});
    }
    if (c.fails) {
      expected.push_back(
          {L"Failed to delete file \"" + path + L"\": " + Cause(file_error::kAccessDenied),
           kCritical});
    }
    EXPECT_EQ(file.of_Delete(path, c.confirm), c.status) << c.name;
    EXPECT_EQ(fp.files.Exists(narrow), c.remains) << c.name;
    EXPECT_EQ(NewBoxes(), expected) << c.name;
  }
}

TEST_F(FileTest, DeleteFilesDeletesInTheFolderItListedUpToAFailure) {
  for (const char* path : {"C:\\d\\a.tmp", "C:\\d\\b.tmp", "C:\\d\\c.tmp", "C:\\d\\keep.txt",
                           "D:\\x.tmp", "D:\\y.tmp", "C:\\cur\\x.tmp", "C:\\cur\\z.tmp"}) {
    fp.files.AddFile(path);
  }
  fp.files.HoldOpen("C:\\d\\b.tmp");
  ASSERT_EQ(fp.files.SetCurrentFolder("C:\\cur"), 0u);
  EXPECT_EQ(file.of_DeleteFiles(L"C:\\d\\*.tmp", true), -1);
  EXPECT_EQ(NewBoxes(), (std::vector<ShownBox>{{L"Failed to delete file \"C:\\d\\b.tmp\": " +
                                                    Cause(file_error::kSharingViolation),
                                                kCritical}}));
  EXPECT_EQ(file.of_DeleteFiles(L"C:\\d\\*.none", true), 0);
  EXPECT_EQ(file.of_DeleteFiles(L"D:*.tmp", false), 0);
  EXPECT_EQ(fp.files.AllPaths(),
            (std::vector<std::string>{"C:\\", "C:\\cur\\", "C:\\cur\\x.tmp", "C:\\cur\\z.tmp",
                                      "C:\\d\\", "C:\\d\\b.tmp", "C:\\d\\c.tmp", "C:\\d\\keep.txt",
                                      "C:\\users\\", "C:\\users\\root\\", "C:\\users\\root\\Temp\\",
                                      "C:\\windows\\", "C:\\windows\\system32\\", "D:\\"}));
  EXPECT_EQ(file.of_DeleteFiles(L"*.tmp", false), 0);
  EXPECT_FALSE(fp.files.Exists("C:\\cur\\x.tmp") || fp.files.Exists("C:\\cur\\z.tmp"));
  EXPECT_TRUE(NewBoxes().empty());
}

TEST_F(FileTest, FileCountCountsOrdinaryFilesAndStopsAt32767) {
  fp.files.AddFile("C:\\d\\a.txt");
  fp.files.AddFile("C:\\d\\B.TXT", "", platform::attr::kReadOnly);
  fp.files.AddFile("C:\\d\\h.txt", "", platform::attr::kHidden);
  fp.files.AddFile("C:\\d\\s.txt", "", platform::attr::kSystem);
  fp.files.AddFolder("C:\\d\\sub.txt");
  fp.files.AddFile("C:\\d\\c.dat");
  EXPECT_EQ(file.of_GetFileCount(L"C:\\d\\", L"txt"), 2);
  EXPECT_EQ(file.of_GetFileCount(L"C:\\missing\\", L"txt"), 0);
  for (int i = 0; i < 32769; ++i) {
    fp.files.AddFile("C:\\many\\" + std::to_string(i) + ".vss");
  }
  EXPECT_EQ(file.of_GetFileCount(L"C:\\many\\", L"vss"), 32767);
}

TEST_F(FileTest, CopyReplacesAndCompletesAFolderDestination) {
  fp.files.AddFile("C:\\src\\s.vss", "new");
  fp.files.AddFile("C:\\dst\\t.vss", "old");
  fp.files.AddFile("C:\\dst\\s.vss", "old");
  EXPECT_EQ(file.of_Copy(L"C:\\src\\s.vss", L"C:\\dst\\t.vss", false), 0);
  EXPECT_EQ(fp.files.Contents("C:\\dst\\t.vss"), "new");
  EXPECT_EQ(file.of_CopyEx(L"C:\\src\\s.vss", L"C:/dst/", true, true), 0);
  EXPECT_EQ(fp.files.Contents("C:\\dst\\s.vss"), "new");
  EXPECT_TRUE(NewBoxes().empty());
  fp.files.HoldOpen("C:\\dst\\s.vss");
  EXPECT_EQ(file.of_CopyEx(L"C:\\src\\s.vss", L"C:\\dst\\", false, false), -1);
  EXPECT_EQ(file.of_Copy(L"C:\\src\\gone.vss", L"C:\\dst\\x.vss", false), -1);
  EXPECT_FALSE(fp.files.Exists("C:\\dst\\x.vss"));
  EXPECT_EQ(NewBoxes(), (std::vector<ShownBox>{
                            {L"Failed to copy file \"C:\\src\\s.vss\" to \"C:\\dst\\s.vss\": " +
                                 Cause(file_error::kSharingViolation),
                             kCritical},
                            {L"Failed to copy file \"C:\\src\\gone.vss\" to \"C:\\dst\\x.vss\": " +
                                 Cause(file_error::kFileNotFound),
                             kCritical}}));
}

TEST_F(FileTest, CopyFilesCopiesOrdinaryMatchesUntilOneFails) {
  for (const char* name : {"a.vss", "b.vss", "c.vss", "d.txt"}) {
    fp.files.AddFile("C:\\src\\" + std::string(name), name);
  }
  fp.files.AddFile("C:\\src\\h.vss", "h", platform::attr::kHidden);
  fp.files.AddFolder("C:\\dst");
  EXPECT_EQ(file.of_CopyFiles(L"*.vss", L"C:\\src\\", L"C:\\dst\\"), 0);
  EXPECT_EQ(file.of_CopyFiles(L"*.none", L"C:\\src\\", L"C:\\dst\\"), 0);
  fp.files.Erase("C:\\src");
  fp.files.AddFile("C:\\src\\b.vss", "b2");
  fp.files.AddFile("C:\\src\\c.vss", "c2");
  fp.files.HoldOpen("C:\\dst\\b.vss");
  EXPECT_EQ(file.of_CopyFilesEx(L"*.vss", L"C:\\src\\", L"C:\\dst\\", true), -1);
  const std::vector<std::string> all = fp.files.AllPaths();
  EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 6),
            (std::vector<std::string>{"C:\\", "C:\\dst\\", "C:\\dst\\a.vss", "C:\\dst\\b.vss",
                                      "C:\\dst\\c.vss", "C:\\src\\"}));
  EXPECT_EQ(fp.files.Contents("C:\\dst\\c.vss"), "c.vss");
  EXPECT_EQ(NewBoxes().size(), 1u);
}

TEST_F(FileTest, RenameKeepsTheFolderAndWarnsOnlyWhenAsked) {
  fp.files.AddFile("C:\\a\\x.txt", "x");
  EXPECT_EQ(file.of_Rename(L"C:\\a\\x.txt", L"D:\\b\\y.txt"), 0);
  EXPECT_EQ(fp.files.Contents("C:\\a\\y.txt"), "x");
  EXPECT_FALSE(fp.files.Exists("C:\\a\\x.txt"));
  fp.files.AddFile("C:\\a\\x.txt", "x2");
  EXPECT_EQ(file.of_Rename(L"C:\\a\\x.txt", L"y.txt"), -1);
  EXPECT_EQ(file.of_Rename(L"C:\\a\\x.txt", L"y.txt", false), -1);
  EXPECT_TRUE(NewBoxes().empty());
  EXPECT_EQ(file.of_Rename(L"C:\\a\\x.txt", L"y.txt", true), -1);
  EXPECT_EQ(
      NewBoxes(),
      (std::vector<ShownBox>{{L"Failed to rename file from \"C:\\a\\x.txt\" to \"C:\\a\\y.txt\": " +
                                  Cause(file_error::kAlreadyExists),
                              kCritical}}));
  EXPECT_EQ(fp.files.Contents("C:\\a\\y.txt"), "x");
}

}  // namespace
