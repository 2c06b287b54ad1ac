#include <windows.h>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

namespace {

// Sign-extends the 32-bit constant as the SDK's own HKEY_* values are on x86_64.
HKEY Root(std::int32_t root) {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

HKEY Key(RegHandle key) {
  return reinterpret_cast<HKEY>(key);
}

class Win32Registry final : public Registry {
 public:
  long OpenKeyEx(std::int32_t root, const std::wstring& path, std::uint32_t options,
                 std::uint32_t access, RegHandle& key) override {
    return Narrowed(
        [&](const char* narrow) -> long {
          HKEY opened = nullptr;
          const LONG result = RegOpenKeyExA(Root(root), narrow, options, access, &opened);
          if (result == ERROR_SUCCESS) {
            key = reinterpret_cast<RegHandle>(opened);
          }
          return result;
        },
        path);
  }

  long EnumValue(RegHandle key, std::uint32_t index, char* name, std::uint32_t& name_size,
                 std::uint32_t& type, unsigned char* data, std::uint32_t& data_size) override {
    DWORD name_length = name_size;
    DWORD value_type = 0;
    DWORD data_length = data_size;
    const LONG result = RegEnumValueA(Key(key), index, name, &name_length, nullptr, &value_type,
                                      data, &data_length);
    name_size = name_length;
    type = value_type;
    data_size = data_length;
    return result;
  }

  long EnumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t name_size) override {
    return RegEnumKeyA(Key(key), index, name, name_size);
  }

  long CreateKeyEx(std::int32_t root, const std::wstring& path, std::uint32_t reserved,
                   const std::string& key_class, std::uint32_t options, std::uint32_t access,
                   RegHandle& key, std::uint32_t& disposition) override {
    return Narrowed(
        [&](const char* narrow) -> long {
          SECURITY_ATTRIBUTES security{};
          std::string class_name = key_class;
          HKEY created = nullptr;
          DWORD how = 0;
          const LONG result = RegCreateKeyExA(Root(root), narrow, reserved, class_name.data(),
                                              options, access, &security, &created, &how);
          if (result == ERROR_SUCCESS) {
            key = reinterpret_cast<RegHandle>(created);
            disposition = how;
          }
          return result;
        },
        path);
  }

  long SetValueEx(RegHandle key, const std::wstring& name, std::uint32_t reserved,
                  std::uint32_t type, const unsigned char* data, std::uint32_t size) override {
    return Narrowed(
        [&](const char* narrow) -> long {
          return RegSetValueExA(Key(key), narrow, reserved, type, data, size);
        },
        name);
  }

  long CloseKey(RegHandle key) override { return RegCloseKey(Key(key)); }
};

}  // namespace

Registry& TheRegistry() {
  static Win32Registry registry;
  return registry;
}

}  // namespace platform::win32
