#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "platform/interruption_cleanup.h"
#include "platform/native_file_system.h"
#include "platform/windows_text.h"

namespace trelvan {
namespace {

// Not every SDK names it.
constexpr DWORD kDiskQuotaExceeded = 1295;

// ReadFile and WriteFile take 32-bit counts; larger requests go in pieces.
constexpr std::size_t kMaxChunk = 1u << 30;

FileFailure FailureOf(DWORD error) {
  FileProblem problem = FileProblem::kOther;
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      problem = FileProblem::kNotFound;
      break;
    case ERROR_ACCESS_DENIED:
      problem = FileProblem::kAccessDenied;
      break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      problem = FileProblem::kDiskFull;
      break;
    case ERROR_WRITE_PROTECT:
      problem = FileProblem::kReadOnlyFileSystem;
      break;
    case kDiskQuotaExceeded:
      problem = FileProblem::kQuotaExceeded;
      break;
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
      problem = FileProblem::kInputOutput;
      break;
    default:
      break;
  }
  return FileFailure{problem, windows::SystemErrorText(error)};
}

FileFailure LastFailure() { return FailureOf(GetLastError()); }

FileFailure Failure(FileProblem problem, DWORD error) {
  return FileFailure{problem, windows::SystemErrorText(error)};
}

// The handle work shared by inputs and replacements.
template <typename Base>
class WindowsFileOf : public Base {
 public:
  WindowsFileOf(HANDLE handle, std::string path, FileId id)
      : handle_(handle), path_(std::move(path)), id_(id) {}
  ~WindowsFileOf() override { CloseQuietly(); }

  std::size_t Read(void* buffer, std::size_t n) override {
    std::size_t done = 0;
    while (done < n) {
      const DWORD want = static_cast<DWORD>(std::min(n - done, kMaxChunk));
      DWORD got = 0;
      if (!ReadFile(handle_, static_cast<char*>(buffer) + done, want, &got, nullptr)) {
        throw FileError(path_, LastFailure());
      }
      if (got == 0) break;
      done += got;
    }
    return done;
  }

  // One call per piece instead of a seek and a read. The handles are synchronous, so ReadFile
  // reads at the offset given and returns when done; from the end on it fails with
  // ERROR_HANDLE_EOF.
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t n) override {
    std::size_t done = 0;
    while (done < n) {
      const DWORD want = static_cast<DWORD>(std::min(n - done, kMaxChunk));
      const auto at = static_cast<std::uint64_t>(offset) + done;
      OVERLAPPED where{};
      where.Offset = static_cast<DWORD>(at);
      where.OffsetHigh = static_cast<DWORD>(at >> 32);
      DWORD got = 0;
      if (!ReadFile(handle_, static_cast<char*>(buffer) + done, want, &got, &where)) {
        const DWORD error = GetLastError();
        if (error == ERROR_HANDLE_EOF) break;
        throw FileError(path_, FailureOf(error));
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
        throw FileError(path_, LastFailure());
      }
      if (put == 0) throw FileError(path_, FailureOf(ERROR_WRITE_FAULT));
      done += put;
    }
  }

  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    const DWORD method = origin == SeekOrigin::kBegin ? FILE_BEGIN : FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(handle_, distance, &position, method)) {
      throw FileError(path_, LastFailure());
    }
    return position.QuadPart;
  }

  void Close() override {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (handle != INVALID_HANDLE_VALUE && !CloseHandle(handle)) {
      throw FileError(path_, LastFailure());
    }
  }

  const std::string& path() const override { return path_; }
  FileId id() const override { return id_; }

 protected:
  void CloseQuietly() noexcept {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

  HANDLE handle_;
  std::string path_;
  FileId id_;
};

FileId IdOf(const BY_HANDLE_FILE_INFORMATION& info) {
  return FileId{info.dwVolumeSerialNumber,
                (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool IsDirectory(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opens whatever the path names, through links, only to look at it.
HANDLE OpenToLookAt(const std::wstring& wide) {
  return CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/:");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// The file a symbolic link points to, by the name the system resolves it to; `wide` itself
// when it is no link or names nothing yet.
std::wstring FollowLinks(const std::wstring& wide) {
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return wide;
  }
  const HANDLE handle = OpenToLookAt(wide);
  if (handle == INVALID_HANDLE_VALUE) return wide;
  std::wstring resolved(32768, L'\0');
  const DWORD length =
      GetFinalPathNameByHandleW(handle, &resolved[0], static_cast<DWORD>(resolved.size()), 0);
  CloseHandle(handle);
  if (length == 0 || length >= resolved.size()) return wide;
  resolved.resize(length);
  return resolved;
}

// Hidden names beside `path` that no other run uses: the process id and a counter.
std::wstring SiblingName(const std::wstring& path, const wchar_t* kind) {
  static std::atomic<unsigned> counter{0};
  const std::wstring folder = FolderOf(path);
  return folder + L"." + path.substr(folder.size()) + L".trelvan-" + kind + L"-" +
         std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter.fetch_add(1));
}

class WindowsReplacement : public WindowsFileOf<ReplacementFile> {
 public:
  WindowsReplacement(HANDLE handle, const std::string& shown_path, std::wstring target,
                     std::wstring temporary, int temporary_slot, FileId id)
      : WindowsFileOf(handle, shown_path, id),
        target_(std::move(target)),
        temporary_(std::move(temporary)),
        temporary_slot_(temporary_slot) {}

  ~WindowsReplacement() override {
    CloseQuietly();
    if (!installed_) DeleteFileW(temporary_.c_str());
    interruption::Unregister(temporary_slot_);
    ForgetPrevious();
  }

  void Finish() override {
    if (!FlushFileBuffers(handle_)) throw FileError(path_, LastFailure());
    Close();
    // The replaced file's attributes (not the temporary's hidden one), or plain ones.
    const DWORD replaced = GetFileAttributesW(target_.c_str());
    const DWORD attributes =
        replaced == INVALID_FILE_ATTRIBUTES
            ? FILE_ATTRIBUTE_NORMAL
            : replaced & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (!SetFileAttributesW(temporary_.c_str(),
                            attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes)) {
      throw FileError(path_, LastFailure());
    }
  }

  void Install(bool keep_previous) override {
    had_previous_ = GetFileAttributesW(target_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (keep_previous && had_previous_) {
      previous_ = SiblingName(target_, L"old");
      previous_slot_ = interruption::Register(windows::Utf8FromWide(previous_));
      // A second name where the file system has them, a copy where it has not.
      if (!CreateHardLinkW(previous_.c_str(), target_.c_str(), nullptr) &&
          !CopyFileW(target_.c_str(), previous_.c_str(), TRUE)) {
        const DWORD error = GetLastError();
        previous_.clear();
        ForgetPrevious();
        throw FileError(path_, FailureOf(error));
      }
    }
    if (!MoveFileExW(temporary_.c_str(), target_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      const DWORD error = GetLastError();
      ForgetPrevious();
      throw FileError(path_, FailureOf(error));
    }
    installed_ = true;
    kept_ = keep_previous;
  }

  void Restore() noexcept override {
    if (!installed_ || !kept_) return;
    if (!previous_.empty()) {
      if (MoveFileExW(previous_.c_str(), target_.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        previous_.clear();
      }
    } else if (!had_previous_) {
      DeleteFileW(target_.c_str());
    }
    kept_ = false;
  }

 private:
  void ForgetPrevious() noexcept {
    if (!previous_.empty()) DeleteFileW(previous_.c_str());
    previous_.clear();
    interruption::Unregister(previous_slot_);
    previous_slot_ = -1;
  }

  std::wstring target_;
  std::wstring temporary_;
  int temporary_slot_;
  std::wstring previous_;
  int previous_slot_ = -1;
  bool installed_ = false;
  bool kept_ = false;
  bool had_previous_ = false;
};

class WindowsHold : public FileSystem::InterruptionHold {
  interruption::Hold hold_;
};

}  // namespace

Opened<File> NativeFileSystem::OpenForReading(const std::string& path) {
  std::wstring wide;
  if (!windows::WideFromUtf8(path, &wide) || wide.empty()) {
    return {nullptr, Failure(FileProblem::kNotFound, ERROR_FILE_NOT_FOUND)};
  }
  if (IsDirectory(GetFileAttributesW(wide.c_str()))) {
    return {nullptr, Failure(FileProblem::kIsDirectory, ERROR_DIRECTORY)};
  }
  // No sharing: another program cannot change the file under the conversion.
  const HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {nullptr, LastFailure()};
  BY_HANDLE_FILE_INFORMATION info;
  FileFailure failure;
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    failure = Failure(FileProblem::kNotRegularFile, ERROR_BAD_FILE_TYPE);
  } else if (!GetFileInformationByHandle(handle, &info)) {
    failure = LastFailure();
  } else {
    return {std::make_unique<WindowsFileOf<File>>(handle, path, IdOf(info)), {}};
  }
  CloseHandle(handle);
  return {nullptr, failure};
}

Opened<ReplacementFile> NativeFileSystem::CreateReplacement(const std::string& target) {
  std::wstring wide;
  if (!windows::WideFromUtf8(target, &wide) || wide.empty()) {
    return {nullptr, Failure(FileProblem::kNotFound, ERROR_FILE_NOT_FOUND)};
  }
  const std::wstring file = FollowLinks(wide);
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (IsDirectory(attributes))
    return {nullptr, Failure(FileProblem::kIsDirectory, ERROR_DIRECTORY)};
  // Devices (CON, NUL, COM1) and pipes are no files to replace.
  const HANDLE existing = OpenToLookAt(file);
  if (existing != INVALID_HANDLE_VALUE) {
    const DWORD type = GetFileType(existing);
    CloseHandle(existing);
    if (type != FILE_TYPE_DISK)
      return {nullptr, Failure(FileProblem::kNotRegularFile, ERROR_BAD_FILE_TYPE)};
  }
  // A file its owner made read-only is not replaced behind their back.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return {nullptr, Failure(FileProblem::kAccessDenied, ERROR_ACCESS_DENIED)};
  }
  std::wstring temporary;
  HANDLE handle = INVALID_HANDLE_VALUE;
  int slot = -1;
  DWORD error = ERROR_FILE_EXISTS;
  while (handle == INVALID_HANDLE_VALUE && error == ERROR_FILE_EXISTS) {
    temporary = SiblingName(file, L"tmp");
    // Registered before it exists, so that no moment leaves it to an interruption.
    slot = interruption::Register(windows::Utf8FromWide(temporary));
    // Deleting is shared, so that Ctrl+C can remove the temporary while it is open.
    handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_HIDDEN, nullptr);
    error = GetLastError();
    if (handle == INVALID_HANDLE_VALUE) interruption::Unregister(slot);
  }
  if (handle == INVALID_HANDLE_VALUE) {
    if (error == ERROR_ACCESS_DENIED) {
      return {nullptr, Failure(FileProblem::kFolderNotWritable, error)};
    }
    return {nullptr, FailureOf(error)};
  }
  BY_HANDLE_FILE_INFORMATION info{};
  GetFileInformationByHandle(handle, &info);
  return {std::make_unique<WindowsReplacement>(handle, target, file, temporary, slot, IdOf(info)),
          {}};
}

EntryKind NativeFileSystem::Lookup(const std::string& path) {
  std::wstring wide;
  if (!windows::WideFromUtf8(path, &wide) || wide.empty()) return EntryKind::kNone;
  const HANDLE handle = OpenToLookAt(wide);
  if (handle == INVALID_HANDLE_VALUE) return EntryKind::kNone;
  BY_HANDLE_FILE_INFORMATION info;
  const DWORD type = GetFileType(handle);
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  if (type != FILE_TYPE_DISK) return EntryKind::kOther;
  if (!known) return EntryKind::kNone;
  return IsDirectory(info.dwFileAttributes) ? EntryKind::kDirectory : EntryKind::kFile;
}

std::optional<FileId> NativeFileSystem::Identify(const std::string& path) {
  std::wstring wide;
  if (!windows::WideFromUtf8(path, &wide) || wide.empty()) return std::nullopt;
  const HANDLE handle = OpenToLookAt(wide);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  if (!known) return std::nullopt;
  return IdOf(info);
}

std::unique_ptr<FileSystem::InterruptionHold> NativeFileSystem::HoldInterruptions() {
  return std::make_unique<WindowsHold>();
}

}  // namespace trelvan
