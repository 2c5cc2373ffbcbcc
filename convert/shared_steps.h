// Steps both conversions share: naming the memo file, asking before replacing the output,
// reporting an open failure and filling message texts.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "convert/conversion_context.h"

namespace trelvan {

// The memo file's path: the table path with the extension of its file name (after the last
// "/" or "\\") replaced by ".dbt", or ".dbt" appended when the file name has no ".".
std::string MemoPathFor(const std::string& tablePath);

// The file name part of a path: what follows the last "/" or "\\".
std::string_view FileNameOf(std::string_view path);

// Asks before replacing an existing output that is not a directory. Returns true when the
// conversion may go on (nothing there, a directory, or the answer Yes).
bool ConfirmOverwrite(const std::string& outputPath, ConversionContext& context);

// Tells the user (stop icon) that a file could not be opened.
void ReportOpenFailure(const std::string& path, ConversionContext& context);

// Fills "%s" and "%u" in `text` with `arguments`, in order.
std::string FillMessage(std::string_view text, std::initializer_list<std::string_view> arguments);

}  // namespace trelvan
