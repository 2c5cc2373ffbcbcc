#include "convert/memo_path.h"

#include <gtest/gtest.h>

#include "convert/messages.h"

namespace trelvan {
namespace {

TEST(MemoPathTest, ReplacesTheExtensionOfTheFileNameOnly) {
  EXPECT_EQ(MemoPathFor("out.dbf"), "out.dbt");
  EXPECT_EQ(MemoPathFor("a.b.dbf"), "a.b.dbt");
  EXPECT_EQ(MemoPathFor("table"), "table.dbt");
  EXPECT_EQ(MemoPathFor("dir.v2/table"), "dir.v2/table.dbt");
  EXPECT_EQ(MemoPathFor("C:\\data.2026\\vypis"), "C:\\data.2026\\vypis.dbt");
  EXPECT_EQ(MemoPathFor("C:\\data\\vypis.DBF"), "C:\\data\\vypis.DBT");
  EXPECT_EQ(MemoPathFor("dir/.hidden"), "dir/.dbt");
  EXPECT_EQ(MemoPathFor(""), ".dbt");
}

// Tables from older programs are named in capitals, and their memo files too.
TEST(MemoPathTest, FollowsTheCaseOfTheTablesExtension) {
  EXPECT_EQ(MemoPathFor("dir.old/VYPIS.DBF"), "dir.old/VYPIS.DBT");
  EXPECT_EQ(MemoPathFor("vypis.Dbf"), "vypis.dbt");
  EXPECT_EQ(MemoPathFor("VYPIS"), "VYPIS.DBT");
  EXPECT_EQ(MemoPathFor("VYPIS.2"), "VYPIS.dbt");
  EXPECT_EQ(MemoPathFor("Z"), "Z.DBT");
  EXPECT_EQ(OtherCaseMemoPath("VYPIS.DBT"), "VYPIS.dbt");
  EXPECT_EQ(OtherCaseMemoPath("dir/vypis.Fpt"), "dir/vypis.FPT");
  EXPECT_EQ(OtherCaseMemoPath("vypis.DBT"), "vypis.dbt");
  EXPECT_EQ(OtherCaseMemoPath("Z.ZZZ"), "Z.zzz");
}

TEST(FillMessageTest, FillsPlaceholdersInOrderAndLeavesTheRest) {
  EXPECT_EQ(FillMessage("\"%s\": %u z %u", {"t.dbf", "2", "5"}), "\"t.dbf\": 2 z 5");
  EXPECT_EQ(FillMessage("100% %s %d", {"x"}), "100% x %d");
  EXPECT_EQ(FillMessage("%s and %s", {"%s"}), "%s and %s");
}

}  // namespace
}  // namespace trelvan
