// Reading a file only to check its statements (`trelvan-cli check`). Each statement goes to
// context.statements, and the prompter hears the same notes a conversion of the file would
// show. Both return false when the file could not be read, the prompter having been told why.
#pragma once

#include <string>

#include "convert/conversion_context.h"

namespace trelvan {

// A statement file, read line by line as ConvertAboToDbf reads it. Amounts too long for a
// table field do not stop it: nothing is written.
bool CheckStatementFile(const std::string& path, ConversionContext& context);

// A table, read by ConvertDbfToAbo itself with its statement file written nowhere.
bool CheckStatementTable(const std::string& path, ConversionContext& context);

}  // namespace trelvan
