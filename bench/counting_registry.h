#pragma once

#include "platform/registry.h"

/// Passes every call to another registry and counts the keys opened and the values read.
class CountingRegistry final : public platform::Registry {
 public:
  explicit CountingRegistry(platform::Registry& inner) : inner_(inner) {}

  /// Keys opened (OpenKeyEx calls), successful or not.
  int Opens() const { return opens_; }
  /// Value reads (EnumValue calls), successful or not.
  int ValueReads() const { return value_reads_; }

  long OpenKeyEx(std::int32_t root, const std::wstring& path, std::uint32_t options,
                 std::uint32_t access, platform::RegHandle& key) override;
  long EnumValue(platform::RegHandle key, std::uint32_t index, char* name, std::uint32_t& name_size,
                 std::uint32_t& type, unsigned char* data, std::uint32_t& data_size) override;
  long EnumKey(platform::RegHandle key, std::uint32_t index, char* name,
               std::uint32_t name_size) override;
  long CreateKeyEx(std::int32_t root, const std::wstring& path, std::uint32_t reserved,
                   const std::string& key_class, std::uint32_t options, std::uint32_t access,
                   platform::RegHandle& key, std::uint32_t& disposition) override;
  long SetValueEx(platform::RegHandle key, const std::wstring& name, std::uint32_t reserved,
                  std::uint32_t type, const unsigned char* data, std::uint32_t size) override;
  long CloseKey(platform::RegHandle key) override;

 private:
  platform::Registry& inner_;
  int opens_ = 0;
  int value_reads_ = 0;
};
