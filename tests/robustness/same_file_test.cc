// Outputs that are an input under another name on the real file system: a hard link, a symbolic
// link, "dir/./x" or "dir/sub/../x". Both directions refuse them and leave the inputs whole.
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

TEST(SameFileTest, NoOutputIsAnInputUnderAnotherName) {
  char pattern[] = "/tmp/trelvan-same-file-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const fs::path dir = pattern;
  fs::create_directory(dir / "sub");
  const auto path = [&](const std::string& name) { return (dir / name).string(); };
  const auto read = [&](const std::string& name) {
    std::ifstream in(path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  // Other names of `name`: "link" + suffix (hard), "symlink" + suffix, two spellings of the path.
  const auto other_names = [&](const std::string& name, const std::string& suffix) {
    fs::create_hard_link(dir / name, dir / ("link" + suffix));
    fs::create_symlink(name, dir / ("symlink" + suffix));
    return std::vector<std::string>{path("link" + suffix), path("symlink" + suffix),
                                    dir.string() + "/./" + name, dir.string() + "/sub/../" + name};
  };
  NativeFileSystem files;
  RecordingPrompter prompter;
  ConversionContext context{files, prompter, kTestDate};
  const auto expect_refused = [&](int result, const std::string& output, const std::string& same) {
    EXPECT_EQ(result, 0);
    EXPECT_EQ(prompter.shown, std::vector<Shown>{CannotOpen(
                                  output, "je to tentýž soubor jako \"" + path(same) + "\"")});
    prompter.shown.clear();
  };
  const std::string statement =
      Line(
          "0740000001234567890Zelena louka s.r.o. 30112600000001542305+00000001611432+"
          "00000000120873+00000000190000+047011226") +
      Line("0750000001234567890000000271635482700000000012000000001250012026110001") +
      Line("076 note");
  std::ofstream(path("in.gpc"), std::ios::binary) << statement;
  ASSERT_EQ(ConvertAboToDbf(path("in.gpc"), path("t.dbf"), context), 1);
  prompter.shown.clear();
  const std::string table = read("t.dbf"), memo = read("t.dbt");

  for (const std::string& output : other_names("in.gpc", ".dbf")) {
    expect_refused(ConvertAboToDbf(path("in.gpc"), output, context), output, "in.gpc");
  }
  for (const std::string& output : other_names("t.dbf", "-table.gpc")) {
    expect_refused(ConvertDbfToAbo(path("t.dbf"), output, context), output, "t.dbf");
  }
  for (const std::string& output : other_names("t.dbt", "-memo.gpc")) {
    expect_refused(ConvertDbfToAbo(path("t.dbf"), output, context), output, "t.dbt");
  }
  EXPECT_EQ(read("in.gpc"), statement);
  EXPECT_EQ(read("t.dbf"), table);
  EXPECT_EQ(read("t.dbt"), memo);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace trelvan::testing
