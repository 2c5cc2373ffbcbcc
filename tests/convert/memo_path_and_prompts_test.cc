#include "convert/memo_path.h"

#include <gtest/gtest.h>

#include "convert/messages.h"

namespace trelvan {
namespace {

// The extension of the file name only is replaced; tables from older programs are named in
// capitals, and their memo files too.
TEST(MemoPathTest, ReplacesTheExtensionInTheTablesCase) {
  for (const std::string c :
       {"out.dbf|out.dbt", "a.b.dbf|a.b.dbt", "table|table.dbt", "dir.v2/table|dir.v2/table.dbt",
        "C:\\d.2026\\v|C:\\d.2026\\v.dbt", "C:\\d\\v.DBF|C:\\d\\v.DBT", "dir/.hidden|dir/.dbt",
        "|.dbt", "d.old/VYPIS.DBF|d.old/VYPIS.DBT", "vypis.Dbf|vypis.dbt", "VYPIS|VYPIS.DBT",
        "VYPIS.2|VYPIS.dbt", "Z|Z.DBT"}) {
    EXPECT_EQ(MemoPathFor(c.substr(0, c.find('|'))), c.substr(c.find('|') + 1)) << c;
  }
  EXPECT_EQ(OtherCaseMemoPath("VYPIS.DBT"), "VYPIS.dbt");
  EXPECT_EQ(OtherCaseMemoPath("dir/vypis.Fpt"), "dir/vypis.FPT");
  EXPECT_EQ(OtherCaseMemoPath("Z.ZZZ"), "Z.zzz");
}

TEST(FillMessageTest, FillsPlaceholdersInOrderAndLeavesTheRest) {
  EXPECT_EQ(FillMessage("\"%s\": %u z %u", {"t.dbf", "2", "5"}), "\"t.dbf\": 2 z 5");
  EXPECT_EQ(FillMessage("100% %s %d", {"x"}), "100% x %d");
  EXPECT_EQ(FillMessage("%s and %s", {"%s"}), "%s and %s");
}

}  // namespace
}  // namespace trelvan
