#include "util/cls_registry_io.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "platform/ansi.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "util/message.h"

namespace {

constexpr std::uint32_t kQueryValue = 1;
constexpr std::uint32_t kSetValue = 2;
constexpr std::uint32_t kEnumerateSubKeys = 8;
constexpr std::uint32_t kCreateAccess = 0x3F;
constexpr std::uint32_t kBufferSize = 255;
constexpr std::int32_t kString = 1;
constexpr std::int32_t kNumber = 4;
constexpr std::int16_t kMaxCount = std::numeric_limits<std::int16_t>::max();

// An open key, closed when it goes out of scope; a failed open leaves nothing to close.
class OpenKey {
 public:
  OpenKey(std::int32_t root, const std::wstring& path, std::uint32_t access)
      : code_(platform::Current().registry->OpenKeyEx(root, path, 0, access, handle_)) {}
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (code_ == 0) {
      platform::Current().registry->CloseKey(handle_);
    }
  }
  long code() const { return code_; }
  platform::RegHandle handle() const { return handle_; }

 private:
  platform::RegHandle handle_ = 0;
  long code_;
};

// One entry of a value listing, with both work buffers prefilled with spaces.
struct ValueEntry {
  std::array<char, kBufferSize> name;
  std::array<unsigned char, kBufferSize> data;
  std::uint32_t name_size = kBufferSize;
  std::uint32_t data_size = kBufferSize;
  long code = 0;

  ValueEntry(platform::RegHandle key, std::uint32_t index) {
    name.fill(' ');
    data.fill(' ');
    std::uint32_t type = 0;
    code = platform::Current().registry->EnumValue(key, index, name.data(), name_size, type,
                                                   data.data(), data_size);
  }
  std::wstring Name() const { return platform::Wide(std::string_view(name.data(), name_size)); }
  std::wstring Data(std::uint32_t bytes) const {
    return platform::Wide(std::string_view(reinterpret_cast<const char*>(data.data()), bytes));
  }
};

// A listing goes on past an entry too large for the buffers, and ends at any other failure.
bool KeepsListing(long code) {
  return code == 0 || code == platform::reg_error::kMoreData;
}

void CountOne(std::int16_t& count) {
  if (count == kMaxCount) {
    throw CountOverflow{};
  }
  ++count;
}

std::wstring TrimSpaces(const std::wstring& text) {
  const std::wstring::size_type first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// A decimal number, blanks around it allowed, rounded half to even. Anything else is nullopt, and
// `description` names the conversion's error as the message of a failed write shows it. Read
// digit by digit: exact for any length, and without the C library's floating-point parser.
std::optional<std::int32_t> ToLong(const std::wstring& text, std::wstring& description) {
  const std::wstring trimmed = TrimSpaces(text);
  const bool signed_text = !trimmed.empty() && (trimmed[0] == L'-' || trimmed[0] == L'+');
  const bool negative = signed_text && trimmed[0] == L'-';
  // The whole part stops growing just past the largest magnitude 32 bits hold.
  constexpr std::uint64_t kSaturated = std::uint64_t{1} << 31 | 1;
  std::uint64_t whole = 0;
  int first_fraction = -1;
  bool fraction_beyond = false;
  bool seen_digit = false;
  bool seen_point = false;
  for (std::size_t i = signed_text ? 1 : 0; i < trimmed.size(); ++i) {
    const wchar_t c = trimmed[i];
    if (c >= L'0' && c <= L'9') {
      seen_digit = true;
      const int digit = c - L'0';
      if (!seen_point) {
        whole = std::min(whole * 10 + static_cast<std::uint64_t>(digit), kSaturated);
      } else if (first_fraction < 0) {
        first_fraction = digit;
      } else if (digit != 0) {
        fraction_beyond = true;
      }
    } else if (c == L'.' && !seen_point) {
      seen_point = true;
    } else {
      seen_digit = false;
      break;
    }
  }
  if (!seen_digit) {
    description = L"Type mismatch";
    return std::nullopt;
  }
  const bool past_half = first_fraction > 5 || (first_fraction == 5 && fraction_beyond);
  const bool tie_to_odd = first_fraction == 5 && !fraction_beyond && whole % 2 == 1;
  const std::uint64_t magnitude = whole + (past_half || tie_to_odd ? 1 : 0);
  const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
  if (magnitude > limit) {
    description = L"Overflow";
    return std::nullopt;
  }
  const auto value = static_cast<std::int64_t>(magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

bool cls_RegistryIO::KeyExists() const {
  return bcheckRegKey(ClassKey_, SectionKey_);
}

std::wstring cls_RegistryIO::Value() const {
  std::wstring data;
  if (bgetRegValue(ClassKey_, SectionKey_, ValueKey_, data)) {
    return data;
  }
  return {};
}

void cls_RegistryIO::Value(const std::wstring& sValue) {
  ValueEx(kString, sValue);
}

void cls_RegistryIO::ValueEx(std::int32_t ai_Type, const std::wstring& sValue) {
  if (sValue == Value()) {
    return;
  }
  bsetRegValueEx(ai_Type, ClassKey_, SectionKey_, ValueKey_, sValue);
}

void cls_RegistryIO::EnumerateValues(std::vector<std::array<std::wstring, 2>>& sKeys,
                                     std::int16_t& iKeyCount) const {
  iKeyCount = 0;
  sKeys.clear();
  const OpenKey key(ClassKey_, SectionKey_, kQueryValue);
  long code = key.code();
  for (std::uint32_t index = 0; KeepsListing(code); ++index) {
    const ValueEntry entry(key.handle(), index);
    code = entry.code;
    if (code == 0) {
      CountOne(iKeyCount);
      sKeys.push_back({entry.Name(), entry.Data(entry.data_size)});
    }
  }
}

void cls_RegistryIO::EnumerateSections(std::vector<std::wstring>& sSect,
                                       std::int16_t& iSectCount) const {
  iSectCount = 0;
  sSect.clear();
  const OpenKey key(ClassKey_, SectionKey_, kEnumerateSubKeys);
  long code = key.code();
  for (std::uint32_t index = 0; KeepsListing(code); ++index) {
    std::array<char, kBufferSize> name;
    name.fill(' ');
    code = platform::Current().registry->EnumKey(key.handle(), index, name.data(), kBufferSize);
    if (code == 0) {
      CountOne(iSectCount);
      const std::string_view text(name.data(), name.size());
      sSect.push_back(platform::Wide(text.substr(0, text.find('\0'))));
    }
  }
}

std::int16_t cls_RegistryIO::CreateKey() const {
  return bcreateRegKey(ClassKey_, SectionKey_) ? 0 : -1;
}

bool cls_RegistryIO::bcheckRegKey(std::int32_t ai_Root, const std::wstring& as_Path) const {
  return OpenKey(ai_Root, as_Path, kQueryValue).code() == 0;
}

bool cls_RegistryIO::bgetRegValue(std::int32_t ai_Root, const std::wstring& as_Path,
                                  const std::wstring& as_Name, std::wstring& as_Data) const {
  const OpenKey key(ai_Root, as_Path, kQueryValue);
  long code = key.code();
  bool found = false;
  for (std::uint32_t index = 0; KeepsListing(code) && !found; ++index) {
    const ValueEntry entry(key.handle(), index);
    code = entry.code;
    if (code == 0 && entry.Name() == as_Name) {
      // The last byte is the string's terminating zero; spaces go before a further zero does.
      std::wstring data = entry.data_size == 0 ? std::wstring() : entry.Data(entry.data_size - 1);
      data = TrimSpaces(data);
      if (!data.empty() && data.back() == L'\0') {
        data.pop_back();
      }
      as_Data = std::move(data);
      found = true;
    }
  }
  return found;
}

bool cls_RegistryIO::bcreateRegKey(std::int32_t ai_Root, const std::wstring& as_Path) const {
  if (bcheckRegKey(ai_Root, as_Path)) {
    return true;
  }
  platform::Registry& registry = *platform::Current().registry;
  platform::RegHandle handle = 0;
  std::uint32_t disposition = 0;
  if (registry.CreateKeyEx(ai_Root, as_Path, 0, "", 0, kCreateAccess, handle, disposition) == 0) {
    registry.CloseKey(handle);
    return true;
  }
  util::ShowMessage(
      L"Failed to create registry entry ''" + as_Path + L"''." + L"  Please try later.",
      platform::mb::kOk | platform::mb::kIconExclamation);
  return false;
}

bool cls_RegistryIO::bsetRegValueEx(std::int32_t ai_Type, std::int32_t ai_Root,
                                    const std::wstring& as_Path, const std::wstring& as_Name,
                                    const std::wstring& as_Data) const {
  if (ai_Type != kString && ai_Type != kNumber) {
    util::ShowMessage(L"Invalid type for cls_RegistryIO.bsetRegValueEx", platform::mb::kOk);
    return false;
  }
  // The data as it is stored. Data that cannot be is not written at all: the value keeps what it
  // held, and the message says why.
  std::wstring description;
  std::string data;
  if (ai_Type == kString) {
    const auto text = platform::Ansi(as_Data);
    description = text ? L"" : util::Cause(platform::reg_error::kInvalidName);
    data = text.value_or("") + '\0';
  } else if (const auto number = ToLong(as_Data, description)) {
    for (int shift = 0; shift < 32; shift += 8) {
      data += static_cast<char>(static_cast<std::uint32_t>(*number) >> shift);
    }
  }
  long code = platform::reg_error::kInvalidName;
  if (description.empty()) {
    if (!bcreateRegKey(ai_Root, as_Path)) {
      return false;
    }
    const OpenKey key(ai_Root, as_Path, kSetValue);
    code = key.code();
    if (code == 0) {
      code = platform::Current().registry->SetValueEx(
          key.handle(), as_Name, 0, static_cast<std::uint32_t>(ai_Type),
          reinterpret_cast<const unsigned char*>(data.data()),
          static_cast<std::uint32_t>(data.size()));
    }
    // A name the code page cannot hold: the only refusal whose cause the message can name.
    if (code == platform::reg_error::kInvalidName) {
      description = util::Cause(code);
    }
  }
  if (code == 0) {
    return true;
  }
  util::ShowMessage(L"Failed to set registry value: " + description + L"  Please try later.",
                    platform::mb::kOk);
  return false;
}
