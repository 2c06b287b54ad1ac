#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fake/fault_plan.h"
#include "platform/registry.h"

namespace fake {

/// Registry value types.
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;

/// Access rights of a key handle.
constexpr std::uint32_t kKeyQueryValue = 1;
constexpr std::uint32_t kKeySetValue = 2;
constexpr std::uint32_t kKeyEnumerateSubKeys = 8;

/// A value as stored: its type and raw bytes.
struct StoredValue {
  std::uint32_t type = 0;
  std::vector<unsigned char> bytes;
  bool operator==(const StoredValue&) const = default;
};

/// The registry in memory: seven roots, case-insensitive keys, values in the order written,
/// subkeys in the order made, handles that remember their access rights.
class FakeRegistry : public platform::Registry {
 public:
  explicit FakeRegistry(FaultPlan& faults);
  ~FakeRegistry() override;

  long OpenKeyEx(std::int32_t root, const std::string& path, std::uint32_t options,
                 std::uint32_t access, platform::RegHandle& key) override;
  long EnumValue(platform::RegHandle key, std::uint32_t index, char* name, std::uint32_t& name_size,
                 std::uint32_t& type, unsigned char* data, std::uint32_t& data_size) override;
  long EnumKey(platform::RegHandle key, std::uint32_t index, char* name,
               std::uint32_t name_size) override;
  long CreateKeyEx(std::int32_t root, const std::string& path, std::uint32_t reserved,
                   const std::string& key_class, std::uint32_t options, std::uint32_t access,
                   platform::RegHandle& key, std::uint32_t& disposition) override;
  long SetValueEx(platform::RegHandle key, const std::string& name, std::uint32_t reserved,
                  std::uint32_t type, const unsigned char* data, std::uint32_t size) override;
  long CloseKey(platform::RegHandle key) override;

  /// Makes the key at `path` under `root` with every missing key above it.
  void AddKey(std::int32_t root, const std::string& path);
  /// Stores a value of `type` with exactly `bytes`, making the key when missing.
  void SetValue(std::int32_t root, const std::string& path, const std::string& name,
                std::uint32_t type, std::vector<unsigned char> bytes);
  /// Stores `text` as REG_SZ with its terminating zero, making the key when missing.
  void SetString(std::int32_t root, const std::string& path, const std::string& name,
                 const std::string& text);
  /// Makes opening the key (which is made when missing) fail with 5 when any of `rights` is asked.
  void DenyAccess(std::int32_t root, const std::string& path, std::uint32_t rights);
  /// The value stored under `name`, or nullopt when the key or the value is missing.
  std::optional<StoredValue> ValueOf(std::int32_t root, const std::string& path,
                                     const std::string& name) const;
  /// True when the key exists.
  bool KeyExists(std::int32_t root, const std::string& path) const;
  /// Number of handles opened and not yet closed.
  std::size_t OpenKeys() const { return handles_.size(); }

 private:
  struct Key;
  struct Open {
    Key* key = nullptr;
    std::uint32_t access = 0;
  };

  Key* Find(std::int32_t root, const std::string& path) const;
  Key* Make(std::int32_t root, const std::string& path);
  platform::RegHandle Issue(Key* key, std::uint32_t access);
  long Use(platform::RegHandle handle, std::uint32_t right, Key*& key) const;

  FaultPlan& faults_;
  std::vector<std::unique_ptr<Key>> roots_;
  std::map<platform::RegHandle, Open> handles_;
  platform::RegHandle next_handle_ = 0x100;
};

}  // namespace fake
