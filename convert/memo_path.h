// Where a table's memo file lies: beside it, with the extension ".dbt".
#pragma once

#include <string>
#include <string_view>

namespace trelvan {

// The memo file's path: the table path with the extension of its file name (after the last
// "/" or "\\") replaced by ".dbt", or ".dbt" appended when the file name has no ".".
std::string MemoPathFor(const std::string& tablePath);

// The file name part of a path: what follows the last "/" or "\\".
std::string_view FileNameOf(std::string_view path);

}  // namespace trelvan
