#include "cli/run_cli.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "cli/stream_prompter.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

const std::string kE = "trelvan-cli: ";
const std::string kDone = "Konverze proběhla úspěšně\n";
const std::string kOne = "Převedena 1 položka v 1 výpisu\n";
// One credit item; the second file's new balance is 0,01 Kč off.
const std::string kItem = ItemLine('2', 1250000);
const std::string kBalanced = HeaderLine("047", {15423050, 0, 1250000, 16673050}) + kItem;
const std::string kUnbalanced = HeaderLine("047", {15423050, 0, 1250000, 16673051}) + kItem;
const std::string kWarning =
    "Výpis č. 047 účtu 0000001234567890: počáteční zůstatek - obrat debet + obrat kredit se liší "
    "od konečného zůstatku o 0,01 Kč\n";
const std::string kAny = "*";
const std::string kMissing = "\": soubor neexistuje\n";

// One command line (words separated by spaces), what it must give and its input.
struct Step {
  std::string command;
  int exit;
  std::string out, err, in = "";
};

class RunCliTest : public ::testing::Test {
 protected:
  int Run(const std::string& command, const std::string& input = "") {
    std::istringstream words(command), in(input);
    const std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
    std::ostringstream out, err;
    CliEnvironment env{
        files_,       in,     out,    err,
        interactive_, epoch_, clock_, [this](int stream) { binary_.push_back(stream); }};
    const int status = RunCli(args, env);
    out_ = out.str(), err_ = err.str();
    return status;
  }
  // Runs the steps in turn on the same files; kAny accepts any output.
  void Expect(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      EXPECT_EQ(Run(step.command, step.in), step.exit) << step.command;
      EXPECT_EQ(step.out == kAny ? kAny : out_, step.out) << step.command;
      EXPECT_EQ(step.err == kAny ? kAny : err_, step.err) << step.command;
    }
  }

  MemoryFileSystem files_;
  std::string out_, err_;
  bool interactive_ = false;
  std::vector<int> binary_;  // the standard streams switched to binary, in order
  std::optional<std::string> epoch_;
  FixedClock clock_{Date{2026, 12, 6}};
};

// Success on standard output, warnings and errors on standard error; exit 0, 3 or 1. '-' is a
// binary standard stream; -d converts many files on after a failure and sums them up.
TEST_F(RunCliTest, ConversionsTellWhatTheyDidAndExitByIt) {
  files_.Put("a.gpc", kBalanced);
  files_.Put("x/b.gpc", kUnbalanced);
  files_.Put("y/a.gpc", kBalanced);
  files_.Put(".gpc", kBalanced);
  Expect(
      {{"abo2dbf a.gpc out.dbf", 0, kDone + kOne, ""},
       {"abo2dbf --code-page=1250 a.gpc m.dbf", 0, kAny, ""},
       {"abo2dbf missing.gpc o.dbf", 1, "", kE + "Nemohu otevřít soubor \"missing.gpc" + kMissing},
       {"abo2dbf -q x/b.gpc b.dbf", 3, "", kE + "x/b.gpc: " + kWarning},
       {"abo2dbf - t.dbf", 0, kDone + kOne, "", kBalanced},
       {"dbf2abo t.dbf -", 0, kBalanced, kE + kDone + kE + kOne},
       {"abo2dbf -d d a.gpc x/b.gpc", 3,
        "a.gpc: " + kDone + "a.gpc: " + kOne + "x/b.gpc: " + kDone + "x/b.gpc: " + kOne,
        kE + "x/b.gpc: " + kWarning + kE +
            "Soubory: převedeno 2 z 2, z toho s upozorněním 1; nepřevedeno 0\n"},
       {"abo2dbf -y -q -d d/ a.gpc missing.gpc y/a.gpc", 1, "",
        kE + "Nemohu otevřít soubor \"missing.gpc" + kMissing + kE +
            "Soubor \"d/a.dbf\" už v tomto běhu vznikl z jiného souboru; \"y/a.gpc\" "
            "nepřeveden\n" +
            kE + "Soubory: převedeno 1 z 3, z toho s upozorněním 0; nepřevedeno 2\n"},
       {"dbf2abo -q --directory=back d/a.dbf", 0, "", ""},
       {"abo2dbf -q -d back .gpc", 0, "", ""}});
  EXPECT_TRUE(binary_.size() > 1 && binary_.front() == 0 && binary_.back() == 1);
  EXPECT_EQ(files_.Contents("out.dbf").substr(0, 4), "\x83\x1A\x0C\x06");  // the local date
  EXPECT_EQ(files_.Contents("m.dbf")[29], '\xC8');  // the language driver of windows-1250
  EXPECT_EQ(files_.Contents("back/a.gpc"), kBalanced);
  EXPECT_TRUE(files_.Exists("back/.gpc.dbf"));  // a name that is all extension keeps it
  files_.Remove("m.dbt");                       // no row points into it: information, exit 0
  Expect({{"dbf2abo m.dbf r.gpc", 0, kAny, kE + "Nemohu otevřít soubor \"m.dbt" + kMissing}});
  epoch_ = "yesterday";  // SOURCE_DATE_EPOCH that is no number of seconds
  EXPECT_EQ(Run("abo2dbf -y a.gpc out.dbf"), 2);
}

TEST_F(RunCliTest, CheckReportsEveryStatementAndExitsByTheWorstFile) {
  files_.Put("good.gpc", kBalanced);
  files_.Put("bad.gpc", kUnbalanced);
  Expect({{"check good.gpc", 0,
           "good.gpc:\n"
           "  výpis č. 047 účtu 0000001234567890 ze dne 01.12.2026 (řádek 1): 1 položka; "
           "zůstatek 154 230,50 Kč -> 166 730,50 Kč, debet 0,00 Kč, kredit 12 500,00 Kč\n"
           "    zůstatek: v pořádku\n"
           "    položky s kódem 1 a obrat debet: v pořádku\n"
           "    položky s kódem 2 a obrat kredit: v pořádku\n"
           "    návaznost na předchozí výpis účtu: neověřeno\n"
           "  výsledek: v pořádku\n",
           ""},
          {"check good.gpc bad.gpc", 3, kAny, ""}});
  EXPECT_NE(out_.find("    zůstatek: nesouhlasí o 0,01 Kč\n"), std::string::npos);
  EXPECT_NE(out_.find("  bad.gpc: " + kWarning), std::string::npos);
  EXPECT_EQ(Run("check --json m\"i\\ss.gpc good.gpc"), 1);
  EXPECT_EQ(out_.substr(0, 61),
            "{\"file\":\"m\\\"i\\\\ss.gpc\",\"kind\":\"abo\",\"error\":\"Nemohu otevřít");
}

TEST_F(RunCliTest, UsageErrorsExitWithTwoAndHelpAndVersionWithZero) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "chybí příkaz: abo2dbf, dbf2abo nebo check"},
      {"abo2dbf in.gpc", "abo2dbf potřebuje dva soubory: zdrojový a cílový"},
      {"convert a b", "neznámý příkaz \"convert\""},
      {"abo2dbf --force a b", "neznámá volba \"--force\""},
      {"abo2dbf a b --code-page", "volba --code-page zná jen hodnotu 1250"},
      {"dbf2abo --code-page 1250 a b", "volba --code-page patří jen k příkazu abo2dbf"},
      {"abo2dbf -d dir", "chybí soubory"},
      {"abo2dbf -d dir -", "standardní vstup nelze převést do adresáře"},
      {"abo2dbf a -", "tabulku DBF nelze psát na standardní výstup"},
      {"dbf2abo - a", "tabulku DBF nelze číst ze standardního vstupu"},
      {"check -d dir a", "volba -d patří jen k převodům"},
      {"abo2dbf --json a b", "volba --json patří jen k příkazu check"}};
  for (const auto& [command, what] : cases) {
    Expect({{command, 2, "", kE + what + "; nápovědu vypíše trelvan-cli --help\n"}});
  }
  files_.Put("-in.gpc", "");
  Expect({{"--version", 0, "trelvan-cli 1.0.0\n", ""},
          {"abo2dbf -- -in.gpc -out.dbf", 0, kAny, ""},
          {"abo2dbf --help", 0, kAny, ""}});
  EXPECT_TRUE(files_.Exists("-out.dbt"));
}

TEST_F(RunCliTest, OverwriteIsAskedOnATerminalRefusedWithoutAndAllowedByYes) {
  files_.Put("in.gpc", "");
  files_.Put("out.dbf", "old");
  files_.Put("memo.dbt", "old memo");  // a memo file is no more replaced than a table
  const std::string refused =
      " již existuje! Přepsat? Ne: bez terminálu se nelze zeptat; soubor přepíše volba --yes\n";
  const std::string asked = kE + "Soubor \"out.dbf\" již existuje! Přepsat? [a/n] ";
  const std::string empty = kDone + "Převedeno 0 položek v 0 výpisech\n";
  Expect({{"abo2dbf in.gpc memo.dbf", 1, "", kE + "Soubor \"memo.dbt\"" + refused}});
  EXPECT_EQ(files_.Contents("memo.dbt"), "old memo");
  interactive_ = true;
  Expect({{"abo2dbf in.gpc out.dbf", 1, "", asked + "\n", ""}});  // the end of input is No
  EXPECT_EQ(files_.Contents("out.dbf"), "old");
  Expect({{"abo2dbf in.gpc out.dbf", 0, empty, asked, " Ano\n"}});
  files_.Put("out.dbf", "old");
  Expect({{"abo2dbf in.gpc out.dbf -y", 0, empty, ""}});
  EXPECT_EQ(files_.Contents("out.dbf").size(), 738u);
}

// Days since 1970 to a calendar date, leap days and the Gregorian reform included.
TEST(DateOfEpochSecondsTest, CountsDaysInUtcAndRefusesWhatIsNoNumber) {
  const std::pair<const char*, int> cases[] = {
      {"951782400", 20000229}, {"-1", 19691231}, {"-12219292800", 15821015}, {"", 0}, {"12x", 0},
      {"9999999999999999", 0}};
  for (const auto& [seconds, date] : cases) {
    const std::optional<Date> d = DateOfEpochSeconds(seconds);
    EXPECT_EQ(d ? d->year * 10000 + d->month * 100 + d->day : 0, date) << seconds;
  }
}

TEST(StreamPrompterTest, RecognisesCzechAndEnglishYes) {
  for (const char* yes : {"a", "ano", "Y", "yes", " ANO \r"}) EXPECT_TRUE(IsYesAnswer(yes)) << yes;
  for (const char* no : {"", "n", "ne", "no", "anoo", "x"}) EXPECT_FALSE(IsYesAnswer(no)) << no;
  EXPECT_EQ(OneLine("a\nb\nc"), "a b c");
}

}  // namespace
}  // namespace trelvan::testing
