// What the program shows when the registry or the file system under Wine is not as the add-on's
// setup left it, and that nothing but the intended copy changes a file.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/help_access.h"
#include "e2e/sandbox.h"

namespace e2e {
namespace {

constexpr wchar_t kPro[] = L"Brenvic Visio Pro";
constexpr wchar_t kNoEdition[] = L"Brenvic Visio";
// The program starts here, so that a file it made under a bare name would show.
constexpr wchar_t kCurrentFolder[] = L"C:\\current\\";
constexpr wchar_t kOpenCommandKey[] = L"Visio.Drawing.11\\shell\\open\\command";
const std::wstring kSolutions = std::wstring(kVisioFolder) + L"Solutions";

bool KeepSandbox() {
  return true;
}

bool SetString(const wchar_t* key, const wchar_t* name, const std::wstring& data) {
  return RegSetKeyValueW(HKEY_CLASSES_ROOT, key, name, REG_SZ, data.c_str(),
                         static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool DeleteAddOnKey() {
  return RegDeleteTreeW(HKEY_CLASSES_ROOT, L"BrenvicVisio") == ERROR_SUCCESS;
}

// The registry finds "Path" when asked for "path"; the program compares the listed names itself.
bool NamePathValueInCapitals() {
  return RegDeleteKeyValueW(HKEY_CLASSES_ROOT, L"BrenvicVisio", L"path") == ERROR_SUCCESS &&
         SetString(L"BrenvicVisio", L"Path", kProgramFolder);
}

bool DropPathsBackslash() {
  const std::wstring folder = kProgramFolder;
  return SetString(L"BrenvicVisio", L"path", folder.substr(0, folder.size() - 1));
}

// Wine lists values sorted by name, so "notes" comes before "path" and does not fit the 255-byte
// data buffer: the program must read on past it. Checked here, lest a change in Wine's order leave
// the case proving nothing.
bool PutOversizedValueFirst() {
  if (!SetString(L"BrenvicVisio", L"notes", std::wstring(300, L'n'))) {
    return false;
  }
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "BrenvicVisio", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  char name[255] = {};
  BYTE data[255] = {};
  DWORD name_size = sizeof(name);
  DWORD data_size = sizeof(data);
  const LSTATUS first = RegEnumValueA(key, 0, name, &name_size, nullptr, nullptr, data, &data_size);
  RegCloseKey(key);
  return first == ERROR_MORE_DATA && data_size == 301;
}

// Still names Visio's own folder, but cannot be read through 255-byte buffers.
bool LengthenOpenCommand() {
  std::wstring command = L"\"" + std::wstring(kVisioFolder) + L"VISIO.EXE\" /dde ";
  command.append(300 - command.size(), L'x');
  return SetString(kOpenCommandKey, nullptr, command);
}

bool MoveSolutionsBelow(const std::wstring& folders) {
  std::wstring parent = kVisioFolder;
  for (std::size_t start = 0, end = 0; end != std::wstring::npos; start = end + 1) {
    end = folders.find(L'\\', start);
    parent += folders.substr(start, end - start) + L"\\";
    if (!CreateDirectoryW(parent.c_str(), nullptr)) {
      return false;
    }
  }
  return MoveFileW(kSolutions.c_str(), (parent + L"Solutions").c_str()) != FALSE;
}

bool MoveSolutionsOneLevelDown() {
  return MoveSolutionsBelow(L"Extra");
}

bool MoveSolutionsTwoLevelsDown() {
  return MoveSolutionsBelow(L"Extra\\Deeper");
}

bool RemoveGlobalFolder() {
  const std::wstring stencil = kStencilInUse;
  return DeleteFileW(kStencilInUse) != FALSE &&
         RemoveDirectoryW(stencil.substr(0, stencil.rfind(L'\\')).c_str()) != FALSE;
}

using Files = std::map<std::wstring, std::string>;

Files FilesAround() {
  Files files = FilesUnder(kVisioFolder);
  files.merge(FilesUnder(kProgramFolder));
  files.merge(FilesUnder(kCurrentFolder));
  return files;
}

std::string Differences(const Files& expected, const Files& actual) {
  std::string names;
  Files all = expected;
  all.insert(actual.begin(), actual.end());
  for (const auto& [path, ignored] : all) {
    if (!expected.contains(path) || !actual.contains(path) ||
        expected.at(path) != actual.at(path)) {
      names += std::filesystem::path(path).string() + "\n";
    }
  }
  return names;
}

enum class Outcome { kUnchanged, kBlank, kGone };

struct Fault {
  const char* name;
  bool (*prepare)();
  const wchar_t* product;  // as the About window names it
  const Box* opening;      // shown as the Online Help Access window opens; nullptr for none
  bool (*meanwhile)();     // done while the window is open, before the user acts; may be nullptr
  std::vector<Box> boxes;  // after the user unchecks the box and presses OK; empty: no OK
  Outcome stencil;
  bool stays_open;
};

void PrintTo(const Fault& c, std::ostream* out) {
  *out << c.name;
}

class Faults : public ::testing::TestWithParam<Fault> {};

TEST_P(Faults, ShowWhatIsWrongAndChangeNothingElse) {
  const Fault& c = GetParam();
  ASSERT_TRUE(CreateDirectoryW(kCurrentFolder, nullptr) && SetCurrentDirectoryW(kCurrentFolder));
  ASSERT_TRUE(c.prepare());
  Files expected = FilesAround();
  const std::string blank = ReadBytes(kBlankStencil);
  ASSERT_FALSE(blank.empty());

  const auto program = Program::Start(L" ABOUT_STAY", true);
  ASSERT_TRUE(program) << "cannot start the program";
  HWND about = nullptr;
  HWND window = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenHelpAccess(*program, about, window));
  EXPECT_TRUE(FindControl(about, c.product))
      << "no control reads " << testing::PrintToString(c.product);
  if (c.opening != nullptr) {
    ASSERT_NO_FATAL_FAILURE(Answer(program->Id(), *c.opening));
  }
  const auto check_box = FindControl(window, kCheckBox);
  const auto ok = FindControl(window, L"&OK");
  ASSERT_TRUE(check_box && ok);
  // Every case that finds the stencil in use finds the working one.
  EXPECT_EQ(check_box->checked, c.opening == nullptr);
  EXPECT_EQ(check_box->enabled, c.opening == nullptr);
  EXPECT_EQ(ok->enabled, c.opening == nullptr);
  if (c.meanwhile != nullptr) {
    ASSERT_TRUE(c.meanwhile());
  }
  if (!c.boxes.empty()) {
    ASSERT_TRUE(ClickButton(window, kCheckBox));
    ASSERT_TRUE(ClickButton(window, L"&OK"));
    for (const Box& box : c.boxes) {
      ASSERT_NO_FATAL_FAILURE(Answer(program->Id(), box));
    }
  }
  if (c.stays_open) {
    EXPECT_TRUE(IsWindowVisible(window)) << "the window closed";
    ASSERT_TRUE(ClickButton(window, L"&Cancel"));
  }
  EXPECT_TRUE(WaitUntilGone(window, kCloseMs)) << "the window stayed";
  ASSERT_TRUE(ClickButton(about, L"&OK"));
  EXPECT_EQ(program->WaitForExit(kWaitMs), std::optional<DWORD>(0));

  if (c.stencil == Outcome::kBlank) {
    expected[kStencilInUse] = blank;
  } else if (c.stencil == Outcome::kGone) {
    expected.erase(kStencilInUse);
  }
  const Files actual = FilesAround();
  EXPECT_TRUE(actual == expected) << "changed, made or lost:\n" << Differences(expected, actual);
}

const std::wstring kBareBlank = L"brenvic_global_blank.vss";
const std::wstring kJoinedBlank =
    std::wstring(kProgramFolder, wcslen(kProgramFolder) - 1) + L"brenvic_global_blank.vss";

const std::vector<Box> kNoOk;
const std::vector<Box> kStencilGone = {kM1};
const std::vector<Box> kBareSourceFails = {kM2Yes, CopyFailure(kBareBlank), kM3};
const std::vector<Box> kJoinedSourceFails = {kM2Yes, CopyFailure(kJoinedBlank), kM3};
const std::vector<Box> kDisables = {kM2Yes, kM5};

INSTANTIATE_TEST_SUITE_P(
    Wine, Faults,
    ::testing::Values(Fault{"GlobalFolderRemovedWhileOpen", KeepSandbox, kPro, nullptr,
                            RemoveGlobalFolder, kStencilGone, Outcome::kGone, true},
                      Fault{"AddOnKeyMissing", DeleteAddOnKey, kPro, nullptr, nullptr,
                            kBareSourceFails, Outcome::kUnchanged, true},
                      Fault{"ValueNamedPathInCapitals", NamePathValueInCapitals, kPro, nullptr,
                            nullptr, kBareSourceFails, Outcome::kUnchanged, true},
                      Fault{"PathWithoutBackslash", DropPathsBackslash, kPro, nullptr, nullptr,
                            kJoinedSourceFails, Outcome::kUnchanged, true},
                      Fault{"OversizedValueListedBeforePath", PutOversizedValueFirst, kPro, nullptr,
                            nullptr, kDisables, Outcome::kBlank, false},
                      Fault{"OpenCommandOf300Characters", LengthenOpenCommand, kNoEdition, &kM1,
                            nullptr, kNoOk, Outcome::kUnchanged, true},
                      Fault{"SolutionsOneLevelDownFound", MoveSolutionsOneLevelDown, kPro, nullptr,
                            nullptr, kNoOk, Outcome::kUnchanged, true},
                      Fault{"SolutionsTwoLevelsDownNotFound", MoveSolutionsTwoLevelsDown,
                            kNoEdition, &kM1, nullptr, kNoOk, Outcome::kUnchanged, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
