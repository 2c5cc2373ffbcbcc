#include "cli/run_cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/standard_streams.h"
#include "cli/stream_prompter.h"
#include "convert/messages.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

const std::string kSuccess = "Konverze proběhla úspěšně\nPřevedena 1 položka v 1 výpisu\n";
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
  EXPECT_EQ(out_.str() + "|" + err_.str(), kSuccess + "|");
  EXPECT_EQ(files_.Contents("out.dbf").substr(0, 4), "\x83\x1A\x0C\x06");  // the local date
  EXPECT_EQ(Run("abo2dbf --code-page 1250 in.gpc marked.dbf"), 0);
  std::string marked = files_.Contents("marked.dbf");
  EXPECT_EQ(marked[29], '\xC8');  // the language driver of windows-1250
  EXPECT_EQ(marked.replace(29, 1, 1, '\0'), files_.Contents("out.dbf"));
  EXPECT_EQ(Run("abo2dbf --code-page=1250 -y in.gpc marked.dbf"), 0);
  EXPECT_EQ(files_.Contents("marked.dbf")[29], '\xC8');
  EXPECT_EQ(Run("dbf2abo marked.dbf back.gpc"), 0);
  EXPECT_EQ(out_.str() + "|" + err_.str(), kSuccess + "|");
  EXPECT_EQ(files_.Contents("back.gpc").size(), 260u);
  EXPECT_EQ(Run("abo2dbf missing.gpc out.dbf"), 1);
  EXPECT_EQ(out_.str() + "|" + err_.str(),
            "|trelvan-cli: Nemohu otevřít soubor \"missing.gpc\": soubor neexistuje\n");
  // Warnings before the success, exit 3; -q leaves out the success and information alone.
  files_.Put("bad.gpc", kUnbalanced);
  EXPECT_EQ(Run("abo2dbf bad.gpc bad.dbf"), 3);
  EXPECT_EQ(out_.str() + "|" + err_.str(), kSuccess + "|trelvan-cli: bad.gpc: " + kBalanceWarning);
  EXPECT_EQ(Run("abo2dbf -q -y bad.gpc bad.dbf"), 3);
  EXPECT_EQ(out_.str() + "|" + err_.str(), "|trelvan-cli: bad.gpc: " + kBalanceWarning);
  files_.Put("memo.gpc", kBalanced + Line("076 other line"));
  EXPECT_EQ(Run("abo2dbf memo.gpc memo.dbf"), 0);
  files_.Remove("memo.dbt");
  EXPECT_EQ(Run("dbf2abo memo.dbf memo-back.gpc"), 3);
  EXPECT_EQ(err_.str(),
            "trelvan-cli: Nemohu otevřít soubor \"memo.dbt\": soubor neexistuje\n"
            "trelvan-cli: memo.dbf: Počet záznamů bez dalších řádků (memo soubor "
            "\"memo.dbt\" nelze otevřít): 1\n");
  files_.Remove("out.dbt");  // no row points into it: information, exit 0
  EXPECT_EQ(Run("dbf2abo -y out.dbf back.gpc"), 0);
  EXPECT_EQ(err_.str(), "trelvan-cli: Nemohu otevřít soubor \"out.dbt\": soubor neexistuje\n");
  EXPECT_EQ(Run("dbf2abo -q -y out.dbf back.gpc"), 0);
  EXPECT_EQ(out_.str() + "|" + err_.str(), "|");
}

TEST_F(RunCliTest, DashIsStandardInputOrOutputAndDirectoryTakesManyFiles) {
  in_.str(kBalanced);
  EXPECT_EQ(Run("abo2dbf - t.dbf"), 0);
  EXPECT_EQ(Run("dbf2abo t.dbf -"), 0);
  EXPECT_EQ(out_.str(), kBalanced);
  EXPECT_EQ(err_.str(),
            "trelvan-cli: Konverze proběhla úspěšně\n"
            "trelvan-cli: Převedena 1 položka v 1 výpisu\n");

  files_.Put("a.gpc", kBalanced);
  files_.Put("x/b.gpc", kUnbalanced);
  files_.Put("y/a.gpc", kBalanced);
  EXPECT_EQ(Run("abo2dbf -d out a.gpc x/b.gpc"), 3);
  EXPECT_TRUE(files_.Exists("out/a.dbf") && files_.Exists("out/a.dbt") &&
              files_.Exists("out/b.dbf"));
  EXPECT_EQ(out_.str(),
            "a.gpc: Konverze proběhla úspěšně\na.gpc: Převedena 1 položka v 1 výpisu\n"
            "x/b.gpc: Konverze proběhla úspěšně\nx/b.gpc: Převedena 1 položka v 1 výpisu\n");
  EXPECT_EQ(Run("abo2dbf -y -q -d out/ a.gpc missing.gpc y/a.gpc"), 1);
  EXPECT_EQ(err_.str(),
            "trelvan-cli: Nemohu otevřít soubor \"missing.gpc\": soubor neexistuje\n"
            "trelvan-cli: Soubor \"out/a.dbf\" už v tomto běhu vznikl z jiného souboru; "
            "\"y/a.gpc\" nepřeveden\n"
            "trelvan-cli: Soubory: převedeno 1 z 3, z toho s upozorněním 0; nepřevedeno 2\n");
  EXPECT_EQ(Run("dbf2abo -q --directory=back out/a.dbf"), 0);
  EXPECT_EQ(out_.str() + err_.str(), "");
  EXPECT_EQ(files_.Contents("back/a.gpc"), kBalanced);
}

TEST(StandardStreamsTest, StandardInputCanBeReadAgainFromTheStart) {
  MemoryFileSystem files;
  std::istringstream in("0123456789");
  std::ostringstream out;
  StandardStreamFileSystem streams(files, in, out);
  char bytes[8] = {};
  const std::unique_ptr<File> first = streams.OpenForReading("-").file;
  ASSERT_EQ(first->Read(bytes, 4), 4u);
  first->Seek(2, SeekOrigin::kBegin);
  EXPECT_EQ(first->Read(bytes, 8), 8u);
  EXPECT_EQ(std::string(bytes, 8), "23456789");
  EXPECT_EQ(streams.OpenForReading("-").file->Read(bytes, 8), 8u);
  EXPECT_EQ(std::string(bytes, 8), "01234567");
  EXPECT_EQ(first->Read(bytes, 8), 0u);
}

TEST_F(RunCliTest, CheckReportsEveryStatementAndExitsByTheWorstFile) {
  files_.Put("good.gpc", kBalanced);
  files_.Put("bad.gpc", kUnbalanced);
  EXPECT_EQ(Run("check good.gpc"), 0);
  EXPECT_EQ(out_.str(),
            "good.gpc:\n"
            "  výpis č. 047 účtu 0000001234567890 ze dne 01.12.2026 (řádek 1): 1 položka; "
            "zůstatek 154 230,50 Kč -> 166 730,50 Kč, debet 0,00 Kč, kredit 12 500,00 Kč\n"
            "    zůstatek: v pořádku\n"
            "    položky s kódem 1 a obrat debet: v pořádku\n"
            "    položky s kódem 2 a obrat kredit: v pořádku\n"
            "    návaznost na předchozí výpis účtu: neověřeno\n"
            "  výsledek: v pořádku\n");
  EXPECT_EQ(Run("check good.gpc bad.gpc"), 3);
  EXPECT_NE(out_.str().find("    zůstatek: nesouhlasí o 0,01 Kč\n"), std::string::npos);
  EXPECT_NE(out_.str().find("  bad.gpc: " + kBalanceWarning), std::string::npos);
  files_.Put("long.gpc", kBalanced + std::string(129, 'x'));  // a warning, the checks hold
  EXPECT_EQ(Run("check long.gpc"), 3);
  EXPECT_NE(out_.str().find("  výsledek: nesouhlasí\n"), std::string::npos);
  EXPECT_EQ(Run("abo2dbf good.gpc good.dbf"), 0);
  EXPECT_EQ(Run("check -q good.dbf bad.gpc"), 3);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(Run("check --json missing.gpc good.dbf"), 1);
  EXPECT_EQ(out_.str().substr(0, 60),
            "{\"file\":\"missing.gpc\",\"kind\":\"abo\",\"error\":\"Nemohu otevřít");
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
    EXPECT_EQ(Run(command), 2) << command;
    EXPECT_EQ(err_.str(),
              "trelvan-cli: " + std::string(what) + "; nápovědu vypíše trelvan-cli --help\n");
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
  EXPECT_EQ(err_.str(),
            "trelvan-cli: Soubor \"out.dbf\" již existuje! Přepsat? Ne: bez terminálu se nelze "
            "zeptat; soubor přepíše volba --yes\n");
  files_.Put("memo.dbt", "old memo");  // a memo file is no more replaced than a table
  EXPECT_EQ(Run("abo2dbf in.gpc memo.dbf"), 1);
  EXPECT_EQ(err_.str().find("trelvan-cli: Soubor \"memo.dbt\" již existuje!"), 0u);
  EXPECT_EQ(files_.Contents("memo.dbt"), "old memo");
  EXPECT_FALSE(files_.Exists("memo.dbf"));
  interactive_ = true;
  for (const std::string no : {"ne\n", ""}) {  // the end of the input is No too
    in_.clear();
    in_.str(no);
    EXPECT_EQ(Run("abo2dbf in.gpc out.dbf"), 1);
    EXPECT_EQ(err_.str(),
              std::string("trelvan-cli: Soubor \"out.dbf\" již existuje! Přepsat? [a/n] ") +
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
