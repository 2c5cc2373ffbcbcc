#include "ui/remembered_paths.h"

#include <wx/config.h>

namespace trelvan {

namespace {
constexpr char kAboKey[] = "/Paths/Abo";
constexpr char kDbfKey[] = "/Paths/Dbf";
constexpr char kFolderKey[] = "/Paths/LastFolder";
}  // namespace

RememberedPaths RememberedPaths::Load(wxConfigBase& settings) {
  return {settings.Read(kAboKey, wxString()), settings.Read(kDbfKey, wxString()),
          settings.Read(kFolderKey, wxString())};
}

void RememberedPaths::Save(wxConfigBase& settings) const {
  settings.Write(kAboKey, abo);
  settings.Write(kDbfKey, dbf);
  settings.Write(kFolderKey, folder);
  settings.Flush();
}

}  // namespace trelvan
