#include "platform/interruption_cleanup.h"

#include <atomic>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace trelvan::interruption {
namespace {

// A conversion has at most three outputs and one kept previous file; the rest is headroom for
// conversions running side by side.
constexpr int kSlots = 16;
constexpr std::size_t kPathCapacity = 4096;

enum SlotState : int { kFree, kFilling, kLive };

struct Slot {
  std::atomic<int> state{kFree};
  char path[kPathCapacity];
};

Slot slots[kSlots];
std::atomic<int> holds{0};
std::atomic<int> pending{0};  // the interruption waiting for a hold to end; 0 for none

void RemoveLiveFiles() {
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) != kLive) continue;
#ifdef _WIN32
    wchar_t wide[kPathCapacity];
    if (MultiByteToWideChar(CP_UTF8, 0, slot.path, -1, wide, kPathCapacity) > 0) {
      DeleteFileW(wide);
    }
#else
    ::unlink(slot.path);
#endif
  }
}

#ifdef _WIN32

// Runs on a thread of its own: waits out a hold, then ends the process the way Ctrl+C does.
BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  pending.store(1);
  while (holds.load() > 0) Sleep(1);
  RemoveLiveFiles();
  ExitProcess(STATUS_CONTROL_C_EXIT);
}

void EndAfterHold(int /*interruption*/) {
  // The handler thread is waiting for the hold to end and finishes the job.
}

void WaitForTheEnd() {
  for (;;) Sleep(INFINITE);
}

#else

void EndAsSignalled(int signal_number) {
  RemoveLiveFiles();
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

void OnSignal(int signal_number) {
  pending.store(signal_number);
  if (holds.load() > 0) return;  // the hold ends the process when it goes away
  EndAsSignalled(signal_number);
}

void EndAfterHold(int signal_number) { EndAsSignalled(signal_number); }

void WaitForTheEnd() {
  for (;;) ::pause();
}

#endif

}  // namespace

void RemoveTemporariesOnInterruption() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction previous;
    if (::sigaction(signal_number, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) {
      continue;
    }
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = OnSignal;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(signal_number, &action, nullptr);
  }
#endif
}

int Register(const std::string& path) {
  if (path.size() >= kPathCapacity) return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
    slots[i].state.store(kLive, std::memory_order_release);
    return i;
  }
  return -1;
}

void Unregister(int slot) {
  if (slot >= 0 && slot < kSlots) slots[slot].state.store(kFree, std::memory_order_release);
}

Hold::Hold() {
  holds.fetch_add(1);
  // An interruption that came first is already ending the process in another thread.
  if (pending.load() != 0) {
    holds.fetch_sub(1);
    WaitForTheEnd();
  }
}

Hold::~Hold() {
  if (holds.fetch_sub(1) == 1) {
    const int interruption = pending.load();
    if (interruption != 0) EndAfterHold(interruption);
  }
}

}  // namespace trelvan::interruption
