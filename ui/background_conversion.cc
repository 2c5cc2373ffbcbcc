#include "ui/background_conversion.h"

#include <exception>
#include <future>
#include <thread>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

namespace trelvan {

namespace {

// Hands every call to the main thread's event loop and waits for its answer.
class MainThreadPrompter : public Prompter {
 public:
  explicit MainThreadPrompter(Prompter& target) : target_(target) {}

  bool AskYesNo(const std::string& question) override {
    return OnMainThread([&] { return target_.AskYesNo(question); });
  }
  void Show(MessageStyle style, const std::string& text) override {
    OnMainThread([&] {
      target_.Show(style, text);
      return true;
    });
  }

 private:
  template <typename Call>
  bool OnMainThread(Call call) {
    std::promise<bool> answer;
    wxTheApp->CallAfter([&] {
      try {
        answer.set_value(call());
      } catch (...) {
        answer.set_exception(std::current_exception());
      }
    });
    return answer.get_future().get();
  }

  Prompter& target_;
};

}  // namespace

int RunInBackground(const std::function<int(Prompter&)>& conversion, Prompter& prompter) {
  MainThreadPrompter relay(prompter);
  wxGUIEventLoop loop;
  int result = 0;
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      result = conversion(relay);
    } catch (...) {
      failure = std::current_exception();
    }
    wxTheApp->CallAfter([&loop] { loop.Exit(); });
  });
  {
    wxWindowDisabler no_input;
    wxBusyCursor busy;
    loop.Run();
  }
  worker.join();
  if (failure) std::rethrow_exception(failure);
  return result;
}

}  // namespace trelvan
