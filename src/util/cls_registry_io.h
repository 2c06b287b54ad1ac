#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

/// The overflow error a listing raises past 32,767 entries, where its 16-bit count would wrap.
struct CountOverflow {};

/// One place in the registry (root, key path, value name) and the reads and writes there. Reads
/// are silent; writes and key creation report their failures in message boxes.
class cls_RegistryIO {
 public:
  /// The predefined root keys, as signed 32-bit handles.
  std::int32_t HKEY_CLASSES_ROOT() const { return INT32_MIN; }
  std::int32_t HKEY_CURRENT_USER() const { return INT32_MIN + 1; }
  std::int32_t HKEY_LOCAL_MACHINE() const { return INT32_MIN + 2; }
  std::int32_t HKEY_USERS() const { return INT32_MIN + 3; }
  std::int32_t HKEY_PERFORMANCE_DATA() const { return INT32_MIN + 4; }
  std::int32_t HKEY_CURRENT_CONFIG() const { return INT32_MIN + 5; }
  std::int32_t HKEY_DYN_DATA() const { return INT32_MIN + 6; }

  /// The root key; 0 (never set) makes every registry call fail.
  std::int32_t ClassKey() const { return ClassKey_; }
  void ClassKey(std::int32_t lKey) { ClassKey_ = lKey; }
  /// The key path below the root, without a leading "\"; empty addresses the root.
  std::wstring SectionKey() const { return SectionKey_; }
  void SectionKey(std::wstring sSectionKey) { SectionKey_ = std::move(sSectionKey); }
  /// The value's name; empty names the key's default value.
  std::wstring ValueKey() const { return ValueKey_; }
  void ValueKey(std::wstring sValueKey) { ValueKey_ = std::move(sValueKey); }

  /// True when the key can be opened for reading.
  bool KeyExists() const;
  /// The value's data as text, trimmed of spaces and of one final zero; empty when missing.
  std::wstring Value() const;
  /// Writes `sValue` as a string value unless the value already reads so.
  void Value(const std::wstring& sValue);
  /// Writes `sValue` with the registry type `ai_Type` (1 string, 4 32-bit number) unless the value
  /// already reads so; other types are refused with a message.
  void ValueEx(std::int32_t ai_Type, const std::wstring& sValue);

  /// Lists the key's values as {name, data} in the registry's order, the data with every byte
  /// delivered. Throws CountOverflow past 32,767 values.
  void EnumerateValues(std::vector<std::array<std::wstring, 2>>& sKeys,
                       std::int16_t& iKeyCount) const;
  /// Lists the names of the key's subkeys in the registry's order. Throws CountOverflow past
  /// 32,767 subkeys.
  void EnumerateSections(std::vector<std::wstring>& sSect, std::int16_t& iSectCount) const;
  /// 0 when the key exists or was created with its missing parents; -1 after a message.
  std::int16_t CreateKey() const;

 private:
  bool bcheckRegKey(std::int32_t ai_Root, const std::wstring& as_Path) const;
  bool bgetRegValue(std::int32_t ai_Root, const std::wstring& as_Path, const std::wstring& as_Name,
                    std::wstring& as_Data) const;
  bool bcreateRegKey(std::int32_t ai_Root, const std::wstring& as_Path) const;
  bool bsetRegValueEx(std::int32_t ai_Type, std::int32_t ai_Root, const std::wstring& as_Path,
                      const std::wstring& as_Name, const std::wstring& as_Data) const;

  std::int32_t ClassKey_ = 0;
  std::wstring SectionKey_;
  std::wstring ValueKey_;
};
