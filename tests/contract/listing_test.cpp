#include <algorithm>
#include <vector>

#include "contract/env.h"
#include "platform/listing.h"

namespace contract {
namespace {

using platform::attr::kFolder;
using platform::attr::kHidden;
using platform::attr::kReadOnly;
using platform::attr::kSystem;
using Names = std::vector<std::string>;

std::wstring Widen(const std::string& ascii) {
  return {ascii.begin(), ascii.end()};
}

Names ListAll(const std::string& pattern, std::uint32_t mask) {
  Names names;
  for (std::wstring name = platform::ListFirst(Widen(pattern), mask); !name.empty();
       name = platform::ListNext()) {
    names.emplace_back(name.begin(), name.end());
  }
  return names;
}

class ListingContract : public ScratchTest {
 protected:
  // "_z" sorts after the letters only when names are compared upper-cased.
  void SetUp() override {
    ScratchTest::SetUp();
    TheEnv().MakeFolder(At("list"), 0);
    TheEnv().MakeFile(At("list\\b.txt"), "b", 0);
    TheEnv().MakeFile(At("list\\a.txt"), "a", kReadOnly);
    TheEnv().MakeFile(At("list\\_z"), "z", 0);
    TheEnv().MakeFile(At("list\\c.hid"), "c", kHidden);
    TheEnv().MakeFile(At("list\\d.sys"), "d", kSystem);
    TheEnv().MakeFolder(At("list\\e"), 0);
    TheEnv().MakeFolder(At("list\\f"), kHidden);
  }
};

TEST_F(ListingContract, ListsByPatternAndMask) {
  struct Case {
    const char* pattern;  // below the scratch folder
    std::uint32_t mask;
    Names names;
  };
  const std::vector<Case> cases = {
      {"list\\*", 0, {"a.txt", "b.txt", "_z"}},
      {"list\\*", kFolder, {".", "..", "a.txt", "b.txt", "e", "_z"}},
      {"list\\*",
       kFolder | kHidden | kReadOnly,
       {".", "..", "a.txt", "b.txt", "c.hid", "e", "f", "_z"}},
      {"list\\*", kHidden | kSystem, {"a.txt", "b.txt", "c.hid", "d.sys", "_z"}},
      {"list\\", kFolder, {".", "..", "a.txt", "b.txt", "e", "_z"}},
      {"list\\*.*", 0, {"a.txt", "b.txt", "_z"}},
      {"list\\?.TXT", 0, {"a.txt", "b.txt"}},
      {"LIST\\B.txt", 0, {"b.txt"}},
      {"list\\e", kFolder, {"e"}},
      {"list\\e", 0, {}},
      {"list\\*.zip", kFolder, {}},
      {"missing\\*", kFolder | kHidden | kReadOnly, {}},
      {"list\\e\\", kFolder, {".", ".."}},
  };
  for (const Case& c : cases) {
    ExpectCase(std::string(c.pattern) + " mask " + std::to_string(c.mask), c.names,
               ListAll(At(c.pattern), c.mask));
  }
}

// Needs no "." at a drive root, and the root as it stands finds nothing.
TEST_F(ListingContract, ListsADriveRoot) {
  const Names root = ListAll("C:\\*", kFolder);
  ExpectCase("C:\\* starts with", true,
             !root.empty() && root.front() != "." && root.front() != "..");
  ExpectCase("C:\\* holds the scratch folder", true,
             std::find(root.begin(), root.end(), "BrenvicContract") != root.end());
  platform::FindHandle search = 0;
  platform::FindData entry;
  ExpectCase("C:\\ as it stands", 2u, Files().FindFirst("C:\\", search, entry));
}

TEST_F(ListingContract, FindCallsGiveTheirCodes) {
  struct Case {
    const char* pattern;
    std::uint32_t first;
  };
  for (const Case& c : {Case{"list\\", 2}, Case{"list\\*.zip", 2}, Case{"missing\\*", 3},
                        Case{"missing\\x\\*", 3}}) {
    platform::FindHandle search = 0;
    platform::FindData entry;
    ExpectCase(std::string("find ") + c.pattern, c.first,
               Files().FindFirst(At(c.pattern), search, entry));
  }
  platform::FindHandle search = 0;
  platform::FindData entry{.name = "sentinel", .attributes = 99};
  ASSERT_EQ(0u, Files().FindFirst(At("list\\b.txt"), search, entry));
  ExpectCase("first entry", std::string("b.txt"), entry.name);
  ExpectCase("first entry kinds", 0u, entry.attributes & (kFolder | kHidden | kSystem | kReadOnly));
  ExpectCase("end of search", 18u, Files().FindNext(search, entry));
  Files().FindEnd(search);
}

// One sequence over one folder: each step sees what the steps before it deleted.
TEST_F(ListingContract, DeletesMatchingFilesInListingOrder) {
  TheEnv().MakeFolder(At("del"), 0);
  TheEnv().MakeFile(At("del\\1.txt"), "1", 0);
  TheEnv().MakeFile(At("del\\2.txt"), "2", kReadOnly);
  TheEnv().MakeFile(At("del\\3.txt"), "3", 0);
  TheEnv().MakeFile(At("del\\h.txt"), "h", kHidden);
  struct Step {
    const char* pattern;
    std::uint32_t result;
  };
  for (const Step& s : {Step{"del\\*.zip", 2}, Step{"del\\h.txt", 2}, Step{"missing\\*.txt", 3},
                        Step{"del\\*.txt", 5}}) {
    ExpectCase(std::string("delete ") + s.pattern, s.result,
               platform::DeleteMatching(Widen(At(s.pattern))));
  }
  ExpectCase("left after the read-only file stopped it",
             Names{".", "..", "2.txt", "3.txt", "h.txt"},
             ListAll(At("del\\*"), kFolder | kHidden | kReadOnly));
}

}  // namespace
}  // namespace contract
