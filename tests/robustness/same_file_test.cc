// Outputs that are an input under another name: a hard link, a symbolic link, "dir/./x" or
// "dir/sub/../x". On the real file system the conversion must refuse to open them and leave
// the input whole, in both directions and for the table, the memo file and the statement.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "convert/conversions.h"
#include "platform/native_file_system.h"
#include "tests/support/session.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

namespace fs = std::filesystem;

const std::string kStatement =
    Line(
        "0740000001234567890Zelena louka s.r.o. 30112600000001542305+00000001611432+"
        "00000000120873+00000000190000+047011226") +
    Line("0750000001234567890000000271635482700000000012000000001250012026110001") +
    Line("076 note");

class SameFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/trelvan-same-file-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    fs::create_directory(dir_ / "sub");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Other names of `name`: "link" + suffix (hard), "symlink" + suffix, two spellings of the path.
  std::vector<std::string> OtherNames(const std::string& name, const std::string& suffix) {
    fs::create_hard_link(dir_ / name, dir_ / ("link" + suffix));
    fs::create_symlink(name, dir_ / ("symlink" + suffix));
    return {Path("link" + suffix), Path("symlink" + suffix), dir_.string() + "/./" + name,
            dir_.string() + "/sub/../" + name};
  }
  // The conversion refused `failing`, the input `same`, without a question.
  void ExpectRefused(int result, const std::string& failing, const std::string& same) {
    EXPECT_EQ(result, 0);
    EXPECT_EQ(prompter_.shown,
              std::vector<Shown>{CannotOpen(failing, "je to tentýž soubor jako \"" + same + "\"")});
    prompter_.shown.clear();
  }

  fs::path dir_;
  NativeFileSystem files_;
  RecordingPrompter prompter_;
  ConversionContext context_{files_, prompter_, kTestDate};
};

TEST_F(SameFileTest, StatementIsNeverTheTableOrTheMemoFile) {
  std::ofstream(Path("x.gpc"), std::ios::binary) << kStatement;
  for (const std::string& table : OtherNames("x.gpc", ".dbf")) {
    ExpectRefused(ConvertAboToDbf(Path("x.gpc"), table, context_), table, Path("x.gpc"));
  }
  // Memo files that are the statement: by name, and by links named like a memo file.
  std::ofstream(Path("m.dbt"), std::ios::binary) << kStatement;
  ExpectRefused(ConvertAboToDbf(Path("m.dbt"), Path("m.dbf"), context_), Path("m.dbt"),
                Path("m.dbt"));
  EXPECT_EQ(Read("m.dbt"), kStatement);
  for (const std::string& memo : OtherNames("x.gpc", "-memo.dbt")) {
    if (memo.find("link") == std::string::npos) continue;
    ExpectRefused(
        ConvertAboToDbf(Path("x.gpc"), memo.substr(0, memo.size() - 4) + ".dbf", context_), memo,
        Path("x.gpc"));
  }
  EXPECT_EQ(Read("x.gpc"), kStatement);
}

TEST_F(SameFileTest, StatementIsNeverTheTableOrItsMemoFile) {
  std::ofstream(Path("in.gpc"), std::ios::binary) << kStatement;
  ASSERT_EQ(ConvertAboToDbf(Path("in.gpc"), Path("t.dbf"), context_), 1);
  prompter_.shown.clear();
  const std::string table = Read("t.dbf");
  const std::string memo = Read("t.dbt");
  for (const std::string& output : OtherNames("t.dbf", "-table.gpc")) {
    ExpectRefused(ConvertDbfToAbo(Path("t.dbf"), output, context_), output, Path("t.dbf"));
  }
  for (const std::string& output : OtherNames("t.dbt", "-memo.gpc")) {
    ExpectRefused(ConvertDbfToAbo(Path("t.dbf"), output, context_), output, Path("t.dbt"));
  }
  EXPECT_EQ(Read("t.dbf"), table);
  EXPECT_EQ(Read("t.dbt"), memo);
}

}  // namespace
}  // namespace trelvan::testing
