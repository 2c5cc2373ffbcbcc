#include "convert/memo_path.h"

namespace trelvan {

std::string_view FileNameOf(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

namespace {

bool AllLettersCapital(std::string_view text) {
  bool letters = false;
  for (const char c : text) {
    if (c >= 'a' && c <= 'z') return false;
    letters = letters || (c >= 'A' && c <= 'Z');
  }
  return letters;
}

}  // namespace

std::string MemoPathFor(const std::string& tablePath) {
  const std::size_t name_start = tablePath.size() - FileNameOf(tablePath).size();
  const std::size_t dot = tablePath.find_last_of('.');
  const bool has_extension = dot != std::string::npos && dot >= name_start;
  const std::string_view cased =
      std::string_view(tablePath).substr(has_extension ? dot + 1 : name_start);
  const char* extension = AllLettersCapital(cased) ? ".DBT" : ".dbt";
  return (has_extension ? tablePath.substr(0, dot) : tablePath) + extension;
}

std::string OtherCaseMemoPath(const std::string& memoPath) {
  std::string other = memoPath;
  const std::size_t dot = other.find_last_of('.');
  if (dot == std::string::npos) return other;
  const bool capitals = AllLettersCapital(std::string_view(other).substr(dot + 1));
  for (std::size_t i = dot + 1; i < other.size(); ++i) {
    char& c = other[i];
    if (capitals && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (!capitals && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return other;
}

}  // namespace trelvan
