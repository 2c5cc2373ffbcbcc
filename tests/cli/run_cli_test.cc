#include "cli/run_cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/stream_prompter.h"
#include "convert/messages.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

const std::string kE = "trelvan-cli: ";
const std::string kDone = "Konverze proběhla úspěšně\n";
const std::string kSuccess = kDone + "Převedena 1 položka v 1 výpisu\n";
// One credit item; the second file's new balance is 0,01 Kč off.
const std::string kItem = Line(
    "07500000012345678900000000019283746000000000000100000125000022026110001"
    "0308                011226Faktura             01203011226");
const std::string kHeader =
    "0740000001234567890Zelena louka        30112600000015423050+000000166730%s+"
    "00000000000000+00000001250000+047011226";
const std::string kBalanced = Line(FillMessage(kHeader, {"50"})) + kItem;
const std::string kUnbalanced = Line(FillMessage(kHeader, {"51"})) + kItem;
const std::string kBalanceWarning =
    "Výpis č. 047 účtu 0000001234567890: počáteční zůstatek - obrat debet + obrat kredit se liší "
    "od konečného zůstatku o 0,01 Kč\n";
const std::string kAny = "*";

// One command line (words separated by single spaces), what it must give and its input.
struct Step {
  std::string command;
  int exit;
  std::string out;
  std::string err;
  std::string in = "";
};

class RunCliTest : public ::testing::Test {
 protected:
  int Run(const std::string& command, const std::string& input = "") {
    std::vector<std::string> args;
    std::istringstream words(command);
    for (std::string word; std::getline(words, word, ' ');) args.push_back(word);
    in_.clear();
    in_.str(input);
    out_.str("");
    err_.str("");
    binary_.clear();
    CliEnvironment env{
        files_,       in_,    out_,   err_,
        interactive_, epoch_, clock_, [this](int stream) { binary_.push_back(stream); }};
    return RunCli(args, env);
  }
  // Runs the steps in turn on the same files; kAny accepts any output.
  void Expect(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      EXPECT_EQ(Run(step.command, step.in), step.exit) << step.command;
      EXPECT_EQ(step.out == kAny ? kAny : out_.str(), step.out) << step.command;
      EXPECT_EQ(step.err == kAny ? kAny : err_.str(), step.err) << step.command;
    }
  }

  MemoryFileSystem files_;
  std::istringstream in_;
  std::ostringstream out_;
  std::ostringstream err_;
  bool interactive_ = false;
  std::vector<int> binary_;  // the standard streams switched to binary, in order
  std::optional<std::string> epoch_;
  FixedClock clock_{Date{2026, 12, 6}};
};

// Success on standard output, warnings before it and errors on standard error; exit 0, 3 or 1.
TEST_F(RunCliTest, ConversionsTellWhatTheyDidAndExitByIt) {
  files_.Put("in.gpc", Line("0740000001234567890") + Line("0750000001234567890"));
  files_.Put("bad.gpc", kUnbalanced);
  files_.Put("memo.gpc", kBalanced + Line("076 other line"));
  const std::string not_found = "\": soubor neexistuje\n";
  Expect({{"abo2dbf in.gpc out.dbf", 0, kSuccess, ""},
          {"abo2dbf --code-page 1250 in.gpc m1.dbf", 0, kSuccess, ""},
          {"abo2dbf --code-page=1250 in.gpc m2.dbf", 0, kSuccess, ""},
          {"dbf2abo m1.dbf back.gpc", 0, kSuccess, ""},
          {"abo2dbf missing.gpc out.dbf", 1, "",
           kE + "Nemohu otevřít soubor \"missing.gpc" + not_found},
          {"abo2dbf bad.gpc bad.dbf", 3, kSuccess, kE + "bad.gpc: " + kBalanceWarning},
          {"abo2dbf -q -y bad.gpc bad.dbf", 3, "", kE + "bad.gpc: " + kBalanceWarning},
          {"abo2dbf memo.gpc memo.dbf", 0, kSuccess, ""}});
  EXPECT_EQ(files_.Contents("out.dbf").substr(0, 4), "\x83\x1A\x0C\x06");  // the local date
  for (const char* marked : {"m1.dbf", "m2.dbf"}) {
    std::string table = files_.Contents(marked);
    EXPECT_EQ(table[29], '\xC8');  // the language driver of windows-1250
    EXPECT_EQ(table.replace(29, 1, 1, '\0'), files_.Contents("out.dbf"));
  }
  EXPECT_EQ(files_.Contents("back.gpc").size(), 260u);
  files_.Remove("memo.dbt");  // a row points into it: a warning
  files_.Remove("out.dbt");   // no row does: information, exit 0
  Expect({{"dbf2abo memo.dbf memo-back.gpc", 3, kSuccess, kAny},
          {"dbf2abo -y out.dbf back.gpc", 0, kSuccess,
           kE + "Nemohu otevřít soubor \"out.dbt" + not_found},
          {"dbf2abo -q -y out.dbf back.gpc", 0, "", ""}});
}

TEST_F(RunCliTest, DashIsStandardInputOrOutputAndDirectoryTakesManyFiles) {
  files_.Put("a.gpc", kBalanced);
  files_.Put("x/b.gpc", kUnbalanced);
  files_.Put("y/a.gpc", kBalanced);
  Expect({{"abo2dbf - t.dbf", 0, kSuccess, "", kBalanced}});
  EXPECT_EQ(binary_, std::vector<int>{0});
  Expect({{"dbf2abo t.dbf -", 0, kBalanced, kE + kDone + kE + "Převedena 1 položka v 1 výpisu\n"}});
  EXPECT_EQ(binary_.empty() ? -1 : binary_.back(), 1);
  Expect({{"abo2dbf -d out a.gpc x/b.gpc", 3,
           "a.gpc: " + kDone + "a.gpc: Převedena 1 položka v 1 výpisu\nx/b.gpc: " + kDone +
               "x/b.gpc: Převedena 1 položka v 1 výpisu\n",
           kE + "x/b.gpc: " + kBalanceWarning + kE +
               "Soubory: převedeno 2 z 2, z toho s upozorněním 1; nepřevedeno 0\n"},
          {"abo2dbf -y -q -d out/ a.gpc missing.gpc y/a.gpc", 1, "",
           kE + "Nemohu otevřít soubor \"missing.gpc\": soubor neexistuje\n" + kE +
               "Soubor \"out/a.dbf\" už v tomto běhu vznikl z jiného souboru; \"y/a.gpc\" "
               "nepřeveden\n" +
               kE + "Soubory: převedeno 1 z 3, z toho s upozorněním 0; nepřevedeno 2\n"},
          {"dbf2abo -q --directory=back out/a.dbf", 0, "", ""}});
  EXPECT_TRUE(files_.Exists("out/a.dbt") && files_.Exists("out/b.dbf"));
  EXPECT_EQ(files_.Contents("back/a.gpc"), kBalanced);
}

TEST_F(RunCliTest, CheckReportsEveryStatementAndExitsByTheWorstFile) {
  files_.Put("good.gpc", kBalanced);
  files_.Put("bad.gpc", kUnbalanced);
  files_.Put("long.gpc", kBalanced + std::string(129, 'x'));  // a warning, the checks hold
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
          {"abo2dbf good.gpc good.dbf", 0, kAny, ""},
          {"check -q good.dbf bad.gpc", 3, "", kAny},
          {"check long.gpc", 3, kAny, kAny}});
  EXPECT_NE(out_.str().find("  výsledek: nesouhlasí\n"), std::string::npos);
  EXPECT_EQ(Run("check good.gpc bad.gpc"), 3);
  EXPECT_NE(out_.str().find("    zůstatek: nesouhlasí o 0,01 Kč\n"), std::string::npos);
  EXPECT_NE(out_.str().find("  bad.gpc: " + kBalanceWarning), std::string::npos);
  EXPECT_EQ(Run("check --json m\"i\\ss.gpc good.dbf"), 1);
  EXPECT_EQ(out_.str().substr(0, 61),
            "{\"file\":\"m\\\"i\\\\ss.gpc\",\"kind\":\"abo\",\"error\":\"Nemohu otevřít");
}

TEST_F(RunCliTest, UsageErrorsExitWithTwoAndHelpAndVersionWithZero) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "chybí příkaz: abo2dbf, dbf2abo nebo check"},
      {"abo2dbf in.gpc", "abo2dbf potřebuje dva soubory: zdrojový a cílový"},
      {"abo2dbf a b c", "více souborů najednou lze převést jen do adresáře (volba -d)"},
      {"convert a b", "neznámý příkaz \"convert\""},
      {"abo2dbf --force a b", "neznámá volba \"--force\""},
      {"abo2dbf --code-page 852 a b", "volba --code-page zná jen hodnotu 1250"},
      {"abo2dbf a b --code-page", "volba --code-page zná jen hodnotu 1250"},
      {"dbf2abo --code-page 1250 a b", "volba --code-page patří jen k příkazu abo2dbf"},
      {"abo2dbf a -d", "volbě -d chybí adresář"},
      {"abo2dbf -d dir", "chybí soubory"},
      {"abo2dbf -d dir -", "standardní vstup nelze převést do adresáře"},
      {"abo2dbf a -", "tabulku DBF nelze psát na standardní výstup"},
      {"dbf2abo - a", "tabulku DBF nelze číst ze standardního vstupu"},
      {"check", "chybí soubory"},
      {"check -d dir a", "volba -d patří jen k převodům"},
      {"abo2dbf --json a b", "volba --json patří jen k příkazu check"}};
  for (const auto& [command, what] : cases) {
    Expect({{command, 2, "", kE + what + "; nápovědu vypíše trelvan-cli --help\n"}});
  }
  files_.Put("-in.gpc", "");
  Expect(
      {{"--version", 0, "trelvan-cli 1.0.0\n", ""}, {"abo2dbf -- -in.gpc -out.dbf", 0, kAny, ""}});
  EXPECT_TRUE(files_.Exists("-out.dbt"));
  EXPECT_EQ(Run("abo2dbf --help"), 0);
  EXPECT_NE(out_.str().find("dbf2abo"), std::string::npos);
  EXPECT_EQ(err_.str(), "");
}

TEST_F(RunCliTest, OverwriteIsAskedOnATerminalRefusedWithoutAndAllowedByYes) {
  files_.Put("in.gpc", "");
  files_.Put("out.dbf", "old");
  files_.Put("memo.dbt", "old memo");  // a memo file is no more replaced than a table
  const std::string refused =
      " již existuje! Přepsat? Ne: bez terminálu se nelze zeptat; "
      "soubor přepíše volba --yes\n";
  const std::string asked = kE + "Soubor \"out.dbf\" již existuje! Přepsat? [a/n] ";
  const std::string empty = kDone + "Převedeno 0 položek v 0 výpisech\n";
  Expect({{"abo2dbf in.gpc out.dbf", 1, "", kE + "Soubor \"out.dbf\"" + refused},
          {"abo2dbf in.gpc memo.dbf", 1, "", kE + "Soubor \"memo.dbt\"" + refused}});
  EXPECT_EQ(files_.Contents("memo.dbt"), "old memo");
  EXPECT_FALSE(files_.Exists("memo.dbf"));
  interactive_ = true;
  Expect({{"abo2dbf in.gpc out.dbf", 1, "", asked, "ne\n"},
          {"abo2dbf in.gpc out.dbf", 1, "", asked + "\n", ""}});  // the end of input is No too
  EXPECT_EQ(files_.Contents("out.dbf"), "old");
  Expect({{"abo2dbf in.gpc out.dbf", 0, empty, asked, " Ano\n"}});
  EXPECT_EQ(files_.Contents("out.dbf").size(), 738u);
  files_.Put("out.dbf", "old");
  Expect({{"abo2dbf in.gpc out.dbf -y", 0, empty, ""}});
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
        "-86400 1969-12-31", "-12219292800 1582-10-15", " ", "- ", "12x ", "9999999999999999 "}) {
    const std::size_t space = seconds_and_date.find(' ');
    const std::optional<Date> d = DateOfEpochSeconds(seconds_and_date.substr(0, space));
    EXPECT_EQ(d ? FillMessage("%s-%s-%s", {std::to_string(d->year), std::to_string(d->month),
                                           std::to_string(d->day)})
                : "",
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
