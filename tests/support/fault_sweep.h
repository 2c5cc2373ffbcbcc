// Fails every file call of a conversion in turn, as a disk or network share can: the n-th call
// once, then the n-th and every later one, for n = 1, 2, ... until a run makes fewer than n
// calls. Every run replaces existing outputs (the question answered Yes). What holds after any
// failure is checked here, once for both directions: one end (the success, or exactly one stop
// message naming a file), every file closed, every file there before whole, no temporary left.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/session.h"

namespace trelvan::testing {

struct FaultSweep {
  std::map<std::string, std::string> files;  // put before every run: the inputs
  std::vector<std::string> outputs;
  std::function<int(Session&)> convert;
};

// Runs the sweep; `check` adds what holds for one direction after a run that hit its failure.
inline void SweepFailingCalls(const FaultSweep& sweep,
                              const std::function<void(int, const Session&)>& check) {
  std::map<std::string, std::string> before = sweep.files;
  for (const std::string& path : sweep.outputs) before[path] = "old " + path;
  for (const bool persistent : {false, true}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE("failing call " + std::to_string(n) + (persistent ? " and after" : ""));
      Session session;
      for (const auto& [path, bytes] : before) session.files.Put(path, bytes);
      session.prompter.AnswerNext(true);
      session.files.FailCall(n, persistent);
      const int result = sweep.convert(session);
      if (!session.files.failure_hit()) {
        EXPECT_EQ(result, 1);
        EXPECT_GT(n, 10);
        break;
      }
      std::vector<Shown>& shown = session.prompter.shown;  // without the question answered
      shown.erase(std::remove_if(shown.begin(), shown.end(),
                                 [](const Shown& m) { return m.style == MessageStyle::kQuestion; }),
                  shown.end());
      ASSERT_FALSE(shown.empty());
      EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                              [](const Shown& m) { return m.style == MessageStyle::kStop; }),
                result == 1 ? 0 : 1);
      EXPECT_EQ(shown.back().style, result == 1 ? MessageStyle::kPlain : MessageStyle::kStop);
      bool names_a_file = result == 1;
      for (const auto& entry : before) {
        names_a_file |= shown.back().text.find('"' + entry.first + '"') != std::string::npos;
      }
      EXPECT_TRUE(names_a_file) << shown.back().text;
      const std::map<std::string, std::string> after = session.files.Snapshot();
      EXPECT_EQ(result == 0 ? after : before, before);
      EXPECT_EQ(after.size(), before.size());
      EXPECT_EQ(session.files.open_files(), 0);
      check(result, session);
    }
  }
}

}  // namespace trelvan::testing
