#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "contract/env.h"

namespace contract {
namespace {

constexpr std::uint32_t kQueryValue = 1;
constexpr std::uint32_t kSetValue = 2;
constexpr std::uint32_t kListKeys = 8;
constexpr std::uint32_t kSz = 1;
constexpr char kSentinel = '#';

using RegistryContract = KeyTest;

// The work buffers hold 255 characters each; every case lives alone in its key.
TEST_F(RegistryContract, EnumValueAnswersEachBufferLimit) {
  struct Case {
    const char* name;
    std::string value_name;
    std::string data;  // stored as REG_SZ with its zero
    long result;
    std::optional<std::string> listed_name;  // nothing: the name buffer is left untouched
    std::uint32_t data_size;
  };
  const std::string d254(254, 'd');
  const std::string n254(254, 'n');
  const std::string n255(255, 'n');
  const std::vector<Case> cases = {
      {"254-char data", "v", d254, 0, "v", 255},
      {"255-char data", "v", d254 + "d", 234, std::nullopt, 256},
      {"254-char name", n254, "x", 0, n254, 2},
      {"255-char name", n255, "x", 234, n254, 2},
      {"default value", "", "x", 0, "", 2},
  };
  int i = 0;
  for (const Case& c : cases) {
    const std::string key = Under("v" + std::to_string(i++));
    TheEnv().PutValue(key, c.value_name, kSz, c.data + '\0');
    platform::RegHandle handle = 0;
    ASSERT_EQ(0, Reg().OpenKeyEx(kCurrentUser, key, 0, kQueryValue, handle)) << c.name;
    std::array<char, 255> name;
    std::array<unsigned char, 255> data;
    name.fill(kSentinel);
    data.fill(kSentinel);
    std::uint32_t name_size = 255;
    std::uint32_t data_size = 255;
    std::uint32_t type = 99;
    const long result =
        Reg().EnumValue(handle, 0, name.data(), name_size, type, data.data(), data_size);
    ExpectCase(std::string(c.name) + " result", c.result, result);
    ExpectCase(std::string(c.name) + " data size", c.data_size, data_size);
    if (c.listed_name) {
      ExpectCase(std::string(c.name) + " name", *c.listed_name,
                 std::string(name.data(), strnlen(name.data(), name.size())));
    } else {
      ExpectCase(std::string(c.name) + " untouched name", std::string(255, kSentinel),
                 std::string(name.data(), name.size()));
    }
    if (result == 0) {
      ExpectCase(std::string(c.name) + " name size", c.listed_name->size(), std::size_t{name_size});
      ExpectCase(std::string(c.name) + " type", kSz, type);
      ExpectCase(std::string(c.name) + " data", c.data + '\0',
                 std::string(reinterpret_cast<const char*>(data.data()), data_size));
    }
    name_size = 255;
    data_size = 255;
    ExpectCase(std::string(c.name) + " end", 259L,
               Reg().EnumValue(handle, 1, name.data(), name_size, type, data.data(), data_size));
    EXPECT_EQ(0, Reg().CloseKey(handle));
  }
}

// Listing order differs between systems: only the set of answers is fixed.
TEST_F(RegistryContract, EnumValueGoesOnAfterAnOversizedValue) {
  const std::string key = Under("mixed");
  TheEnv().PutValue(key, "big", kSz, std::string(255, 'd') + '\0');
  TheEnv().PutValue(key, "small", kSz, std::string("ok") + '\0');
  platform::RegHandle handle = 0;
  ASSERT_EQ(0, Reg().OpenKeyEx(kCurrentUser, key, 0, kQueryValue, handle));
  std::vector<long> results;
  for (std::uint32_t index = 0; index < 3; ++index) {
    std::array<char, 255> name;
    std::array<unsigned char, 255> data;
    std::uint32_t name_size = 255;
    std::uint32_t data_size = 255;
    std::uint32_t type = 0;
    results.push_back(
        Reg().EnumValue(handle, index, name.data(), name_size, type, data.data(), data_size));
  }
  std::sort(results.begin(), results.end() - 1);
  ExpectCase("results by index", std::vector<long>{0, 234, 259}, results);
  Reg().CloseKey(handle);
}

TEST_F(RegistryContract, EnumKeyAnswersTheBufferLimit) {
  struct Case {
    const char* name;
    std::size_t length;
    long result;
  };
  for (const Case& c : {Case{"254-char subkey", 254, 0}, Case{"255-char subkey", 255, 234}}) {
    const std::string parent = Under(c.name);
    const std::string subkey(c.length, 'k');
    TheEnv().MakeKey(parent + "\\" + subkey);
    platform::RegHandle handle = 0;
    ASSERT_EQ(0, Reg().OpenKeyEx(kCurrentUser, parent, 0, kListKeys, handle)) << c.name;
    std::array<char, 255> name;
    name.fill(kSentinel);
    const long result = Reg().EnumKey(handle, 0, name.data(), 255);
    ExpectCase(std::string(c.name) + " result", c.result, result);
    if (result == 0) {
      ExpectCase(std::string(c.name) + " name", subkey, std::string(name.data()));
    }
    ExpectCase(std::string(c.name) + " end", 259L, Reg().EnumKey(handle, 1, name.data(), 255));
    Reg().CloseKey(handle);
  }
}

// One sequence: each step sees what the steps before it made.
TEST_F(RegistryContract, OpensAndCreatesKeys) {
  struct Step {
    const char* name;
    bool create;
    std::int32_t root;
    std::string path;
    long result;
    std::uint32_t disposition;  // for a creation
  };
  const std::vector<Step> steps = {
      {"open missing", false, kCurrentUser, Under("A"), 2, 0},
      {"create with missing parents", true, kCurrentUser, Under("A\\B\\C"), 0, 1},
      {"create existing", true, kCurrentUser, Under("A\\B\\C"), 0, 2},
      {"open made parent", false, kCurrentUser, Under("A\\B"), 0, 0},
      {"open in other case", false, kCurrentUser, "SOFTWARE\\brenviccontract\\a\\b\\c", 0, 0},
      {"create in other case", true, kCurrentUser, Under("a\\B"), 0, 2},
      {"open the root itself", false, kCurrentUser, "", 0, 0},
      {"open under root 0", false, 0, "Software", 6, 0},
      {"create under root 0", true, 0, Under("Z"), 6, 0},
  };
  for (const Step& s : steps) {
    platform::RegHandle handle = 0;
    std::uint32_t disposition = 99;
    const long result = s.create
                            ? Reg().CreateKeyEx(s.root, s.path, 0, "", 0, 0x3F, handle, disposition)
                            : Reg().OpenKeyEx(s.root, s.path, 0, kQueryValue, handle);
    ExpectCase(std::string(s.name) + " result", s.result, result);
    if (s.create && result == 0) {
      ExpectCase(std::string(s.name) + " disposition", s.disposition, disposition);
    }
    if (result == 0) {
      ExpectCase(std::string(s.name) + " close", 0L, Reg().CloseKey(handle));
    }
  }
}

TEST_F(RegistryContract, ChecksAccessRights) {
  struct Case {
    const char* name;
    bool limited;  // everyone may only read the key
    std::uint32_t access;
    bool set;  // set a value, or else list the subkeys
    long open_result;
    long result;
  };
  const std::vector<Case> cases = {
      {"list subkeys with query right", false, kQueryValue, false, 0, 5},
      {"list subkeys with list right", false, kListKeys, false, 0, 0},
      {"set value with query right", false, kQueryValue, true, 0, 5},
      {"set value with set right", false, kSetValue, true, 0, 0},
      {"open limited key to set", true, kSetValue, true, 5, 0},
      {"open limited key to read", true, kQueryValue | kListKeys, false, 0, 0},
  };
  TheEnv().MakeKey(Under("open\\sub"));
  TheEnv().MakeKey(Under("limited\\sub"));
  TheEnv().LimitKey(Under("limited"));
  const unsigned char data[] = "x";
  for (const Case& c : cases) {
    platform::RegHandle handle = 0;
    const long opened =
        Reg().OpenKeyEx(kCurrentUser, Under(c.limited ? "limited" : "open"), 0, c.access, handle);
    ExpectCase(std::string(c.name) + " open", c.open_result, opened);
    if (opened != 0) {
      continue;
    }
    char name[255];
    const long result = c.set ? Reg().SetValueEx(handle, "v", 0, kSz, data, sizeof data)
                              : Reg().EnumKey(handle, 0, name, 255);
    ExpectCase(std::string(c.name) + " call", c.result, result);
    Reg().CloseKey(handle);
  }
}

}  // namespace
}  // namespace contract
