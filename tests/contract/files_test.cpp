#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <functional>
#include <vector>

#include "contract/env.h"

namespace contract {
namespace {

using platform::attr::kFolder;
using platform::attr::kHidden;
using platform::attr::kReadOnly;
using platform::attr::kSystem;

constexpr std::uint32_t kKinds = kReadOnly | kHidden | kSystem | kFolder;

class FilesContract : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    TheEnv().MakeFolder(At("dir"), 0);
    TheEnv().MakeFile(At("dir\\plain.txt"), "plain", 0);
    TheEnv().MakeFile(At("dir\\locked.txt"), "locked", kReadOnly);
    TheEnv().MakeFile(At("dir\\hidden.txt"), "hidden", kHidden | kSystem);
  }
};

TEST_F(FilesContract, QueriesAttributesAndLength) {
  struct Case {
    const char* path;
    std::uint32_t result;
    std::uint32_t kinds;
  };
  const std::vector<Case> cases = {
      {"dir\\plain.txt", 0, 0},
      {"DIR\\PLAIN.TXT", 0, 0},
      {"dir\\locked.txt", 0, kReadOnly},
      {"dir\\hidden.txt", 0, kHidden | kSystem},
      {"dir", 0, kFolder},
      {"dir\\", 0, kFolder},
      {"dir\\missing.txt", 2, 0},
      {"missing\\plain.txt", 3, 0},
  };
  for (const Case& c : cases) {
    std::uint32_t bits = 0;
    ExpectCase(std::string(c.path) + " result", c.result, Files().Attributes(At(c.path), bits));
    ExpectCase(std::string(c.path) + " kinds", c.kinds, bits & kKinds);
  }
  std::uint64_t length = 99;
  ExpectCase("length result", 0u, Files().FileLength(At("dir\\locked.txt"), length));
  ExpectCase("length", std::uint64_t{6}, length);
  ExpectCase("length of missing file", 2u, Files().FileLength(At("dir\\missing.txt"), length));
}

enum class Act { kCopy, kMove, kDelete, kMakeFolder, kRemoveFolder };

std::uint32_t Perform(Act act, const std::string& path, const std::string& to) {
  platform::FileSystem& files = *platform::Current().files;
  switch (act) {
    case Act::kCopy:
      return files.CopyReplacing(path, to);
    case Act::kMove:
      return files.Move(path, to);
    case Act::kDelete:
      return files.RemoveFile(path);
    case Act::kMakeFolder:
      return files.MakeFolder(path);
    case Act::kRemoveFolder:
      return files.RemoveFolder(path);
  }
  return 0;
}

// One sequence: each step sees what the steps before it did.
TEST_F(FilesContract, ActsAndGivesTheWin32Codes) {
  struct Step {
    const char* name;
    Act act;
    const char* path;
    const char* to;
    std::uint32_t result;
    Build wrong_on = Build::kNone;
  };
  TheEnv().MakeFile(At("dir\\busy.txt"), "busy", 0);
  TheEnv().MakeFile(At("dir\\old.txt"), "old", 0);
  TheEnv().HoldOpen(At("dir\\busy.txt"));
  const std::vector<Step> steps = {
      {"copy replacing", Act::kCopy, "dir\\plain.txt", "dir\\old.txt", 0},
      {"copy from missing", Act::kCopy, "dir\\no.txt", "dir\\new.txt", 2},
      {"copy onto open file", Act::kCopy, "dir\\plain.txt", "dir\\busy.txt", 32},
      // As root, Wine replaces a read-only file where Windows refuses.
      {"copy onto read-only", Act::kCopy, "dir\\plain.txt", "dir\\locked.txt", 5, Build::kWine},
      {"move onto existing", Act::kMove, "dir\\old.txt", "dir\\plain.txt", 183},
      {"move missing", Act::kMove, "dir\\no.txt", "dir\\new.txt", 2},
      {"move to new name", Act::kMove, "dir\\old.txt", "dir\\new.txt", 0},
      {"delete read-only", Act::kDelete, "dir\\locked.txt", "", 5},
      {"delete missing", Act::kDelete, "dir\\old.txt", "", 2},
      {"make existing folder", Act::kMakeFolder, "dir", "", 183},
      {"make under missing", Act::kMakeFolder, "missing\\sub", "", 3},
      {"make folder", Act::kMakeFolder, "dir\\sub", "", 0},
      {"remove non-empty folder", Act::kRemoveFolder, "dir", "", 145},
      {"remove a file as folder", Act::kRemoveFolder, "dir\\new.txt", "", 267},
      {"remove missing folder", Act::kRemoveFolder, "missing", "", 2},
      {"remove empty folder", Act::kRemoveFolder, "dir\\sub", "", 0},
  };
  for (const Step& s : steps) {
    ExpectCase(s.name, s.result, Perform(s.act, At(s.path), At(s.to)), s.wrong_on);
  }
  TheEnv().Release();
  ExpectCase("replaced copy", std::optional<std::string>("plain"),
             TheEnv().ReadFile(At("dir\\new.txt")));
  ExpectCase("open file kept", std::optional<std::string>("busy"),
             TheEnv().ReadFile(At("dir\\busy.txt")));
}

TEST_F(FilesContract, SetsTheCurrentFolder) {
  std::string before;
  ASSERT_EQ(0u, Files().CurrentFolder(before));
  struct Case {
    std::string path;
    std::uint32_t result;
    std::string current;
  };
  const std::string dir = At("dir");
  const std::vector<Case> cases = {
      {dir + "\\", 0, dir},
      {"C:\\", 0, "C:\\"},
      {dir, 0, dir},
      {At("missing"), 2, dir},
  };
  for (const Case& c : cases) {
    ExpectCase("set " + c.path, c.result, Files().SetCurrentFolder(c.path));
    std::string current = "sentinel";
    ExpectCase("current after " + c.path + " result", 0u, Files().CurrentFolder(current));
    ExpectCase("current after " + c.path, c.current, current);
  }
  ASSERT_EQ(0u, Files().SetCurrentFolder(before));
}

// Upper-cased: the systems differ in the case of these names, the program never compares them.
std::string Upper(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return text;
}

TEST_F(FilesContract, NamesTheSystemFolders) {
  struct Case {
    const char* name;
    std::function<std::uint32_t(char*, std::uint32_t)> query;
    std::string path;
  };
  platform::FileSystem& files = Files();
  const std::vector<Case> cases = {
      {"windows", [&](char* b, std::uint32_t n) { return files.WindowsFolder(b, n); },
       "C:\\WINDOWS"},
      {"system", [&](char* b, std::uint32_t n) { return files.SystemFolder(b, n); },
       "C:\\WINDOWS\\SYSTEM32"},
      {"temp", [&](char* b, std::uint32_t n) { return files.TempFolder(n, b); }, ""},
  };
  for (const Case& c : cases) {
    std::array<char, 300> buffer;
    buffer.fill('#');
    const std::uint32_t length = c.query(buffer.data(), 300);
    const std::string got(buffer.data(), strnlen(buffer.data(), buffer.size()));
    ExpectCase(std::string(c.name) + " length", got.size(), std::size_t{length});
    if (!c.path.empty()) {
      ExpectCase(std::string(c.name) + " path", c.path, Upper(got));
    } else {
      ExpectCase(std::string(c.name) + " ends in \\", '\\', got.empty() ? ' ' : got.back());
    }
    buffer.fill('#');
    ExpectCase(std::string(c.name) + " size needed", length + 1, c.query(buffer.data(), length));
    ExpectCase(std::string(c.name) + " buffer untouched", '#', buffer[0]);
  }
}

TEST_F(FilesContract, DescribesErrorsOnOneLine) {
  std::vector<std::string> texts;
  for (const std::uint32_t code : {2u, 3u, 5u, 32u, 145u, 183u}) {
    const std::string text = Files().ErrorText(code);
    ExpectCase("text of " + std::to_string(code) + " is one line", true,
               !text.empty() && text.find_first_of("\r\n") == std::string::npos);
    ExpectCase("text of " + std::to_string(code) + " is its own", true,
               std::find(texts.begin(), texts.end(), text) == texts.end());
    texts.push_back(text);
  }
  ExpectCase("text of an unknown code", std::string("Error 536870913."),
             Files().ErrorText(536870913u));
}

}  // namespace
}  // namespace contract
