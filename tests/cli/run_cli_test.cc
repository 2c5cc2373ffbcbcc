#include "cli/run_cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/stream_prompter.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

class RunCliTest : public ::testing::Test {
 protected:
  // Runs the command line given as words separated by single spaces.
  int Run(const std::string& command) {
    std::vector<std::string> args;
    std::istringstream words(command);
    for (std::string word; std::getline(words, word, ' ');) args.push_back(word);
    out_.str("");
    err_.str("");
    CliEnvironment env{files_, in_, out_, err_, interactive_, epoch_, clock_};
    return RunCli(args, env);
  }

  MemoryFileSystem files_;
  std::istringstream in_;
  std::ostringstream out_;
  std::ostringstream err_;
  bool interactive_ = false;
  std::optional<std::string> epoch_;
  FixedClock clock_{Date{2026, 12, 6}};
};

TEST_F(RunCliTest, SuccessGoesToStandardOutputAndFailureToStandardError) {
  files_.Put("in.gpc", Line("0740000001234567890") + Line("0750000001234567890"));
  EXPECT_EQ(Run("abo2dbf in.gpc out.dbf"), 0);
  EXPECT_EQ(out_.str() + err_.str(), "Konverze proběhla úspěšně\n");
  EXPECT_EQ(files_.Contents("out.dbf").substr(0, 4), "\x83\x1A\x0C\x06");  // the local date
  EXPECT_EQ(Run("abo2dbf --code-page 1250 in.gpc marked.dbf"), 0);
  std::string marked = files_.Contents("marked.dbf");
  EXPECT_EQ(marked[29], '\xC8');  // the language driver of windows-1250
  EXPECT_EQ(marked.replace(29, 1, 1, '\0'), files_.Contents("out.dbf"));
  EXPECT_EQ(Run("dbf2abo marked.dbf back.gpc"), 0);
  EXPECT_EQ(out_.str() + err_.str(), "Konverze proběhla úspěšně\n");
  EXPECT_EQ(files_.Contents("back.gpc").size(), 260u);
  EXPECT_EQ(Run("abo2dbf missing.gpc out.dbf"), 1);
  EXPECT_EQ(out_.str() + "|" + err_.str(), "|Nemohu otevřít soubor \"missing.gpc\"\n");
}

TEST_F(RunCliTest, UsageErrorsExitWithTwoAndHelpAndVersionWithZero) {
  for (const char* command :
       {"", "abo2dbf in.gpc", "abo2dbf a b c", "convert a b", "abo2dbf --force a b",
        "abo2dbf --code-page 852 a b", "abo2dbf a b --code-page", "dbf2abo --code-page 1250 a b"}) {
    EXPECT_EQ(Run(command), 2) << command;
    EXPECT_NE(err_.str().find("Použití: trelvan-cli abo2dbf"), std::string::npos);
    EXPECT_EQ(out_.str(), "");
  }
  EXPECT_EQ(Run("abo2dbf --help"), 0);
  EXPECT_NE(out_.str().find("dbf2abo"), std::string::npos);
  EXPECT_EQ(Run("--version"), 0);
  EXPECT_EQ(out_.str(), "trelvan-cli 1.0.0\n");
  files_.Put("-in.gpc", "");
  EXPECT_EQ(Run("abo2dbf -- -in.gpc -out.dbf"), 0);
  EXPECT_TRUE(files_.Exists("-out.dbt"));
}

TEST_F(RunCliTest, OverwriteIsAskedOnATerminalRefusedWithoutAndAllowedByYes) {
  files_.Put("in.gpc", "");
  files_.Put("out.dbf", "old");
  EXPECT_EQ(Run("abo2dbf in.gpc out.dbf"), 1);
  EXPECT_EQ(err_.str(), "Soubor \"out.dbf\" již existuje! Přepsat?\n");
  interactive_ = true;
  for (const std::string no : {"ne\n", ""}) {  // the end of the input is No too
    in_.clear();
    in_.str(no);
    EXPECT_EQ(Run("abo2dbf in.gpc out.dbf"), 1);
    EXPECT_EQ(err_.str(), std::string("Soubor \"out.dbf\" již existuje! Přepsat? [a/n] ") +
                              (no.empty() ? "\n" : ""));
  }
  EXPECT_EQ(files_.Contents("out.dbf"), "old");
  in_.clear();
  in_.str(" Ano\n");
  EXPECT_EQ(Run("abo2dbf in.gpc out.dbf"), 0);
  EXPECT_EQ(files_.Contents("out.dbf").size(), 738u);
  files_.Put("out.dbf", "old");
  EXPECT_EQ(Run("abo2dbf in.gpc out.dbf -y"), 0);
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(files_.Contents("out.dbf").size(), 738u);
}

TEST_F(RunCliTest, TableDateComesFromSourceDateEpochInUtc) {
  files_.Put("in.gpc", "");
  epoch_ = "1040342399";  // 2002-12-19 23:59:59 UTC
  EXPECT_EQ(Run("abo2dbf in.gpc out.dbf"), 0);
  EXPECT_EQ(files_.Contents("out.dbf").substr(1, 3), "\x02\x0C\x13");
  epoch_ = "yesterday";
  EXPECT_EQ(Run("abo2dbf --yes in.gpc out.dbf"), 2);
  for (const std::string seconds_and_date :
       {"0 1970-1-1", "951782400 2000-2-29", "4102444800 2100-1-1", "-1 1969-12-31",
        "-86400 1969-12-31", "-12219292800 1582-10-15", " none", "- none", "12x none",
        "9999999999999999 none"}) {
    const std::size_t space = seconds_and_date.find(' ');
    const std::optional<Date> d = DateOfEpochSeconds(seconds_and_date.substr(0, space));
    EXPECT_EQ(
        d ? std::to_string(d->year) + "-" + std::to_string(d->month) + "-" + std::to_string(d->day)
          : "none",
        seconds_and_date.substr(space + 1));
  }
}

TEST(StreamPrompterTest, RecognisesCzechAndEnglishYes) {
  for (const char* yes : {"a", "ano", "Y", "yes", " ANO \r"}) EXPECT_TRUE(IsYesAnswer(yes)) << yes;
  for (const char* no : {"", "n", "ne", "no", "anoo", "x"}) EXPECT_FALSE(IsYesAnswer(no)) << no;
  EXPECT_EQ(OneLine("a\nb\nc"), "a b c");
}

}  // namespace
}  // namespace trelvan::testing
