// The two paths and the last folder, kept between runs in the user's settings (wxConfig: the
// registry on Windows, the user's configuration folder elsewhere).
#pragma once

#include <wx/string.h>

class wxConfigBase;

namespace trelvan {

struct RememberedPaths {
  wxString abo;
  wxString dbf;
  wxString folder;  // where the file chooser opens when its field names no folder

  static RememberedPaths Load(wxConfigBase& settings);
  // Written through at once, so that a program ended from outside keeps them too.
  void Save(wxConfigBase& settings) const;
};

}  // namespace trelvan
