#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// An open registry key; 0 never names one.
using RegHandle = std::uintptr_t;

/// Win32 result codes the registry calls give.
namespace reg_error {
constexpr long kNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kInvalidName = 123;
constexpr long kMoreData = 234;
constexpr long kNoMoreItems = 259;
}  // namespace reg_error

/// The registry functions of advapi32 in their narrow forms, one to one. Key paths and value names
/// go to them in the ANSI code page (one that has no exact form there fails with 123 and reaches no
/// call); names and data come back, and data goes, as its bytes. Roots are the signed 32-bit
/// predefined key constants (0x80000000...). Every call returns a Win32 code: 0 success, 2 no such
/// key, 5 access denied, 6 bad handle (a root of 0 or a closed key), 234 a buffer too small, 259 no
/// entry at that index.
class Registry {
 public:
  virtual ~Registry() = default;

  /// RegOpenKeyExA. An empty path opens the root itself. On 0, `key` holds a new handle.
  virtual long OpenKeyEx(std::int32_t root, const std::wstring& path, std::uint32_t options,
                         std::uint32_t access, RegHandle& key) = 0;

  /// RegEnumValueA with a null reserved argument. In: `name_size` and `data_size` are the buffer
  /// capacities (the name's counts its terminating zero). On 0: `name_size` is the name's length
  /// without the zero, `data_size` the bytes delivered. 234: the name or the data does not fit;
  /// for oversized data `data_size` tells the size needed and the name buffer is left untouched.
  virtual long EnumValue(RegHandle key, std::uint32_t index, char* name, std::uint32_t& name_size,
                         std::uint32_t& type, unsigned char* data, std::uint32_t& data_size) = 0;

  /// RegEnumKeyA: the subkey's name, zero-terminated, in a buffer of `name_size` bytes; 234 when it
  /// does not fit. Needs a key opened with the right to list subkeys (8).
  virtual long EnumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t name_size) = 0;

  /// RegCreateKeyExA with a zero-filled security-attributes record: makes every missing key along
  /// the path. `disposition` is 1 for a new key, 2 for an existing one.
  virtual long CreateKeyEx(std::int32_t root, const std::wstring& path, std::uint32_t reserved,
                           const std::string& key_class, std::uint32_t options,
                           std::uint32_t access, RegHandle& key, std::uint32_t& disposition) = 0;

  /// RegSetValueExA: stores `size` bytes of `data` under `name` (empty: the default value).
  virtual long SetValueEx(RegHandle key, const std::wstring& name, std::uint32_t reserved,
                          std::uint32_t type, const unsigned char* data, std::uint32_t size) = 0;

  /// RegCloseKey.
  virtual long CloseKey(RegHandle key) = 0;
};

}  // namespace platform
