#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "host/cls_global.h"

namespace {

constexpr std::int32_t kClassesRoot = INT32_MIN;
constexpr char kVisio[] = "C:\\Program Files\\Visio\\";

struct Case {
  const char* name;
  std::vector<std::pair<std::string, std::string>> keys;  // key path, default value
  std::vector<std::string> folders;
  const wchar_t* expected;
  int registry_reads;  // RegOpenKeyExA calls: one per Value read
};

TEST(FindSolutionDirTest, FollowsTheDrawingClassToTheSolutionsFolder) {
  const std::string quoted_command = "\"C:\\Program Files\\Visio\\VISIO.EXE\" /dde";
  const Case cases[] = {
      {"current version named at the first probe",
       {{"Visio.Drawing\\CurVer", "Visio.Drawing.11"},
        {"Visio.Drawing.11\\Shell\\Open\\Command", quoted_command}},
       {"C:\\Program Files\\Visio\\Solutions"},
       L"C:\\Program Files\\Visio\\Solutions\\",
       2},
      {"found at the twelfth probe",
       {{"Visio.Drawing.11\\CurVer", "Visio.Drawing.11"},
        {"Visio.Drawing.11\\Shell\\Open\\Command", quoted_command}},
       {"C:\\Program Files\\Visio\\Solutions"},
       L"C:\\Program Files\\Visio\\Solutions\\",
       13},
      {"a probe past the twenty-first is never read; the plain class is used",
       {{"Visio.Drawing.21\\CurVer", "Visio.Drawing.21"},
        {"Visio.Drawing.21\\Shell\\Open\\Command", "C:\\Other\\VISIO.EXE"},
        {"Visio.Drawing\\Shell\\Open\\Command", quoted_command}},
       {"C:\\Program Files\\Visio\\Solutions", "C:\\Other\\Solutions"},
       L"C:\\Program Files\\Visio\\Solutions\\",
       22},
      {"the current class has no open command",
       {{"Visio.Drawing\\CurVer", "Visio.Drawing.11"},
        {"Visio.Drawing\\Shell\\Open\\Command", quoted_command}},
       {"C:\\Program Files\\Visio\\Solutions"},
       L"",
       2},
      {"unquoted program with a quoted argument",
       {{"Visio.Drawing\\Shell\\Open\\Command", "C:\\VISIO\\VISIO.EXE \"%1\""}},
       {"C:\\VISIO\\Solutions"},
       L"C:\\VISIO\\Solutions\\",
       22},
      {"unquoted arguments holding a backslash reach into the folder",
       {{"Visio.Drawing\\Shell\\Open\\Command", "C:\\VISIO\\VISIO.EXE /x \\y"}},
       {"C:\\VISIO\\Solutions"},
       L"",
       22},
      {"a command without any separator",
       {{"Visio.Drawing\\Shell\\Open\\Command", "VISIO.EXE"}},
       {},
       L"",
       22},
      {"an open command too long to read",
       {{"Visio.Drawing\\Shell\\Open\\Command", "C:\\VISIO\\" + std::string(250, 'v') + ".EXE"}},
       {"C:\\VISIO\\Solutions"},
       L"",
       22},
      {"first listed sub-folder holding Solutions wins; dotted names are not listed",
       {{"Visio.Drawing\\Shell\\Open\\Command", quoted_command}},
       {"C:\\Program Files\\Visio\\A.B\\Solutions", "C:\\Program Files\\Visio\\Extra\\Solutions",
        "C:\\Program Files\\Visio\\Zed\\Solutions", "C:\\Program Files\\Visio\\Deep\\X\\Solutions"},
       L"C:\\Program Files\\Visio\\Extra\\Solutions\\",
       22},
      {"two levels down is not found",
       {{"Visio.Drawing\\Shell\\Open\\Command", quoted_command}},
       {"C:\\Program Files\\Visio\\Deep\\X\\Solutions"},
       L"",
       22},
      {"Solutions as a file is no folder",
       {{"Visio.Drawing\\Shell\\Open\\Command", quoted_command}},
       {},
       L"",
       22},
  };
  for (const Case& c : cases) {
    fake::FakePlatform fakes;
    for (const auto& [key, value] : c.keys) {
      fakes.registry.SetString(kClassesRoot, key, "", value);
    }
    for (const std::string& folder : c.folders) {
      fakes.files.AddFolder(folder);
    }
    if (std::string(c.name) == "Solutions as a file is no folder") {
      fakes.files.AddFile(std::string(kVisio) + "Solutions", "x");
    }
    cls_Global global;
    EXPECT_EQ(global.gs_FindSolutionDir(), c.expected) << c.name;
    EXPECT_EQ(fakes.faults.CountOf("RegOpenKeyExA"), c.registry_reads) << c.name;
  }
}

TEST(InVBTest, FindsTheFirstTenCharactersInTheProgramFolder) {
  const struct {
    const wchar_t* development_path;
    const wchar_t* program_folder;
    bool expected;
  } cases[] = {
      {L"c:\\Visio", L"C:\\VISIO", true},
      {L"c:\\Visio", L"C:\\Visio\\Tools", true},
      {L"c:\\Visio", L"C:\\Visio2003\\Bin", true},
      {L"c:\\Visio", L"C:\\Program Files\\Harrowbright\\Brenvic Visio", false},
      {L"c:\\Visio\\Projects", L"D:\\x\\C:\\VISIO\\P", true},
      {L"c:\\Visio\\Projects", L"C:\\Visio\\Tools", false},
      {L"", L"C:\\Anything", true},
  };
  for (const auto& c : cases) {
    fake::FakePlatform fakes;
    fakes.process.program_folder = c.program_folder;
    cls_Global global;
    EXPECT_EQ(global.gb_InVB(c.development_path), c.expected)
        << "[" << c.development_path << "] in [" << c.program_folder << "]";
  }
}

}  // namespace
