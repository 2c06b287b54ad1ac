// The stencil switch's copy, repeated under Wine through the program's own file class on the real
// platform: every copy must leave the destination byte for byte the source.
#include <gtest/gtest.h>

#include "e2e/sandbox.h"
#include "platform/platform.h"
#include "platform/win32/win32_platform.h"
#include "util/cls_file.h"

namespace e2e {
namespace {

constexpr int kCopies = 200;

// A failed copy shows a message box: answer it at once, so that the test fails instead of waiting.
class AnsweredMessages : public platform::Dialogs {
 public:
  int MessageBox(const std::wstring& text, const std::wstring&, std::uint32_t) override {
    texts.push_back(text);
    return platform::mb::kIdOk;
  }
  std::vector<std::wstring> texts;
};

TEST(CopyEndurance, AlternatingStencilsOverStencilInUse) {
  platform::InstallWin32();
  AnsweredMessages messages;
  platform::Platform parts = platform::Current();
  parts.dialogs = &messages;
  platform::Install(parts);
  const std::string working = ReadBytes(kWorkingStencil);
  const std::string blank = ReadBytes(kBlankStencil);
  ASSERT_FALSE(working.empty() || blank.empty() || working == blank);

  cls_File files;
  for (int copy = 0; copy < kCopies; ++copy) {
    const bool to_blank = copy % 2 == 0;
    ASSERT_EQ(files.of_Copy(to_blank ? kBlankStencil : kWorkingStencil, kStencilInUse, false), 0)
        << "copy " << copy << " failed";
    ASSERT_TRUE(ReadBytes(kStencilInUse) == (to_blank ? blank : working))
        << "copy " << copy << " left other bytes";
  }
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_TRUE(ReadBytes(kWorkingStencil) == working) << "the working stencil changed";
  EXPECT_TRUE(ReadBytes(kBlankStencil) == blank) << "the blank stencil changed";
}

}  // namespace
}  // namespace e2e
