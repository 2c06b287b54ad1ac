#pragma once

#include "fake/fault_plan.h"
#include "platform/text.h"

namespace fake {

/// Text services with UTF-8 as the ANSI code page, so that a text's ANSI form can hold more bytes
/// than characters; what cannot be converted becomes "?". A failed call gives what the Win32 layer
/// makes of the call's failure: an empty conversion, an unchanged text.
class FakeText : public platform::Text {
 public:
  explicit FakeText(FaultPlan& faults) : faults_(faults) {}
  std::string ToAnsi(std::wstring_view text) override;
  std::wstring FromAnsi(std::string_view bytes) override;
  /// Upper-cases ASCII and Latin-1 letters.
  std::wstring UpperCase(std::wstring_view text) override;

 private:
  FaultPlan& faults_;
};

}  // namespace fake
