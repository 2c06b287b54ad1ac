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

}  // namespace

struct FakeRegistry::Key {
  std::string name;
  std::uint32_t denied = 0;
  std::vector<std::pair<std::string, StoredValue>> values;
  std::vector<std::unique_ptr<Key>> subkeys;

  Key* Sub(const std::string& wanted) const {
    for (const auto& sub : subkeys) {
      if (AsciiUpper(sub->name) == AsciiUpper(wanted)) {
        return sub.get();
      }
    }
    return nullptr;
  }

  // A value written again keeps its place in the listing.
  void Store(const std::string& value_name, StoredValue stored) {
    for (auto& [name, value] : values) {
      if (AsciiUpper(name) == AsciiUpper(value_name)) {
        value = std::move(stored);
        return;
      }
    }
    values.emplace_back(value_name, std::move(stored));
  }
};

FakeRegistry::FakeRegistry(FaultPlan& faults) : faults_(faults) {
  for (std::uint32_t i = 0; i < kRootCount; ++i) {
    roots_.push_back(std::make_unique<Key>());
  }
}

FakeRegistry::~FakeRegistry() = default;

FakeRegistry::Key* FakeRegistry::Find(std::int32_t root, const std::string& path) const {
  const auto index = static_cast<std::uint32_t>(root) - kFirstRoot;
  Key* key = index < kRootCount ? roots_[index].get() : nullptr;
  for (const std::string& part : Split(path)) {
    if (key != nullptr) {
      key = key->Sub(part);
    }
  }
  return key;
}

FakeRegistry::Key* FakeRegistry::Make(std::int32_t root, const std::string& path) {
  Key* key = Find(root, "");
  for (const std::string& part : Split(path)) {
    Key* sub = key->Sub(part);
    if (sub == nullptr) {
      key->subkeys.push_back(std::make_unique<Key>(Key{part, 0, {}, {}}));
      sub = key->subkeys.back().get();
    }
    key = sub;
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
  if (Find(root, "") == nullptr) {
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
  const auto& [value_name, value] = key->values[index];
  const auto length = static_cast<std::uint32_t>(value.bytes.size());
  long result = 0;
  if (length > data_size) {
    result = reg_error::kMoreData;
  } else {
    std::copy(value.bytes.begin(), value.bytes.end(), data);
  }
  if (result == 0 && name_size > 0) {
    const auto name_length = static_cast<std::uint32_t>(value_name.size());
    const std::uint32_t written = std::min(name_length, name_size - 1);
    std::memcpy(name, value_name.data(), written);
    name[written] = '\0';
    if (name_length >= name_size) {
      result = reg_error::kMoreData;
    } else {
      name_size = name_length;
    }
  }
  type = value.type;
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
  if (Find(root, "") == nullptr) {
    return reg_error::kInvalidHandle;
  }
  const bool existed = Find(root, path) != nullptr;
  Key* made = Make(root, path);
  if ((made->denied & access) != 0) {
    return reg_error::kAccessDenied;
  }
  key = Issue(made, access);
  disposition = existed ? 2 : 1;
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
  if (const Key* key = Find(root, path)) {
    for (const auto& [stored_name, value] : key->values) {
      if (AsciiUpper(stored_name) == AsciiUpper(name)) {
        return value;
      }
    }
  }
  return std::nullopt;
}

bool FakeRegistry::KeyExists(std::int32_t root, const std::string& path) const {
  return Find(root, path) != nullptr;
}

}  // namespace fake
