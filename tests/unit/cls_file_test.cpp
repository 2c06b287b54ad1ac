#include "util/cls_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake/fake_platform.h"
#include "platform/ansi.h"

namespace {

using fake::ShownBox;
namespace mb = platform::mb;

constexpr std::uint32_t kCritical = mb::kOk | mb::kIconCritical;

class FileTest : public testing::Test {
 protected:
  std::wstring Cause(std::uint32_t code) { return platform::Wide(fp.files.ErrorText(code)); }
  static ShownBox Box(const std::wstring& text, std::uint32_t style) {
    return {text, L"Brenvic Visio", style};
  }

  fake::FakePlatform fp;
  cls_File file;
};

TEST_F(FileTest, PathsSplitAndNormalise) {
  struct Case {
    const char* op;
    std::wstring (cls_File::*call)(const std::wstring&);
    std::wstring in;
    std::wstring out;
  };
  const Case cases[] = {
      {"FixPath", &cls_File::of_FixPath, L"", L"\\"},
      {"FixPath", &cls_File::of_FixPath, L"C:", L"C:\\"},
      {"FixPath", &cls_File::of_FixPath, L"C:/a", L"C:\\a\\"},
      {"FixPath", &cls_File::of_FixPath, L"C:\\a\\\\", L"C:\\a\\\\"},
      {"FixPath", &cls_File::of_FixPath, L" c:\\x ", L" c:\\x \\"},
      {"GetDrive", &cls_File::of_GetDrive, L"c:\\x", L"c"},
      {"GetDrive", &cls_File::of_GetDrive, L"   D:x", L"D"},
      {"GetDrive", &cls_File::of_GetDrive, L"\\\\server\\share", L""},
      {"GetDrive", &cls_File::of_GetDrive, L"b.txt", L""},
      {"GetDrive", &cls_File::of_GetDrive, L"", L""},
      {"GetFileName", &cls_File::of_GetFileName, L"C:\\a\\b.txt", L"b.txt"},
      {"GetFileName", &cls_File::of_GetFileName, L"C:/a/b.txt", L"b.txt"},
      {"GetFileName", &cls_File::of_GetFileName, L"C:\\a\\", L""},
      {"GetFileName", &cls_File::of_GetFileName, L"b.txt", L"b.txt"},
      {"GetFileName", &cls_File::of_GetFileName, L"", L""},
      {"GetFilePath", &cls_File::of_GetFilePath, L"C:\\a\\b.txt", L"C:\\a\\"},
      {"GetFilePath", &cls_File::of_GetFilePath, L"C:/a/b.txt", L"C:\\a\\"},
      {"GetFilePath", &cls_File::of_GetFilePath, L"C:\\a\\", L"C:\\a\\"},
      {"GetFilePath", &cls_File::of_GetFilePath, L"\\b.txt", L"\\"},
      {"GetFilePath", &cls_File::of_GetFilePath, L"b.txt", L""},
      {"GetFilePath", &cls_File::of_GetFilePath, L"C:b.txt", L""},
      {"GetFilePath", &cls_File::of_GetFilePath, L"", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ((file.*c.call)(c.in), c.out) << c.op << "(" << platform::Ansi(c.in) << ")";
  }
}

TEST_F(FileTest, IsFileAcceptsOnlyExistingOrdinaryFiles) {
  fp.files.AddFile("C:\\d\\plain.txt");
  fp.files.AddFile("C:\\d\\ro.txt", "", platform::attr::kReadOnly);
  fp.files.AddFile("C:\\d\\hid.txt", "", platform::attr::kHidden);
  fp.files.AddFile("C:\\d\\sys.txt", "", platform::attr::kSystem);
  fp.files.AddFolder("C:\\d\\sub");
  struct Case {
    std::wstring path;
    bool is_file;
  };
  const Case cases[] = {
      {L"C:\\d\\plain.txt", true}, {L"c:/D/PLAIN.TXT", true},   {L"C:\\d\\ro.txt", true},
      {L"C:\\d\\hid.txt", false},  {L"C:\\d\\sys.txt", false},  {L"C:\\d\\sub", false},
      {L"C:\\d\\", false},         {L"C:\\d\\none.txt", false}, {L"", false},
  };
  for (const Case& c : cases) {
    const std::size_t before = fp.dialogs.Shown().size();
    EXPECT_EQ(file.of_IsFile(c.path), c.is_file) << platform::Ansi(c.path);
    EXPECT_EQ(file.of_IsFileEx(c.path, false), c.is_file) << platform::Ansi(c.path);
    EXPECT_EQ(fp.dialogs.Shown().size(), before) << platform::Ansi(c.path);
    EXPECT_EQ(file.of_IsFileEx(c.path, true), c.is_file) << platform::Ansi(c.path);
    std::vector<ShownBox> expected;
    if (!c.is_file) {
      expected.push_back(Box(L"File not found: " + c.path, mb::kOk | mb::kIconExclamation));
    }
    EXPECT_EQ(std::vector<ShownBox>(fp.dialogs.Shown().begin() + before, fp.dialogs.Shown().end()),
              expected)
        << platform::Ansi(c.path);
  }
}

TEST_F(FileTest, IsFileTakesAFailedAttributeQueryAsNoAttributesUnlessNotFound) {
  fp.files.AddFile("C:\\d\\plain.txt");
  struct Case {
    std::wstring path;
    std::uint32_t code;
    bool is_file;
  };
  const Case cases[] = {
      {L"C:\\d\\plain.txt", platform::file_error::kAccessDenied, true},
      {L"C:\\d\\", platform::file_error::kAccessDenied, true},
      {L"C:\\d\\plain.txt", platform::file_error::kFileNotFound, false},
      {L"C:\\d\\plain.txt", platform::file_error::kPathNotFound, false},
  };
  for (const Case& c : cases) {
    fp.faults.FailOp("GetFileAttributesA", c.code);
    EXPECT_EQ(file.of_IsFile(c.path), c.is_file) << platform::Ansi(c.path) << " " << c.code;
  }
}

TEST_F(FileTest, DeleteAsksWhenToldAndReportsFailures) {
  constexpr std::uint32_t kMissing = 0xFFFF;
  struct Case {
    std::string name;
    std::uint32_t attributes;
    bool confirm;
    int answer;
    std::int16_t status;
    bool remains;
    bool asked;
    std::uint32_t failure;
  };
  const Case cases[] = {
      {"missing.txt", kMissing, true, mb::kIdYes, 0, false, false, 0},
      {"hidden.txt", platform::attr::kHidden, true, mb::kIdYes, 0, true, false, 0},
      {"no.txt", platform::attr::kArchive, true, mb::kIdNo, -1, true, true, 0},
      {"yes.txt", platform::attr::kArchive, true, mb::kIdYes, 0, false, true, 0},
      {"unasked.txt", platform::attr::kArchive, false, mb::kIdNo, 0, false, false, 0},
      {"ro.txt", platform::attr::kReadOnly, true, mb::kIdYes, -1, true, true,
       platform::file_error::kAccessDenied},
  };
  for (const Case& c : cases) {
    const std::string narrow = "C:\\d\\" + c.name;
    const std::wstring path = platform::Wide(narrow);
    if (c.attributes != kMissing) {
      fp.files.AddFile(narrow, "", c.attributes);
    }
    const std::size_t before = fp.dialogs.Shown().size();
    if (c.asked) {
      fp.dialogs.Answer(c.answer);
    }
    EXPECT_EQ(file.of_Delete(path, c.confirm), c.status) << c.name;
    EXPECT_EQ(fp.files.Exists(narrow), c.remains) << c.name;
    std::vector<ShownBox> expected;
    if (c.asked) {
      expected.push_back(Box(L"Sure to delete file \"" + path + L"\"?",
                             mb::kYesNo | mb::kIconExclamation | mb::kDefaultButton2));
    }
    if (c.failure != 0) {
      expected.push_back(
          Box(L"Failed to delete file \"" + path + L"\": " + Cause(c.failure), kCritical));
    }
    EXPECT_EQ(std::vector<ShownBox>(fp.dialogs.Shown().begin() + before, fp.dialogs.Shown().end()),
              expected)
        << c.name;
  }
}

TEST_F(FileTest, DeleteFilesStopsAtTheFirstFailureWithoutAsking) {
  fp.files.AddFile("C:\\d\\a.tmp");
  fp.files.AddFile("C:\\d\\b.tmp");
  fp.files.AddFile("C:\\d\\c.tmp");
  fp.files.AddFile("C:\\d\\keep.txt");
  fp.files.HoldOpen("C:\\d\\b.tmp");

  EXPECT_EQ(file.of_DeleteFiles(L"C:\\d\\*.tmp", true), -1);

  EXPECT_FALSE(fp.files.Exists("C:\\d\\a.tmp"));
  EXPECT_TRUE(fp.files.Exists("C:\\d\\b.tmp"));
  EXPECT_TRUE(fp.files.Exists("C:\\d\\c.tmp"));
  EXPECT_TRUE(fp.files.Exists("C:\\d\\keep.txt"));
  const std::vector<ShownBox> boxes = {Box(
      L"Failed to delete file \"C:\\d\\b.tmp\": " + Cause(platform::file_error::kSharingViolation),
      kCritical)};
  EXPECT_EQ(fp.dialogs.Shown(), boxes);
  EXPECT_EQ(file.of_DeleteFiles(L"C:\\d\\*.none", true), 0);
}

TEST_F(FileTest, DeleteFilesDeletesInTheFolderItListed) {
  fp.files.AddDrive('D');
  fp.files.AddFile("D:\\x.tmp");
  fp.files.AddFile("D:\\y.tmp");
  fp.files.AddFile("C:\\cur\\x.tmp");
  fp.files.AddFile("C:\\cur\\z.tmp");
  ASSERT_EQ(fp.files.SetCurrentFolder("C:\\cur"), 0u);

  EXPECT_EQ(file.of_DeleteFiles(L"D:*.tmp", false), 0);
  EXPECT_FALSE(fp.files.Exists("D:\\x.tmp"));
  EXPECT_FALSE(fp.files.Exists("D:\\y.tmp"));
  EXPECT_TRUE(fp.files.Exists("C:\\cur\\x.tmp"));

  EXPECT_EQ(file.of_DeleteFiles(L"*.tmp", false), 0);
  EXPECT_FALSE(fp.files.Exists("C:\\cur\\x.tmp"));
  EXPECT_FALSE(fp.files.Exists("C:\\cur\\z.tmp"));
  EXPECT_TRUE(fp.dialogs.Shown().empty());
}

TEST_F(FileTest, FileCountCountsOrdinaryFilesAndStopsAt32767) {
  fp.files.AddFile("C:\\d\\a.txt");
  fp.files.AddFile("C:\\d\\B.TXT", "", platform::attr::kReadOnly);
  fp.files.AddFile("C:\\d\\h.txt", "", platform::attr::kHidden);
  fp.files.AddFile("C:\\d\\s.txt", "", platform::attr::kSystem);
  fp.files.AddFolder("C:\\d\\sub.txt");
  fp.files.AddFile("C:\\d\\c.dat");
  EXPECT_EQ(file.of_GetFileCount(L"C:\\d\\", L"txt"), 2);
  EXPECT_EQ(file.of_GetFileCount(L"C:\\d\\", L"vss"), 0);
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
  EXPECT_TRUE(fp.dialogs.Shown().empty());

  fp.files.HoldOpen("C:\\dst\\s.vss");
  EXPECT_EQ(file.of_CopyEx(L"C:\\src\\s.vss", L"C:\\dst\\", false, false), -1);
  EXPECT_EQ(file.of_Copy(L"C:\\src\\gone.vss", L"C:\\dst\\x.vss", false), -1);
  EXPECT_FALSE(fp.files.Exists("C:\\dst\\x.vss"));
  const std::vector<ShownBox> boxes = {
      Box(L"Failed to copy file \"C:\\src\\s.vss\" to \"C:\\dst\\s.vss\": " +
              Cause(platform::file_error::kSharingViolation),
          kCritical),
      Box(L"Failed to copy file \"C:\\src\\gone.vss\" to \"C:\\dst\\x.vss\": " +
              Cause(platform::file_error::kFileNotFound),
          kCritical)};
  EXPECT_EQ(fp.dialogs.Shown(), boxes);
}

TEST_F(FileTest, CopyFilesCopiesOrdinaryMatchesUntilOneFails) {
  fp.files.AddFile("C:\\src\\a.vss", "a");
  fp.files.AddFile("C:\\src\\b.vss", "b");
  fp.files.AddFile("C:\\src\\c.vss", "c");
  fp.files.AddFile("C:\\src\\h.vss", "h", platform::attr::kHidden);
  fp.files.AddFile("C:\\src\\d.txt", "d");
  fp.files.AddFolder("C:\\dst");

  EXPECT_EQ(file.of_CopyFiles(L"*.vss", L"C:\\src\\", L"C:\\dst\\"), 0);
  const std::vector<std::string> copied = {"C:\\dst\\", "C:\\dst\\a.vss", "C:\\dst\\b.vss",
                                           "C:\\dst\\c.vss"};
  std::vector<std::string> in_dst;
  for (const std::string& p : fp.files.AllPaths()) {
    if (p.rfind("C:\\dst\\", 0) == 0) {
      in_dst.push_back(p);
    }
  }
  EXPECT_EQ(in_dst, copied);
  EXPECT_EQ(file.of_CopyFiles(L"*.none", L"C:\\src\\", L"C:\\dst\\"), 0);

  fp.files.AddFile("C:\\src\\b.vss", "b2");
  fp.files.AddFile("C:\\src\\c.vss", "c2");
  fp.files.HoldOpen("C:\\dst\\b.vss");
  EXPECT_EQ(file.of_CopyFilesEx(L"*.vss", L"C:\\src\\", L"C:\\dst\\", true), -1);
  EXPECT_EQ(fp.files.Contents("C:\\dst\\c.vss"), "c");
  EXPECT_EQ(fp.dialogs.Shown().size(), 1u);
}

TEST_F(FileTest, RenameKeepsTheFolderAndWarnsOnlyWhenAsked) {
  fp.files.AddFile("C:\\a\\x.txt", "x");
  EXPECT_EQ(file.of_Rename(L"C:\\a\\x.txt", L"D:\\b\\y.txt"), 0);
  EXPECT_EQ(fp.files.Contents("C:\\a\\y.txt"), "x");
  EXPECT_FALSE(fp.files.Exists("C:\\a\\x.txt"));

  fp.files.AddFile("C:\\a\\x.txt", "x2");
  EXPECT_EQ(file.of_Rename(L"C:\\a\\x.txt", L"y.txt"), -1);
  EXPECT_EQ(file.of_Rename(L"C:\\a\\x.txt", L"y.txt", false), -1);
  EXPECT_TRUE(fp.dialogs.Shown().empty());
  EXPECT_EQ(file.of_Rename(L"C:\\a\\x.txt", L"y.txt", true), -1);
  const std::vector<ShownBox> boxes = {
      Box(L"Failed to rename file from \"C:\\a\\x.txt\" to \"C:\\a\\y.txt\": " +
              Cause(platform::file_error::kAlreadyExists),
          kCritical)};
  EXPECT_EQ(fp.dialogs.Shown(), boxes);
  EXPECT_EQ(fp.files.Contents("C:\\a\\y.txt"), "x");
}

}  // namespace
