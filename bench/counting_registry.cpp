#include "counting_registry.h"

long CountingRegistry::OpenKeyEx(std::int32_t root, const std::wstring& path, std::uint32_t options,
                                 std::uint32_t access, platform::RegHandle& key) {
  ++opens_;
  return inner_.OpenKeyEx(root, path, options, access, key);
}

long CountingRegistry::EnumValue(platform::RegHandle key, std::uint32_t index, char* name,
                                 std::uint32_t& name_size, std::uint32_t& type, unsigned char* data,
                                 std::uint32_t& data_size) {
  ++value_reads_;
  return inner_.EnumValue(key, index, name, name_size, type, data, data_size);
}

long CountingRegistry::EnumKey(platform::RegHandle key, std::uint32_t index, char* name,
                               std::uint32_t name_size) {
  return inner_.EnumKey(key, index, name, name_size);
}

long CountingRegistry::CreateKeyEx(std::int32_t root, const std::wstring& path,
                                   std::uint32_t reserved, const std::string& key_class,
                                   std::uint32_t options, std::uint32_t access,
                                   platform::RegHandle& key, std::uint32_t& disposition) {
  return inner_.CreateKeyEx(root, path, reserved, key_class, options, access, key, disposition);
}

long CountingRegistry::SetValueEx(platform::RegHandle key, const std::wstring& name,
                                  std::uint32_t reserved, std::uint32_t type,
                                  const unsigned char* data, std::uint32_t size) {
  return inner_.SetValueEx(key, name, reserved, type, data, size);
}

long CountingRegistry::CloseKey(platform::RegHandle key) {
  return inner_.CloseKey(key);
}
