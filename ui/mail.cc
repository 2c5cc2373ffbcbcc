#include "ui/mail.h"

#include <string>

#include "ui/launcher.h"

#ifdef __WXMSW__
#include <wx/window.h>

#include <wx/msw/wrapwin.h>

#include <mapi.h>

#include "platform/windows_text.h"
#endif

namespace trelvan {

namespace {
constexpr unsigned long kMapiSuccess = 0;
constexpr unsigned long kMapiUserAbort = 1;
constexpr unsigned long kMapiLogonFailure = 3;
constexpr int kXdgToolNotFound = 3;
}  // namespace

MailResult MailResultFromMapi(unsigned long result) {
  switch (result) {
    case kMapiSuccess:
    case kMapiUserAbort:
    case kMapiLogonFailure:
      return MailResult::kDone;
    default:
      return MailResult::kSendFailed;
  }
}

MailResult DesktopMailSender::Send(wxWindow* /*owner*/, const wxString& to,
                                   const wxString& subject) {
  const LaunchResult run = launcher_.Run({"xdg-email", "--subject", subject, to});
  if (!run.started || run.exit_code == kXdgToolNotFound) return MailResult::kUnavailable;
  return run.exit_code == 0 ? MailResult::kDone : MailResult::kSendFailed;
}

#ifdef __WXMSW__
MailResult MapiMailSender::Send(wxWindow* owner, const wxString& to, const wxString& subject) {
  HMODULE library = ::LoadLibraryA(library_name_);
  if (library == nullptr) return MailResult::kUnavailable;
  // Through void (*)(), the type GCC accepts as "any function".
  auto send_mail = reinterpret_cast<LPMAPISENDMAIL>(
      reinterpret_cast<void (*)()>(::GetProcAddress(library, "MAPISendMail")));
  if (send_mail == nullptr) {
    ::FreeLibrary(library);
    return MailResult::kLibraryInvalid;
  }
  // Simple MAPI's strings are in the system code page.
  std::string address = windows::AnsiFromWide(to.ToStdWstring());
  std::string subject_text = windows::AnsiFromWide(subject.ToStdWstring());

  MapiRecipDesc recipient{};
  recipient.ulRecipClass = MAPI_TO;
  recipient.lpszAddress = address.data();
  MapiMessage message{};
  message.lpszSubject = subject_text.data();
  message.nRecipCount = 1;
  message.lpRecips = &recipient;

  const ULONG result = send_mail(0, reinterpret_cast<ULONG_PTR>(owner ? owner->GetHWND() : nullptr),
                                 &message, MAPI_LOGON_UI | MAPI_DIALOG, 0);
  ::FreeLibrary(library);
  return MailResultFromMapi(result);
}
#endif

}  // namespace trelvan
