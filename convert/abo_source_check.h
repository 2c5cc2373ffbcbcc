// Tells an ABO statement file from the wrong kind of file before anything is created: a dBASE
// table or memo file given as the statement (the arguments swapped), or any other file in which
// no line is a header line or an item line.
#pragma once

#include "convert/file_system.h"

namespace trelvan {

// True when `source` may be converted as a statement file: it has no lines at all (an empty
// statement), or a line that is a header line or an item line and it is no table or memo file.
// Reads from the start, leaves the file at its start; a failing call throws FileError.
bool IsAboStatementFile(File& source);

}  // namespace trelvan
