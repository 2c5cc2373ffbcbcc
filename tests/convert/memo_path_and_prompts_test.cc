#include "convert/memo_path.h"

#include <gtest/gtest.h>

#include "convert/messages.h"

namespace trelvan {
namespace {

// The extension of the file name only is replaced; tables from older programs are named in
// capitals, and their memo files too.
TEST(MemoPathTest, ReplacesTheExtensionInTheTablesCase) {
  for (const std::string c :
       {"C:\\d.2026\\v|C:\\d.2026\\v.dbt", "dir/.hidden|dir/.dbt",
        "d.old/VYPIS.DBF|d.old/VYPIS.DBT", "vypis.Dbf|vypis.dbt", "VYPIS.2|VYPIS.dbt"}) {
    EXPECT_EQ(MemoPathFor(c.substr(0, c.find('|'))), c.substr(c.find('|') + 1)) << c;
  }
  EXPECT_EQ(OtherCaseMemoPath("dir/vypis.Fpt"), "dir/vypis.FPT");
  EXPECT_EQ(OtherCaseMemoPath("Z.ZZZ"), "Z.zzz");
}

TEST(FillMessageTest, FillsPlaceholdersInOrderAndLeavesTheRest) {
  EXPECT_EQ(FillMessage("\"%s\": %u z %u", {"t.dbf", "2", "5"}), "\"t.dbf\": 2 z 5");
  EXPECT_EQ(FillMessage("%s and %s", {"%s"}), "%s and %s");
}

}  // namespace
}  // namespace trelvan
