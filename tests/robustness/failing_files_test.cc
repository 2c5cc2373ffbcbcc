// Files that fail under the conversion: every call from the n-th on (a disk that went away),
// and a real file system that fills up.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "convert/conversions.h"
#include "platform/native_file_system.h"
#include "tests/convert/table_builder.h"
#include "tests/robustness/conversion_run.h"

#ifdef __linux__
#include <sys/mount.h>
#endif

namespace trelvan::testing {
namespace {

// A statement of `items` items, an other line after every third, in two statements.
std::string Statement(int items) {
  std::string abo;
  for (int i = 0; i < items; ++i) {
    if (i == 0 || i == items / 2) {
      abo += Line(
          "0740000001234567890Zelena louka s.r.o. 30112600000001542305+00000001611432+"
          "00000000120873+00000000190000+0" +
          std::to_string(10 + i % 90) + "011226");
    }
    abo += Line(
        "0750000001234567890"
        "0000002716354827" +
        std::to_string(1000000000000 + i) +
        "000000012500"
        "1"
        "2026110001"
        "0308");
    if (i % 3 == 0) abo += Line("076 note " + std::to_string(i));
  }
  return abo;
}

TEST(FailingFilesTest, EveryCallFailingFromTheNthOnEndsWithOneStopMessage) {
  const std::string statement = Statement(600);  // more than one buffer of table and memo
  int n = 1;
  for (;; ++n) {
    SCOPED_TRACE(n);
    MemoryFileSystem files;
    files.Put("in.gpc", statement);
    RecordingPrompter prompter;
    ConversionContext context{files, prompter, Date{2026, 12, 6}};
    files.FailCall(n, /*persistent=*/true);
    const int result = ConvertAboToDbf("in.gpc", "out.dbf", context);
    EXPECT_EQ(files.open_files(), 0);
    EXPECT_EQ(files.Contents("in.gpc"), statement);
    if (!files.failure_hit()) {
      EXPECT_EQ(result, 1);
      break;
    }
    EXPECT_EQ(result, 0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].style, MessageStyle::kStop);
    const std::string& text = prompter.shown[0].text;
    EXPECT_TRUE(text.find("\"in.gpc\"") != std::string::npos ||
                text.find("\"out.dbf\"") != std::string::npos ||
                text.find("\"out.dbt\"") != std::string::npos)
        << text;
  }
  EXPECT_GT(n, 10);
}

#ifdef __linux__

// How many file descriptors the process has open.
std::size_t OpenDescriptors() {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    static_cast<void>(entry);
    ++count;
  }
  return count;
}

// Sources in a temporary directory, outputs on a 64 KiB tmpfs mounted beside them.
class DiskFullTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/trelvan-disk-full-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    full_ = dir_ / "full";
    std::filesystem::create_directory(full_);
    if (::mount("tmpfs", full_.c_str(), "tmpfs", 0, "size=64k") != 0) {
      GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
    }
    mounted_ = true;
    descriptors_ = OpenDescriptors();
  }
  void TearDown() override {
    if (mounted_) ::umount2(full_.c_str(), MNT_DETACH);
    std::filesystem::remove_all(dir_);
  }

  // The conversion's one message: the file error with the reason of a full disk; every file
  // closed.
  void ExpectDiskFull(int result, const std::string& output_a, const std::string& output_b) {
    EXPECT_EQ(result, 0);
    EXPECT_EQ(OpenDescriptors(), descriptors_);
    ASSERT_EQ(prompter_.shown.size(), 1u);
    const Shown& shown = prompter_.shown[0];
    EXPECT_EQ(shown.style, MessageStyle::kStop);
    const std::string reason = std::string("\": ") + std::strerror(ENOSPC);
    EXPECT_TRUE(shown.text == "Chyba při práci se souborem \"" + output_a + reason ||
                shown.text == "Chyba při práci se souborem \"" + output_b + reason)
        << shown.text;
  }

  std::filesystem::path dir_;
  std::filesystem::path full_;
  bool mounted_ = false;
  std::size_t descriptors_ = 0;
  NativeFileSystem files_;
  RecordingPrompter prompter_;
  ConversionContext context_{files_, prompter_, Date{2026, 12, 6}};
};

TEST_F(DiskFullTest, TableThatDoesNotFitIsReportedAndTheSourceIsUntouched) {
  const std::string statement = Statement(800);  // a table of about 190 KB
  const std::string source = dir_ / "in.gpc";
  WriteFile(source, statement);
  const std::string table = full_ / "out.dbf";
  const std::string memo = full_ / "out.dbt";
  ExpectDiskFull(ConvertAboToDbf(source, table, context_), table, memo);
  EXPECT_EQ(ReadFile(source), statement);
}

TEST_F(DiskFullTest, StatementThatDoesNotFitIsReportedAndTheTableIsUntouched) {
  const std::string table = dir_ / "in.dbf";
  WriteFile(dir_ / "in.gpc", Statement(800));
  ASSERT_EQ(ConvertAboToDbf(dir_ / "in.gpc", table, context_), 1);
  prompter_.shown.clear();
  const std::string table_bytes = ReadFile(table);
  const std::string memo_bytes = ReadFile(dir_ / "in.dbt");
  const std::string output = full_ / "out.gpc";
  ExpectDiskFull(ConvertDbfToAbo(table, output, context_), output, output);
  EXPECT_EQ(ReadFile(table), table_bytes);
  EXPECT_EQ(ReadFile(dir_ / "in.dbt"), memo_bytes);
}

#endif  // __linux__

}  // namespace
}  // namespace trelvan::testing
