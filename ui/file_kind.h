// Which field a file given to the dialog (dropped, or named on the command line) belongs in,
// and what the other field is proposed from it.
#pragma once

#include <wx/string.h>

namespace trelvan {

enum class FileKind { kNeither, kStatement, kTable };

// Judges a file by its first bytes: a statement begins with a "074" or "075" line (after a
// byte order mark, in UTF-16 too), a table with a dBASE header. Any other file (a statement
// may begin with other lines, a new file is empty) is judged by its extension: .gpc and .abo,
// .dbf and its memo's .dbt.
FileKind JudgeFile(const wxString& path);

// `path` with `extension` (no dot) in place of the file name's own: vypis.gpc -> vypis.dbf.
wxString ProposedPath(const wxString& path, const wxString& extension);

}  // namespace trelvan
