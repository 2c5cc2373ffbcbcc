// Fails every file call of a conversion in turn, as a disk or network share can: the n-th call
// once, then the n-th and every later one, for n = 1, 2, ... until a run makes fewer than n
// calls. Every run replaces existing outputs (the question answered Yes). What holds after any
// failure is checked here, once for both directions: one stop message, every file closed, every
// file there before with every byte, and no temporary left.
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

struct SweptRun {
  int result;
  const Session& session;
  const std::map<std::string, std::string>& complete;  // the outputs of the run without failures
};

// Runs the sweep; `check` adds what holds for one direction after a run that hit its failure.
inline void SweepFailingCalls(const FaultSweep& sweep,
                              const std::function<void(const SweptRun&)>& check) {
  const auto run = [&](Session& session, int failing_call, bool persistent) {
    for (const auto& [path, bytes] : sweep.files) session.files.Put(path, bytes);
    for (const std::string& path : sweep.outputs) session.files.Put(path, "old " + path);
    session.prompter.AnswerNext(true);
    if (failing_call > 0) session.files.FailCall(failing_call, persistent);
    return sweep.convert(session);
  };
  Session untouched;
  ASSERT_EQ(run(untouched, 0, false), 1);
  std::map<std::string, std::string> complete;
  for (const std::string& path : sweep.outputs) complete[path] = untouched.files.Contents(path);

  for (const bool persistent : {false, true}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE("failing call " + std::to_string(n) + (persistent ? " and after" : ""));
      Session session;
      const int result = run(session, n, persistent);
      std::map<std::string, std::string> before = sweep.files;
      for (const std::string& path : sweep.outputs) before[path] = "old " + path;
      std::vector<Shown>& shown = session.prompter.shown;
      shown.erase(std::remove_if(shown.begin(), shown.end(),
                                 [](const Shown& m) { return m.style == MessageStyle::kQuestion; }),
                  shown.end());
      if (!session.files.failure_hit()) {
        EXPECT_EQ(result, 1);
        EXPECT_GT(n, 10);
        break;
      }
      // Whatever failed: one end (the success last, or exactly one stop message that names a
      // file), every file closed, every file there before whole.
      ASSERT_FALSE(shown.empty());
      EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                              [](const Shown& m) { return m.style == MessageStyle::kStop; }),
                result == 1 ? 0 : 1);
      EXPECT_EQ(shown.back().style, result == 1 ? MessageStyle::kPlain : MessageStyle::kStop);
      bool names_a_file = result == 1;
      const std::map<std::string, std::string> after = session.files.Snapshot();
      if (result == 0) EXPECT_EQ(after, before);
      EXPECT_EQ(after.size(), before.size());
      for (const auto& [path, bytes] : complete)
        names_a_file |= shown.back().text.find('"' + path + '"') != std::string::npos;
      for (const auto& [path, bytes] : sweep.files)
        names_a_file |= shown.back().text.find('"' + path + '"') != std::string::npos;
      EXPECT_TRUE(names_a_file) << shown.back().text;
      EXPECT_EQ(session.files.open_files(), 0);
      check(SweptRun{result, session, complete});
    }
  }
}

}  // namespace trelvan::testing
