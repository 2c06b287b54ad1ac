#pragma once

#include <string>

#include "platform/toolkit.h"

/// Host-level services: window placement, the development-run test, and Visio's Solutions folder.
class cls_Global {
 public:
  /// Moves the window so that its outer rectangle sits in the middle of the whole screen; its size
  /// stays.
  void gv_CenterForm(platform::FormId afrm_Form);
  /// True when the first 10 characters of `as_DevelopmentPath` occur, in any case, in the folder
  /// of the program's own executable.
  bool gb_InVB(const std::wstring& as_DevelopmentPath);
  /// Visio's Solutions folder, found through the drawing class's open command, ending in
  /// "Solutions\"; the empty string when there is none.
  std::wstring gs_FindSolutionDir();
};
