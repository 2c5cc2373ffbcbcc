// Files that fail under the conversion: any single call, or every call from one on (the sweep
// in tests/support), and a real file system that fills up; the fuzz targets' inputs.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "bench/statement_generator.h"
#include "convert/conversions.h"
#include "platform/native_file_system.h"
#include "tests/support/conversion_checks.h"
#include "tests/support/fault_sweep.h"

#ifdef __linux__
#include <sys/mount.h>
#endif

namespace trelvan::testing {
namespace {

// More than one I/O buffer of every file, with a memo after every fifth item.
std::string LargeStatement() { return bench::StatementFile({600, 200, 1}); }

TEST(FailingFilesTest, AboToDbfEndsWithOneStopMessageWhicheverCallFails) {
  const FaultSweep sweep{{{"in.gpc", LargeStatement()}}, {"out.dbf", "out.dbt"}, [](Session& s) {
                           return ConvertAboToDbf("in.gpc", "out.dbf", s.context);
                         }};
  SweepFailingCalls(sweep, [](int result, const Session&) { EXPECT_EQ(result, 0); });
}

TEST(FailingFilesTest, DbfToAboEndsWithOneStopMessageOrWithoutTheMemoWhicheverCallFails) {
  Session source;
  source.files.Put("in.gpc", LargeStatement());
  ASSERT_EQ(ConvertAboToDbf("in.gpc", "in.dbf", source.context), 1);
  const FaultSweep sweep{
      {{"in.dbf", source.files.Contents("in.dbf")}, {"in.dbt", source.files.Contents("in.dbt")}},
      {"out.gpc"},
      [](Session& s) { return ConvertDbfToAbo("in.dbf", "out.gpc", s.context); }};
  SweepFailingCalls(sweep, [](int result, const Session& session) {
    // A memo file that does not open is a notice; the rows come without their other lines.
    if (result != 1) return;
    EXPECT_EQ(session.prompter.Outcome(),
              (std::vector<Shown>{Notice("Nemohu otevřít soubor \"in.dbt\": injected failure"),
                                  Success()}));
    const std::string lost =
        "in.dbf: Počet záznamů bez dalších řádků (memo soubor \"in.dbt\" nelze otevřít): ";
    const std::vector<Shown>& shown = session.prompter.shown;
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                            [&](const Shown& m) { return m.text.rfind(lost, 0) == 0; }),
              1);
  });
}

// Every input of fuzz/corpus/`corpus` and of the regressions of `target`, checked with the
// compiler and sanitizers of this build.
void Replay(const std::string& corpus, const std::string& target,
            std::string (*check)(std::string_view input)) {
  int inputs = 0;
  for (const std::filesystem::path& dir :
       {std::filesystem::path(TRELVAN_FUZZ_CORPUS) / corpus,
        std::filesystem::path(TRELVAN_TEST_DATA) / "fuzz-regressions" / target}) {
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.path().extension() == ".md" || entry.path().filename() == ".keep") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      EXPECT_EQ(check(std::string(std::istreambuf_iterator<char>(in), {})), "") << entry.path();
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 3);
}

TEST(FuzzCorpusTest, EveryInputPassesItsTargetsChecks) {
  Replay("abo", "abo_to_dbf", CheckAboToDbf);
  Replay("round_trip", "round_trip", CheckMendedRoundTrip);
  Replay("dbf", "dbf_to_abo", CheckDbfToAbo);
}

#ifdef __linux__

// Inputs in a temporary directory, outputs on a 64 KiB tmpfs mounted beside it: each direction
// reports the full disk once, naming the output, closes every file and leaves its inputs whole.
TEST(DiskFullTest, OutputsThatDoNotFitAreReportedAndTheInputsAreUntouched) {
  char pattern[] = "/tmp/trelvan-disk-full-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::filesystem::path dir = pattern, full = dir / "full";
  std::filesystem::create_directory(full);
  if (::mount("tmpfs", full.c_str(), "tmpfs", 0, "size=64k") != 0) {
    std::filesystem::remove_all(dir);
    GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
  }
  const auto inputs = [&] {
    std::string bytes;
    for (const char* name : {"in.gpc", "in.dbf", "in.dbt"}) {
      std::ifstream in(dir / name, std::ios::binary);
      bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return bytes;
  };
  const auto descriptors = [] {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return std::distance(begin(fds), end(fds));
  };
  NativeFileSystem disk;
  RecordingPrompter prompter;
  ConversionContext context{disk, prompter, kTestDate};
  std::ofstream(dir / "in.gpc", std::ios::binary) << bench::StatementFile({800, 200, 2});
  ASSERT_EQ(ConvertAboToDbf(dir / "in.gpc", dir / "in.dbf", context), 1);
  const std::string before = inputs();
  const auto open_before = descriptors();
  for (const bool to_table : {true, false}) {
    const std::string out = (full / (to_table ? "out.dbf" : "out.gpc")).string();
    prompter.shown.clear();
    EXPECT_EQ(to_table ? ConvertAboToDbf(dir / "in.gpc", out, context)
                       : ConvertDbfToAbo(dir / "in.dbf", out, context),
              0);
    EXPECT_EQ(prompter.Outcome(), std::vector<Shown>{Stop("Chyba při práci se souborem \"" + out +
                                                          "\": disk je plný")});
  }
  EXPECT_EQ(descriptors(), open_before);
  EXPECT_TRUE(std::filesystem::is_empty(full));  // nothing stays behind
  EXPECT_EQ(inputs(), before);
  ::umount2(full.c_str(), MNT_DETACH);
  std::filesystem::remove_all(dir);
}

#endif  // __linux__

}  // namespace
}  // namespace trelvan::testing
