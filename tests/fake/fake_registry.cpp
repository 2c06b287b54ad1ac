#include "fake/fake_registry.h"

#include <algorithm>
#include <cstring>

#include "fake/ascii_case.h"

namespace fake {

using platform::RegHandle;
namespace reg_error = platform::reg_error;

namespace {

constexpr std::uint32_t kFirstRoot = 0x80000000;
constexpr std::uint32_t kRootCount = 7;

std::vector<std::string> Split(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (const char c : path + '\\') {
    if (c != '\\') {
      part += c;
    } else if (!part.empty()) {
      parts.push_back(std::move(part));
      part.clear();
    }
  }
  return parts;
}

bool IsString(std::uint32_t type) {
  return type == 1 || type == 2 || type == 7;
}

}  // namespace

// Entries keep the order Windows lists them in; the indexes by upper-cased name keep a key with
// tens of thousands of entries quick to fill.
struct FakeRegistry::Key {
  struct Value {
    std::string name;
    StoredValue stored;
  };
  std::string name;
  std::uint32_t denied = 0;
  std::vector<Value> values;
  std::map<std::string, std::size_t> value_at;
  std::vector<std::unique_ptr<Key>> subkeys;
  std::map<std::string, Key*> subkey_named;

  Key* Sub(const std::string& wanted) const {
    const auto found = subkey_named.find(AsciiUpper(wanted));
    return found == subkey_named.end() ? nullptr : found->second;
  }

  Key* Child(const std::string& wanted) {
    subkeys.push_back(std::make_unique<Key>());
    subkeys.back()->name = wanted;
    return subkey_named[AsciiUpper(wanted)] = subkeys.back().get();
  }

  const Value* Find(const std::string& value_name) const {
    const auto found = value_at.find(AsciiUpper(value_name));
    return found == value_at.end() ? nullptr : &values[found->second];
  }

  // A value written again keeps its place in the listing.
  void Store(const std::string& value_name, StoredValue stored) {
    const auto [at, added] = value_at.try_emplace(AsciiUpper(value_name), values.size());
    if (added) {
      values.push_back({value_name, std::move(stored)});
    } else {
      values[at->second].stored = std::move(stored);
    }
  }
};

FakeRegistry::FakeRegistry(FaultPlan& faults) : faults_(faults) {
  for (std::uint32_t i = 0; i < kRootCount; ++i) {
    roots_.push_back(std::make_unique<Key>());
  }
}

FakeRegistry::~FakeRegistry() = default;

// A root is a predefined constant or, as in advapi32, any open handle.
FakeRegistry::Key* FakeRegistry::Root(std::int32_t root) const {
  const auto index = static_cast<std::uint32_t>(root) - kFirstRoot;
  if (index < kRootCount) {
    return roots_[index].get();
  }
  const auto open = handles_.find(static_cast<RegHandle>(static_cast<std::uint32_t>(root)));
  return open == handles_.end() ? nullptr : open->second.key;
}

FakeRegistry::Key* FakeRegistry::Find(std::int32_t root, const std::string& path) const {
  Key* key = Root(root);
  for (const std::string& part : Split(path)) {
    if (key == nullptr) {
      break;
    }
    key = key->Sub(part);
  }
  return key;
}

FakeRegistry::Key* FakeRegistry::Make(std::int32_t root, const std::string& path) {
  Key* key = Root(root);
  for (const std::string& part : Split(path)) {
    Key* sub = key->Sub(part);
    key = sub != nullptr ? sub : key->Child(part);
  }
  return key;
}

RegHandle FakeRegistry::Issue(Key* key, std::uint32_t access) {
  next_handle_ += 4;
  handles_[next_handle_] = {key, access};
  return next_handle_;
}

long FakeRegistry::Use(RegHandle handle, std::uint32_t right, Key*& key) const {
  const auto open = handles_.find(handle);
  if (open == handles_.end()) {
    return reg_error::kInvalidHandle;
  }
  if ((open->second.access & right) == 0) {
    return reg_error::kAccessDenied;
  }
  key = open->second.key;
  return 0;
}

long FakeRegistry::OpenKeyEx(std::int32_t root, const std::string& path, std::uint32_t,
                             std::uint32_t access, RegHandle& key) {
  if (const auto fault = faults_.Step("RegOpenKeyExA")) {
    return static_cast<long>(*fault);
  }
  if (Root(root) == nullptr) {
    return reg_error::kInvalidHandle;
  }
  Key* found = Find(root, path);
  if (found == nullptr) {
    return reg_error::kNotFound;
  }
  if ((found->denied & access) != 0) {
    return reg_error::kAccessDenied;
  }
  key = Issue(found, access);
  return 0;
}

// The order of the checks is advapi32's: data first, and the name is written only when the data
// fitted; an oversized name is cut to the buffer, an oversized datum leaves the name alone.
long FakeRegistry::EnumValue(RegHandle handle, std::uint32_t index, char* name,
                             std::uint32_t& name_size, std::uint32_t& type, unsigned char* data,
                             std::uint32_t& data_size) {
  if (const auto fault = faults_.Step("RegEnumValueA")) {
    return static_cast<long>(*fault);
  }
  Key* key = nullptr;
  if (const long code = Use(handle, kKeyQueryValue, key); code != 0) {
    return code;
  }
  if (index >= key->values.size()) {
    return reg_error::kNoMoreItems;
  }
  const Key::Value& value = key->values[index];
  const std::vector<unsigned char>& bytes = value.stored.bytes;
  const auto length = static_cast<std::uint32_t>(bytes.size());
  long result = 0;
  if (length > data_size) {
    result = reg_error::kMoreData;
  } else {
    std::copy(bytes.begin(), bytes.end(), data);
    if (IsString(value.stored.type) && length > 0 && length < data_size && bytes.back() != 0) {
      data[length] = 0;
    }
  }
  if (result == 0 && name_size > 0) {
    const auto name_length = static_cast<std::uint32_t>(value.name.size());
    const std::uint32_t written = std::min(name_length, name_size - 1);
    std::memcpy(name, value.name.data(), written);
    name[written] = '\0';
    if (name_length >= name_size) {
      result = reg_error::kMoreData;
    } else {
      name_size = name_length;
    }
  }
  type = value.stored.type;
  data_size = length;
  return result;
}

long FakeRegistry::EnumKey(RegHandle handle, std::uint32_t index, char* name,
                           std::uint32_t name_size) {
  if (const auto fault = faults_.Step("RegEnumKeyA")) {
    return static_cast<long>(*fault);
  }
  Key* key = nullptr;
  if (const long code = Use(handle, kKeyEnumerateSubKeys, key); code != 0) {
    return code;
  }
  if (index >= key->subkeys.size()) {
    return reg_error::kNoMoreItems;
  }
  const std::string& sub = key->subkeys[index]->name;
  if (sub.size() >= name_size) {
    return reg_error::kMoreData;
  }
  std::memcpy(name, sub.c_str(), sub.size() + 1);
  return 0;
}

long FakeRegistry::CreateKeyEx(std::int32_t root, const std::string& path, std::uint32_t,
                               const std::string&, std::uint32_t, std::uint32_t access,
                               RegHandle& key, std::uint32_t& disposition) {
  if (const auto fault = faults_.Step("RegCreateKeyExA")) {
    return static_cast<long>(*fault);
  }
  Key* at = Root(root);
  if (at == nullptr) {
    return reg_error::kInvalidHandle;
  }
  bool made = false;
  for (const std::string& part : Split(path)) {
    Key* sub = at->Sub(part);
    if (sub == nullptr) {
      if ((at->denied & kKeyCreateSubKey) != 0) {
        return reg_error::kAccessDenied;
      }
      sub = at->Child(part);
      made = true;
    }
    at = sub;
  }
  if ((at->denied & access) != 0) {
    return reg_error::kAccessDenied;
  }
  key = Issue(at, access);
  disposition = made ? 1 : 2;
  return 0;
}

long FakeRegistry::SetValueEx(RegHandle handle, const std::string& name, std::uint32_t,
                              std::uint32_t type, const unsigned char* data, std::uint32_t size) {
  if (const auto fault = faults_.Step("RegSetValueExA")) {
    return static_cast<long>(*fault);
  }
  Key* key = nullptr;
  if (const long code = Use(handle, kKeySetValue, key); code != 0) {
    return code;
  }
  key->Store(name, {type, std::vector<unsigned char>(data, data + size)});
  return 0;
}

long FakeRegistry::CloseKey(RegHandle handle) {
  if (const auto fault = faults_.Step("RegCloseKey")) {
    return static_cast<long>(*fault);
  }
  return handles_.erase(handle) == 1 ? 0 : reg_error::kInvalidHandle;
}

void FakeRegistry::AddKey(std::int32_t root, const std::string& path) {
  Make(root, path);
}

void FakeRegistry::SetValue(std::int32_t root, const std::string& path, const std::string& name,
                            std::uint32_t type, std::vector<unsigned char> bytes) {
  Make(root, path)->Store(name, {type, std::move(bytes)});
}

void FakeRegistry::SetString(std::int32_t root, const std::string& path, const std::string& name,
                             const std::string& text) {
  std::vector<unsigned char> bytes(text.begin(), text.end());
  bytes.push_back(0);
  SetValue(root, path, name, kRegSz, std::move(bytes));
}

void FakeRegistry::DenyAccess(std::int32_t root, const std::string& path, std::uint32_t rights) {
  Make(root, path)->denied |= rights;
}

std::optional<StoredValue> FakeRegistry::ValueOf(std::int32_t root, const std::string& path,
                                                 const std::string& name) const {
  const Key* key = Find(root, path);
  const Key::Value* value = key == nullptr ? nullptr : key->Find(name);
  if (value == nullptr) {
    return std::nullopt;
  }
  return value->stored;
}

bool FakeRegistry::KeyExists(std::int32_t root, const std::string& path) const {
  return Find(root, path) != nullptr;
}

}  // namespace fake
