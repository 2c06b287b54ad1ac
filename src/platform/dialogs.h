#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// MessageBox styles and answers, with the values user32 gives them.
namespace mb {
constexpr std::uint32_t kOk = 0x0;
constexpr std::uint32_t kYesNo = 0x4;
constexpr std::uint32_t kIconCritical = 0x10;
constexpr std::uint32_t kIconQuestion = 0x20;
constexpr std::uint32_t kIconExclamation = 0x30;
constexpr std::uint32_t kIconInformation = 0x40;
constexpr std::uint32_t kDefaultButton2 = 0x100;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
}  // namespace mb

/// Modal message boxes.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  /// Shows `text` captioned `title` with the `mb` style bits, modal to the window in front of the
  /// program (task-modal when there is none); returns the button pressed (`mb::kId...`).
  virtual int MessageBox(const std::wstring& text, const std::wstring& title,
                         std::uint32_t style) = 0;
};

}  // namespace platform
