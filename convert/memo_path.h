// Where a table's memo file lies: beside it, with the extension ".dbt" in the table's case.
#pragma once

#include <string>
#include <string_view>

namespace trelvan {

// The memo file's path: the table path with the extension of its file name (after the last
// "/" or "\\") replaced by ".dbt", or ".dbt" appended when the file name has no ".". The
// extension is ".DBT" when the table's extension (or, without one, its file name) has letters
// and all of them are capitals, as tables from older programs are named.
std::string MemoPathFor(const std::string& tablePath);

// The path with its extension in the other case: where a memo file that another program named
// is looked for when MemoPathFor names none.
std::string OtherCaseMemoPath(const std::string& memoPath);

// The file name part of a path: what follows the last "/" or "\\".
std::string_view FileNameOf(std::string_view path);

}  // namespace trelvan
