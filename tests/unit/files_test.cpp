// Files on Wine's drives: what counts as one, and what deleting, copying and renaming do and say.
#include "unit/windows.h"
#include "util/cls_file.h"

namespace unit {
namespace {

void Populate() {
  // A name the code page lacks, and one that narrow calls would hand back as "a\..\..\victim.txt".
  for (const wchar_t* name :
       {L"a.txt", L"l.txt", L"ж.txt", L"m\\1.txt", L"m\\2.txt", L"m\\3.txt", L"Q:\\x.tmp",
        L"d\\own.txt", L"d\\a\uFF3C..\uFF3C..\uFF3Cvictim.txt", L"victim.txt", L"v\\a.vss",
        L"v\\drawing.vssx", L"m\\d.txt\\", L"m\\xtxt"}) {
    Make(name);
  }
  Make(L"ro.txt", 1, FILE_ATTRIBUTE_READONLY);
  Make(L"hidden.txt", 1, FILE_ATTRIBUTE_HIDDEN);
  Make(L"system.txt", 1, FILE_ATTRIBUTE_SYSTEM);
  Make(L"m\\h.txt", 1, FILE_ATTRIBUTE_HIDDEN);
  Make(L"dst\\b.txt", 2);
}

TEST_F(Windows, TellsActsOnAndReportsFiles) {
  const auto a = At(L"a.txt"), ro = At(L"ro.txt"), m1 = At(L"m\\1.txt"), m2 = At(L"m\\2.txt");
  const auto dst = At(L"dst\\");
  const auto failed = [](const std::wstring& what, DWORD code) {
    return Box{L"Failed to " + what + L"\": " + Cause(code), mb::kOk | mb::kIconCritical};
  };
  const Box sure{L"Sure to delete file \"" + a + L"\"?",
                 mb::kYesNo | mb::kIconExclamation | mb::kDefaultButton2};
  cls_File f;
  // clang-format off
  const Act acts[] = {
      // Names are taken exactly: not as the wildcard "?" nor as the look-alike "l" of a code page.
      {"a.txt", [&] { return f.of_IsFile(a); }, 1, {}},
      {"read-only", [&] { return f.of_IsFile(ro); }, 1, {}},
      {"with slashes", [&] { return f.of_IsFile(L"C:/brenvic-unit/a.txt"); }, 1, {}},
      {"ж.txt", [&] { return f.of_IsFile(At(L"ж.txt")); }, 1, {}},
      {"hidden", [&] { return f.of_IsFile(At(L"hidden.txt")); }, 0, {}},
      {"system", [&] { return f.of_IsFile(At(L"system.txt")); }, 0, {}},
      {"a folder", [&] { return f.of_IsFile(At(L"m\\d.txt")) || f.of_IsFile(At(L"m\\")); }, 0, {}},
      {"none", [&] { return f.of_IsFile(At(L"none.txt")) || f.of_IsFile(L""); }, 0, {}},
      {"ł.txt", [&] { return f.of_IsFile(At(L"ł.txt")); }, 0, {}},
      {"counted", [&] { return f.of_GetFileCount(At(L"m\\"), L"txt"); }, 3, {}},
      // Windows matches a wildcard against 8.3 names too: drawing.vssx is DRAWIN~1.VSS.
      {"counted by long names", [&] { return f.of_GetFileCount(At(L"v\\"), L"vss"); }, 1, {}},
      {"delete by long names", [&] { return f.of_DeleteFiles(At(L"v\\*.vss"), false); }, 0, {},
       {{L"v\\a.vss", -1}}},
      {"delete answered No", [&] { return f.of_Delete(a, true); }, -1, {sure}},
      {"delete answered Yes", [&] { return f.of_Delete(a, true); }, 0, {sure}, {{L"a.txt", -1}},
       {mb::kIdYes}},
      {"delete nothing", [&] { return f.of_Delete(At(L"no"), true); }, 0, {}},
      {"delete read-only", [&] { return f.of_Delete(ro, false); }, -1,
       {failed(L"delete file \"" + ro, 5)}},
      {"delete a pattern up to one in use", [&] { return f.of_DeleteFiles(At(L"m\\*.txt"), true); },
       -1, {failed(L"delete file \"" + m2, 32)}, {{L"m\\1.txt", -1}}, {}, L"m\\2.txt"},
      {"delete in a drive's current folder", [&] { return f.of_DeleteFiles(L"Q:*.tmp", false); }, 0,
       {}, {{L"Q:\\x.tmp", -1}}},
      {"delete ж.txt", [&] { return f.of_Delete(At(L"ж.txt"), false); }, 0, {}, {{L"ж.txt", -1}}},
      {"delete names that look like paths", [&] { return f.of_DeleteFiles(At(L"d\\*.txt"), false); }, 0,
       {}, {{L"d\\own.txt", -1}, {L"d\\a\uFF3C..\uFF3C..\uFF3Cvictim.txt", -1}}},
      {"copy into a folder", [&] { return f.of_Copy(a, dst, false); }, 0, {}, {{L"dst\\a.txt", 1}}},
      {"copy over a file", [&] { return f.of_Copy(a, dst + L"b.txt", false); }, 0, {},
       {{L"dst\\b.txt", 1}}},
      {"copy a pattern up to one in use", [&] { return f.of_CopyFiles(L"*.txt", At(L"m\\"), dst); },
       -1, {failed(L"copy file \"" + m2 + L"\" to \"" + dst + L"2.txt", 32)},
       {{L"dst\\1.txt", 1}}, {}, L"m\\2.txt"},
      {"rename in its folder", [&] { return f.of_Rename(m1, L"C:\\x\\y.txt"); }, 0, {},
       {{L"m\\1.txt", -1}, {L"m\\y.txt", 1}}},
      {"rename onto a file, warned", [&] { return f.of_Rename(m1, L"2.txt", true); }, -1,
       {failed(L"rename file from \"" + m1 + L"\" to \"" + m2, 183)}},
      {"rename onto a file, unwarned", [&] { return f.of_Rename(m1, L"2.txt"); }, -1, {}},
      {"rename to ł.txt", [&] { return f.of_Rename(m1, L"ł.txt", true); }, 0, {},
       {{L"m\\1.txt", -1}, {L"m\\ł.txt", 1}}},
      {"missing file, told", [&] { return f.of_IsFileEx(At(L"no"), true); }, 0,
       {{L"File not found: " + At(L"no"), mb::kOk | mb::kIconExclamation}}},
      {"file there, told", [&] { return f.of_IsFileEx(a, true); }, 1, {}},
  };
  // clang-format on
  for (const Act& act : acts) {
    Play(act, Populate);
  }
}

}  // namespace
}  // namespace unit
