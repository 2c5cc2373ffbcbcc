// The mail link's layer: a new message with one recipient and a subject, handed to the user's
// mail program. On Windows through Simple MAPI, elsewhere through the desktop's mail composer.
#pragma once

#include <wx/string.h>

class wxWindow;

namespace trelvan {

class Launcher;

enum class MailResult {
  kDone,            // handed over, cancelled by the user or a failed logon: nothing to say
  kUnavailable,     // no mail system to load
  kLibraryInvalid,  // the mail library lacks its entry point
  kSendFailed,
};

class MailSender {
 public:
  virtual ~MailSender() = default;
  // Opens a new message to `to` with `subject` and no body, owned by `owner`; returns when the
  // mail program has it.
  virtual MailResult Send(wxWindow* owner, const wxString& to, const wxString& subject) = 0;
};

// Maps a MAPISendMail result: success (0), user abort (1) and logon failure (3) are silent.
MailResult MailResultFromMapi(unsigned long result);

// The desktop's composer: `xdg-email --subject SUBJECT ADDRESS`. A composer that is not
// installed, or that cannot find a mail program (exit code 3), means no mail system.
class DesktopMailSender : public MailSender {
 public:
  explicit DesktopMailSender(Launcher& launcher) : launcher_(launcher) {}
  MailResult Send(wxWindow* owner, const wxString& to, const wxString& subject) override;

 private:
  Launcher& launcher_;
};

#ifdef __WXMSW__
// Simple MAPI, loaded from MAPI32.DLL for each message and unloaded afterwards. Tests name
// other libraries to reach the failure paths.
class MapiMailSender : public MailSender {
 public:
  explicit MapiMailSender(const char* library_name = "MAPI32.DLL") : library_name_(library_name) {}
  MailResult Send(wxWindow* owner, const wxString& to, const wxString& subject) override;

 private:
  const char* library_name_;
};
#endif

}  // namespace trelvan
