#include "convert/memo_path.h"

namespace trelvan {

std::string_view FileNameOf(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string MemoPathFor(const std::string& tablePath) {
  const std::size_t name_start = tablePath.size() - FileNameOf(tablePath).size();
  const std::size_t dot = tablePath.find_last_of('.');
  if (dot == std::string::npos || dot < name_start) return tablePath + ".dbt";
  return tablePath.substr(0, dot) + ".dbt";
}

}  // namespace trelvan
