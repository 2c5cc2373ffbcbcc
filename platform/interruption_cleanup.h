// Temporary files that must not outlive the process. A conversion registers each temporary
// while it exists; Ctrl+C, a termination request or the console window closing (once
// RemoveTemporariesOnInterruption ran) removes every registered file before the process ends
// as the request asks. A hold defers such an end while outputs are put in place.
//
// Safe to use from several threads; the handlers touch only fixed storage.
#pragma once

#include <string>

namespace trelvan::interruption {

// Installs the handlers (SIGINT, SIGTERM, SIGHUP; the console's Ctrl+C, Ctrl+Break and close
// events on Windows). A signal that is ignored when this is called stays ignored.
void RemoveTemporariesOnInterruption();

// Registers a file to remove on interruption; returns its slot, or -1 when it could not be
// registered (every slot taken, or the path too long).
int Register(const std::string& path);
// Forgets a registration; -1 is ignored.
void Unregister(int slot);

// Defers an interruption's end of the process while it lives.
class Hold {
 public:
  Hold();
  ~Hold();
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;
};

}  // namespace trelvan::interruption
