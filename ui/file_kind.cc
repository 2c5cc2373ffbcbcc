#include "ui/file_kind.h"

#include <cstring>

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace trelvan {

namespace {

bool StartsWith(const unsigned char* bytes, size_t size, const char* prefix, size_t length) {
  return size >= length && std::memcmp(bytes, prefix, length) == 0;
}

bool IsStatement(const unsigned char* bytes, size_t size) {
  for (const char* bom : {"", "\xEF\xBB\xBF"}) {
    const size_t skip = std::strlen(bom);
    if (!StartsWith(bytes, size, bom, skip)) continue;
    for (const char* tag : {"074", "075"}) {
      if (StartsWith(bytes + skip, size - skip, tag, 3)) return true;
    }
  }
  // UTF-16 with its byte order mark: "07" as 30 00 37 00 or 00 30 00 37.
  return StartsWith(bytes, size, "\xFF\xFE\x30\x00\x37\x00", 6) ||
         StartsWith(bytes, size, "\xFE\xFF\x00\x30\x00\x37", 6);
}

bool IsTable(const unsigned char* bytes, size_t size) {
  if (size < 32) return false;
  // dBASE III to 7, FoxPro and Visual FoxPro version bytes, with or without a memo file.
  static const unsigned char kVersions[] = {0x02, 0x03, 0x04, 0x05, 0x30, 0x31, 0x32, 0x43,
                                            0x63, 0x83, 0x8B, 0x8E, 0xCB, 0xF5, 0xFB};
  if (std::memchr(kVersions, bytes[0], sizeof kVersions) == nullptr) return false;
  const unsigned month = bytes[2], day = bytes[3];
  const unsigned header = bytes[8] | bytes[9] << 8, record = bytes[10] | bytes[11] << 8;
  return month >= 1 && month <= 12 && day >= 1 && day <= 31 && header >= 33 && record >= 1;
}

FileKind KindOfExtension(const wxString& path) {
  const wxString extension = wxFileName(path).GetExt().Lower();
  if (extension == "gpc" || extension == "abo") return FileKind::kStatement;
  if (extension == "dbf" || extension == "dbt") return FileKind::kTable;
  return FileKind::kNeither;
}

}  // namespace

FileKind JudgeFile(const wxString& path) {
  if (wxDirExists(path)) return FileKind::kNeither;
  unsigned char bytes[32] = {};
  size_t size = 0;
  {
    wxLogNull quiet;  // an unreadable file is judged by its name
    wxFile file;
    if (file.Open(path)) {
      const ssize_t read = file.Read(bytes, sizeof bytes);
      size = read > 0 ? static_cast<size_t>(read) : 0;
    }
  }
  if (IsStatement(bytes, size)) return FileKind::kStatement;
  if (IsTable(bytes, size)) return FileKind::kTable;
  return KindOfExtension(path);
}

wxString ProposedPath(const wxString& path, const wxString& extension) {
  wxFileName name(path);
  name.SetExt(extension);
  return name.GetFullPath();
}

}  // namespace trelvan
