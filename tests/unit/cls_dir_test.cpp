#include "util/cls_dir.h"

#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "platform/ansi.h"

namespace {

using fake::ShownBox;
using Paths = std::vector<std::string>;
namespace mb = platform::mb;
namespace file_error = platform::file_error;

constexpr std::uint32_t kExclamation = mb::kOk | mb::kIconExclamation;
const std::wstring kUnfollowable = L"The path cannot be followed past a leading or doubled \"\\\".";

std::wstring Cause(fake::FakePlatform& fp, std::uint32_t code) {
  return platform::Wide(fp.files.ErrorText(code));
}

TEST(DirTest, IsDirectoryTellsFoldersFromFilesAndRoots) {
  fake::FakePlatform fp;
  fp.files.AddFile("C:\\d\\f.txt");
  fp.files.AddFile("C:\\d\\h.txt", "", platform::attr::kHidden);
  fp.files.AddFolder("C:\\d\\hid", platform::attr::kHidden);
  fp.files.AddFolder("C:\\d\\sys", platform::attr::kSystem);
  fp.files.AddFolder("C:\\d\\empty");
  cls_Dir dir;
  struct Case {
    std::wstring path;
    bool listed;  // what the plain form answers
    bool folder;  // what the strict form answers
  };
  const Case cases[] = {
      {L"C:\\d\\f.txt", true, false},  {L"C:\\d\\h.txt", true, false}, {L"C:\\", true, false},
      {L"C:\\d", true, true},          {L"c:/D/", false, true},        {L"C:\\d\\hid", true, true},
      {L"C:\\d\\empty\\", true, true}, {L"C:\\d\\none", false, false}, {L"", false, false},
      {L"   ", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dir.of_IsDirectory(c.path), c.listed) << platform::Ansi(c.path);
    EXPECT_EQ(dir.of_IsDirectoryEx(c.path, false), c.listed) << platform::Ansi(c.path);
    EXPECT_EQ(dir.of_IsDirectoryEx(c.path, true), c.folder) << platform::Ansi(c.path);
  }
  EXPECT_FALSE(dir.of_IsDirectory(L"C:\\d\\sys"));
}

TEST(DirTest, CreateDirectoryMakesMissingFoldersAskingOnce) {
  struct Case {
    std::wstring path;
    bool confirm;
    int answer;
    std::int16_t status;
    Paths made;
    Paths not_made;
    std::vector<ShownBox> boxes;
  };
  const std::vector<ShownBox> ask{
      {L"\"a\\b\" does not exist.  Create it?", mb::kYesNo | mb::kIconQuestion}};
  const auto refused = [](const std::wstring& path) {
    return std::vector<ShownBox>{
        {L"Failed to create directory \"" + path + L"\": " + kUnfollowable, kExclamation}};
  };
  const Case cases[] = {
      {L"a\\b\\c", true, mb::kIdYes, 0, {"C:\\w\\a\\b\\c"}, {}, ask},
      {L"a\\b\\c", true, mb::kIdNo, -1, {}, {"C:\\w\\a\\b"}, ask},
      {L"a\\b\\c", false, mb::kIdNo, 0, {"C:\\w\\a\\b\\c"}, {}, {}},
      {L"a/b", false, mb::kIdNo, 0, {"C:\\w\\a/b"}, {}, {}},
      {L"a", true, mb::kIdNo, 0, {"C:\\w\\a"}, {}, {}},
      {L"C:\\w\\x\\y\\", false, mb::kIdNo, 0, {"C:\\w\\x\\y"}, {}, {}},
      {L"\\w\\a", true, mb::kIdNo, 0, {"C:\\w\\a"}, {}, {}},
      {L"\\w\\n", false, mb::kIdNo, -1, {}, {"C:\\w\\n", "C:\\n"}, refused(L"\\w\\n")},
      {L"\\\\s\\x", false, mb::kIdNo, -1, {}, {"C:\\s", "C:\\w\\s"}, refused(L"\\\\s\\x")},
      {L"C:\\w\\p\\\\q", false, 0, -1, {"C:\\w\\p"}, {"C:\\w\\p\\q"}, refused(L"C:\\w\\p\\\\q")},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fp;
    fp.files.AddFolder("C:\\w\\a");
    ASSERT_EQ(fp.files.SetCurrentFolder("C:\\w"), 0u);
    fp.dialogs.Answer(c.answer);
    EXPECT_EQ(cls_Dir().of_CreateDirectory(c.path, c.confirm), c.status) << platform::Ansi(c.path);
    for (const std::string& folder : c.made) {
      EXPECT_TRUE(fp.files.IsFolder(folder)) << platform::Ansi(c.path) << ": " << folder;
    }
    for (const std::string& folder : c.not_made) {
      EXPECT_FALSE(fp.files.Exists(folder)) << platform::Ansi(c.path) << ": " << folder;
    }
    EXPECT_EQ(fp.dialogs.Shown(), c.boxes) << platform::Ansi(c.path);
  }
  fake::FakePlatform fp;
  fp.files.AddFolder("C:\\w");
  fp.faults.FailOp("CreateDirectoryA", file_error::kAccessDenied, 2);
  EXPECT_EQ(cls_Dir().of_CreateDirectory(L"C:\\w\\m\\n\\o"), -1);
  EXPECT_TRUE(fp.files.IsFolder("C:\\w\\m"));
  EXPECT_FALSE(fp.files.Exists("C:\\w\\m\\n"));
  EXPECT_EQ(fp.dialogs.Shown(),
            (std::vector<ShownBox>{{L"Failed to create directory \"C:\\w\\m\\n\\\": " +
                                        Cause(fp, file_error::kAccessDenied),
                                    kExclamation}}));
}

// C:\r holds the files 1 and 2; `extra` adds a folder (s), a hidden file (h) or an open one (0).
TEST(DirTest, RemoveDirectoryDeletesOrdinaryFilesThenTheFolder) {
  struct Case {
    std::wstring path;
    char extra;
    std::int16_t status;
    Paths remain;
    Paths gone;
    std::wstring named;   // the folder the message names; empty: no message
    std::uint32_t cause;  // 0 for the refused root
  };
  constexpr std::uint32_t kFull = file_error::kDirNotEmpty;
  const Case cases[] = {
      {L"C:\\r", ' ', 0, {"C:\\keep"}, {"C:\\r"}, L"", 0},
      {L"c:/r", ' ', 0, {}, {"C:\\r"}, L"", 0},
      {L"C:\\r", 's', -1, {"C:\\r\\s"}, {"C:\\r\\1", "C:\\r\\2"}, L"C:\\r\\", kFull},
      {L"C:\\r", 'h', -1, {"C:\\r\\h"}, {"C:\\r\\1", "C:\\r\\2"}, L"C:\\r\\", kFull},
      {L"C:\\r", '0', -1, {"C:\\r\\0", "C:\\r\\1"}, {}, L"C:\\r\\", file_error::kSharingViolation},
      {L"C:\\none", ' ', -1, {}, {}, L"", 0},
      {L"", ' ', -1, {"C:\\keep"}, {}, L"", 0},
      {L"C:\\r\\1", ' ', -1, {"C:\\r\\1", "C:\\r\\2"}, {}, L"C:\\r\\1\\", file_error::kDirectory},
      {L"C:", ' ', -1, {"C:\\keep", "C:\\r\\1"}, {}, L"C:\\", 0},
      {L"C:\\", ' ', -1, {"C:\\keep", "C:\\r\\1"}, {}, L"C:\\", 0},
      {L"c:/", ' ', -1, {"C:\\keep"}, {}, L"c:\\", 0},
      {L"\\", ' ', -1, {"C:\\keep"}, {}, L"\\", 0},
  };
  for (const bool show : {false, true}) {
    for (const Case& c : cases) {
      fake::FakePlatform fp;
      const std::string label = platform::Ansi(c.path) + (show ? " shown" : " silent");
      for (const char* file : {"C:\\keep", "C:\\r\\1", "C:\\r\\2"}) {
        fp.files.AddFile(file);
      }
      if (c.extra == 's') {
        fp.files.AddFolder("C:\\r\\s");
      } else if (c.extra != ' ') {
        fp.files.AddFile("C:\\r\\" + std::string(1, c.extra), "",
                         c.extra == 'h' ? platform::attr::kHidden : 0);
        fp.files.HoldOpen("C:\\r\\" + std::string(1, c.extra), c.extra == '0');
      }
      EXPECT_EQ(cls_Dir().of_RemoveDirectory(c.path, show), c.status) << label;
      for (const std::string& path : c.remain) {
        EXPECT_TRUE(fp.files.Exists(path)) << label << ": " << path;
      }
      for (const std::string& path : c.gone) {
        EXPECT_FALSE(fp.files.Exists(path)) << label << ": " << path;
      }
      std::vector<ShownBox> expected;
      if (show && !c.named.empty()) {
        expected.push_back(
            {L"Failed to remove directory \"" + c.named + L"\": " +
                 (c.cause == 0 ? L"A drive's root folder is never removed." : Cause(fp, c.cause)),
             kExclamation});
      }
      EXPECT_EQ(fp.dialogs.Shown(), expected) << label;
      if (c.status == 0) {
        EXPECT_EQ(fp.files.OpenSearches(), 0u) << label;
      }
    }
  }
}

TEST(DirTest, CurrentAndSystemFolders) {
  const std::tuple<std::wstring, std::int16_t, std::wstring> cases[] = {
      {L"C:\\Temp", 0, L"C:\\"},
      {L"C:\\Temp\\", 0, L"C:\\Temp"},
      {L"C:/Temp/x.txt", 0, L"C:\\Temp"},
      {L"C:\\nope\\", -1, L"C:\\w"},
  };
  for (const auto& [path, status, current] : cases) {
    fake::FakePlatform fp;
    fp.files.AddFolder("C:\\Temp");
    fp.files.AddFolder("C:\\w");
    ASSERT_EQ(fp.files.SetCurrentFolder("C:\\w"), 0u);
    EXPECT_EQ(cls_Dir().of_SetCurrentDirectory(path), status) << platform::Ansi(path);
    EXPECT_EQ(cls_Dir().of_GetCurrentDirectory(), current) << platform::Ansi(path);
  }
  fake::FakePlatform fp;
  cls_Dir dir;
  EXPECT_EQ(dir.of_GetWindowsDirectory(), L"C:\\windows\\");
  EXPECT_EQ(dir.of_GetSystemDirectory(), L"C:\\windows\\system32\\");
  EXPECT_EQ(dir.of_GetTempPath(), L"C:\\users\\root\\Temp\\");
  const std::string fits = "C:\\" + std::string(296, 'w');  // 299 bytes and the zero
  fp.files.SetWindowsFolder(fits);
  fp.files.SetTempFolder("C:\\" + std::string(297, 't'));
  fp.files.SetSystemFolder("");
  EXPECT_EQ(dir.of_GetWindowsDirectory(), platform::Wide(fits) + L"\\");
  EXPECT_EQ(dir.of_GetTempPath(), L"");
  EXPECT_EQ(dir.of_GetSystemDirectory(), L"");
  EXPECT_TRUE(fp.dialogs.Shown().empty());
}

TEST(DirTest, TempNamesSkipNamesInUse) {
  fake::FakePlatform fp;
  fp.files.AddFile("C:\\T\\tmp0.dat");
  fp.files.AddFolder("C:\\T\\tmp7A120.dat");
  fp.files.AddFile("C:\\T\\tmp1.dat", "", platform::attr::kHidden);
  fp.random.SetClock(3723.456);
  // 0 -> 0; 0.5 -> 499999.5, even 500000 = 7A120; 1/999999 -> 1; nearly 1 -> 999999 = F423F.
  fp.random.Script({0.0, 0.5, 1.0 / 999999.0, 0.9999999});
  cls_Dir dir;
  EXPECT_EQ(dir.of_GetTempFileName(L"C:\\T\\", L"tmp", L"dat"), L"C:\\T\\tmpF423F.dat");
  EXPECT_EQ(fp.random.Seeds(), std::vector<double>{3723.456});
  // 2.5 rounds to the even 2, where rounding half up would give 3.
  fp.random.Script({2.5 / 999999.0});
  EXPECT_EQ(dir.of_GetTempFileName(L"C:\\T\\", L"", L""), L"C:\\T\\2");
  // A folder: its parent is made first; a file in the way makes it fail.
  fp.random.Script({0.0});
  EXPECT_EQ(dir.of_GetTempFilePath(L"C:\\T\\U\\", L"tmp"), L"C:\\T\\U\\tmp0\\");
  EXPECT_TRUE(fp.files.IsFolder("C:\\T\\U\\tmp0"));
  EXPECT_TRUE(fp.dialogs.Shown().empty());
  fp.files.AddFile("C:\\F");
  EXPECT_EQ(dir.of_GetTempFilePath(L"C:\\F\\", L"tmp"), L"");
  EXPECT_EQ(fp.dialogs.Shown().size(), 1u);
}

}  // namespace
