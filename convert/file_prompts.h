// What the conversions ask and tell the user about their files: the overwrite question and
// the stop messages for a file that cannot be opened or fails later.
#pragma once

#include <string>

#include "convert/conversion_context.h"

namespace trelvan {

// Asks before replacing an existing output that is not a directory. Returns true when the
// conversion may go on (nothing there, a directory, or the answer Yes).
bool ConfirmOverwrite(const std::string& outputPath, ConversionContext& context);

// Tells the user (stop icon) that a file could not be opened, and why.
void ReportOpenFailure(const std::string& path, const std::string& reason,
                       ConversionContext& context);

// Tells the user (stop icon) that a read, write, seek or close failed, naming the file and the
// reason.
void ReportFileError(const FileError& error, ConversionContext& context);

}  // namespace trelvan
