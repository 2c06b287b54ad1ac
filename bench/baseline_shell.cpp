// The floor of the help-page path: the same shell call for the same page, and nothing else.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const HINSTANCE result = ShellExecuteA(nullptr, "open", BRENVIC_HELP_BASE_URL "visio_Index.htm",
                                         "", "", SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32 ? 0 : 1;
}
