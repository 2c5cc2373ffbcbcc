#include <windows.h>

#include <algorithm>

#include "platform/native_file_system.h"
#include "platform/windows_text.h"

namespace trelvan {
namespace {

// ReadFile and WriteFile take 32-bit counts; larger requests go in pieces.
constexpr std::size_t kMaxChunk = 1u << 30;

std::string LastErrorText() { return windows::SystemErrorText(GetLastError()); }

class WindowsFile : public File {
 public:
  WindowsFile(HANDLE handle, std::string path, FileId id)
      : handle_(handle), path_(std::move(path)), id_(id) {}
  ~WindowsFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }

  std::size_t Read(void* buffer, std::size_t n) override {
    std::size_t done = 0;
    while (done < n) {
      const DWORD want = static_cast<DWORD>(std::min(n - done, kMaxChunk));
      DWORD got = 0;
      if (!ReadFile(handle_, static_cast<char*>(buffer) + done, want, &got, nullptr)) {
        throw FileError(path_, LastErrorText());
      }
      if (got == 0) break;
      done += got;
    }
    return done;
  }

  void Write(const void* data, std::size_t n) override {
    std::size_t done = 0;
    while (done < n) {
      const DWORD want = static_cast<DWORD>(std::min(n - done, kMaxChunk));
      DWORD put = 0;
      if (!WriteFile(handle_, static_cast<const char*>(data) + done, want, &put, nullptr)) {
        throw FileError(path_, LastErrorText());
      }
      if (put == 0) throw FileError(path_, windows::SystemErrorText(ERROR_WRITE_FAULT));
      done += put;
    }
  }

  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    const DWORD method = origin == SeekOrigin::kBegin ? FILE_BEGIN : FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(handle_, distance, &position, method)) {
      throw FileError(path_, LastErrorText());
    }
    return position.QuadPart;
  }

  void Close() override {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (handle != INVALID_HANDLE_VALUE && !CloseHandle(handle)) {
      throw FileError(path_, LastErrorText());
    }
  }

  const std::string& path() const override { return path_; }
  FileId id() const override { return id_; }

 private:
  HANDLE handle_;
  std::string path_;
  FileId id_;
};

struct Opened {
  HANDLE handle = INVALID_HANDLE_VALUE;
  BY_HANDLE_FILE_INFORMATION info{};
};

// Opens by the wide name and reads the identity; on any failure nothing stays open.
bool Open(const std::string& path, DWORD access, DWORD disposition, DWORD flags, Opened* opened) {
  std::wstring wide;
  if (!windows::WideFromUtf8(path, &wide) || wide.empty()) return false;
  // No sharing: another program cannot change the file under the conversion, and an output
  // that is the input under another name fails to open instead of destroying it.
  const HANDLE handle = CreateFileW(wide.c_str(), access, 0, nullptr, disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  if (!GetFileInformationByHandle(handle, &opened->info)) {
    CloseHandle(handle);
    return false;
  }
  opened->handle = handle;
  return true;
}

FileId IdOf(const BY_HANDLE_FILE_INFORMATION& info) {
  return FileId{info.dwVolumeSerialNumber,
                (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool IsDirectory(const BY_HANDLE_FILE_INFORMATION& info) {
  return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::unique_ptr<File> NativeFileSystem::OpenForReading(const std::string& path) {
  Opened opened;
  if (!Open(path, GENERIC_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, &opened)) return nullptr;
  if (IsDirectory(opened.info)) {
    CloseHandle(opened.handle);
    return nullptr;
  }
  return std::make_unique<WindowsFile>(opened.handle, path, IdOf(opened.info));
}

std::unique_ptr<File> NativeFileSystem::CreateForWriting(
    const std::string& path, const std::vector<const File*>& open_files) {
  // Open without truncating, compare identities, and only then empty the file: an input the
  // caller still holds under another name must survive.
  Opened opened;
  if (!Open(path, GENERIC_WRITE, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, &opened)) return nullptr;
  auto file = std::make_unique<WindowsFile>(opened.handle, path, IdOf(opened.info));
  for (const File* open : open_files) {
    if (open != nullptr && open->id() == file->id()) return nullptr;
  }
  // The position is at the start, so this empties an existing file.
  if (!SetEndOfFile(opened.handle)) return nullptr;
  return file;
}

EntryKind NativeFileSystem::Lookup(const std::string& path) {
  std::wstring wide;
  if (!windows::WideFromUtf8(path, &wide) || wide.empty()) return EntryKind::kNone;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::kNone;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::kDirectory : EntryKind::kFile;
  }
  // A link: judge its target, which a handle opened through the link describes.
  const HANDLE handle =
      CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return EntryKind::kNone;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  if (!known) return EntryKind::kNone;
  return IsDirectory(info) ? EntryKind::kDirectory : EntryKind::kFile;
}

}  // namespace trelvan
