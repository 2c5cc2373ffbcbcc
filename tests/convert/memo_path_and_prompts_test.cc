#include "convert/file_prompts.h"
#include "convert/memo_path.h"
#include "convert/messages.h"

#include <gtest/gtest.h>

#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::testing {
namespace {

TEST(MemoPathTest, ReplacesTheExtensionOfTheFileNameOnly) {
  EXPECT_EQ(MemoPathFor("out.dbf"), "out.dbt");
  EXPECT_EQ(MemoPathFor("a.b.dbf"), "a.b.dbt");
  EXPECT_EQ(MemoPathFor("table"), "table.dbt");
  EXPECT_EQ(MemoPathFor("dir.v2/table"), "dir.v2/table.dbt");
  EXPECT_EQ(MemoPathFor("C:\\data.2026\\vypis"), "C:\\data.2026\\vypis.dbt");
  EXPECT_EQ(MemoPathFor("C:\\data\\vypis.DBF"), "C:\\data\\vypis.dbt");
  EXPECT_EQ(MemoPathFor("dir/.hidden"), "dir/.dbt");
  EXPECT_EQ(MemoPathFor("x.dbt"), "x.dbt");
  EXPECT_EQ(MemoPathFor(""), ".dbt");
}

TEST(FillMessageTest, FillsPlaceholdersInOrder) {
  EXPECT_EQ(
      FillMessage("Tabulka \"%s\" je neúplná: převedeno %u z %u záznamů", {"t.dbf", "2", "5"}),
      "Tabulka \"t.dbf\" je neúplná: převedeno 2 z 5 záznamů");
  EXPECT_EQ(FillMessage("100% %s %d", {"x"}), "100% x %d");
  EXPECT_EQ(FillMessage("%s and %s", {"%s"}), "%s and %s");
}

class ConfirmOverwriteTest : public ::testing::Test {
 protected:
  bool Confirm(const std::string& path) {
    ConversionContext context{files_, prompter_, Date{2026, 12, 6}};
    return ConfirmOverwrite(path, context);
  }
  MemoryFileSystem files_;
  RecordingPrompter prompter_;
};

TEST_F(ConfirmOverwriteTest, PassesWithoutAQuestionWhenNothingOrADirectoryIsThere) {
  files_.MakeDirectory("dir");
  EXPECT_TRUE(Confirm("new.dbf"));
  EXPECT_TRUE(Confirm("dir"));
  EXPECT_TRUE(prompter_.shown.empty());
}

TEST_F(ConfirmOverwriteTest, AsksAboutAFileAndGoesOnOnlyForYes) {
  files_.Put("C:\\výpisy\\leden.gpc", "x");
  EXPECT_FALSE(Confirm("C:\\výpisy\\leden.gpc"));
  prompter_.AnswerNext(true);
  EXPECT_TRUE(Confirm("C:\\výpisy\\leden.gpc"));
  const Shown question{MessageStyle::kQuestion, "Soubor \"leden.gpc\" již existuje!\nPřepsat?"};
  EXPECT_EQ(prompter_.shown, (std::vector<Shown>{question, question}));
}

}  // namespace
}  // namespace trelvan::testing
