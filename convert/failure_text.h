// The words a user reads for a file call that failed: the conversions' own for the failures
// they know, the system's for the rest.
#pragma once

#include <string>

#include "convert/file_system.h"

namespace trelvan {

std::string FailureText(const FileFailure& failure);

}  // namespace trelvan
