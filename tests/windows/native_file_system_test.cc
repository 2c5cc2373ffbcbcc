// The Windows file layer on a real disk: wide names, identity by volume and file index, no
// sharing, replacements through a hidden temporary and MoveFileExW, 64-bit positions and the
// system's own error texts.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/native_file_system.h"
#include "platform/windows_text.h"

namespace trelvan {
namespace {

class NativeFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    ASSERT_GT(length, 0u);
    wchar_t name[MAX_PATH + 1];
    ASSERT_NE(GetTempFileNameW(temp, L"trv", 0, name), 0u);
    DeleteFileW(name);
    ASSERT_TRUE(CreateDirectoryW(name, nullptr));
    dir_ = windows::Utf8FromWide(name) + "\\";
  }

  void TearDown() override {
    for (const std::string& path : created_) DeleteFileW(Wide(path).c_str());
    RemoveDirectoryW(Wide(dir_).c_str());
  }

  static std::wstring Wide(const std::string& path) {
    std::wstring wide;
    EXPECT_TRUE(windows::WideFromUtf8(path, &wide));
    return wide;
  }

  std::string PathOf(const std::string& name) {
    created_.push_back(dir_ + name);
    return dir_ + name;
  }

  void WriteText(const std::string& path, const std::string& text, bool keep_previous = false) {
    Opened<ReplacementFile> file = files_.CreateReplacement(path);
    ASSERT_NE(file.file, nullptr) << path << ": " << file.failure.system_text;
    file.file->Write(text.data(), text.size());
    file.file->Finish();
    file.file->Install(keep_previous);
  }

  std::string ReadText(const std::string& path) {
    Opened<File> file = files_.OpenForReading(path);
    if (file.file == nullptr) return "<cannot open>";
    std::string text(4096, '\0');
    text.resize(file.file->Read(text.data(), text.size()));
    return text;
  }

  // The names in the folder, hidden ones included.
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((Wide(dir_) + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(windows::Utf8FromWide(name));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }

  NativeFileSystem files_;
  std::string dir_;
  std::vector<std::string> created_;
};

TEST_F(NativeFileSystemTest, CzechNameIsTheWideNameOnDisk) {
  const std::string path = PathOf("Výpis účtu žluťoučký kůň.gpc");
  WriteText(path, "074\r\n");
  // The same name spelt by the wide API finds the file: nothing went through a code page.
  EXPECT_NE(GetFileAttributesW((Wide(dir_) + L"V\u00fdpis \u00fa\u010dtu \u017elu\u0165ou\u010dk"
                                             L"\u00fd k\u016f\u0148.gpc")
                                   .c_str()),
            INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadText(path), "074\r\n");
  EXPECT_EQ(files_.Lookup(path), EntryKind::kFile);
}

TEST_F(NativeFileSystemTest, BytesPassUnchanged) {
  const std::string path = PathOf("bytes.dbf");
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  all += "\n\r\n\x1a";
  WriteText(path, all);
  EXPECT_EQ(ReadText(path), all);
}

// The target keeps every byte until the replacement is installed; nothing hidden stays.
TEST_F(NativeFileSystemTest, ReplacementAppearsWholeOnlyWhenInstalled) {
  const std::string path = PathOf("existing.dbf");
  WriteText(path, "a long old content");
  {
    Opened<ReplacementFile> file = files_.CreateReplacement(path);
    ASSERT_NE(file.file, nullptr);
    file.file->Write("new", 3);
    file.file->Finish();
    EXPECT_EQ(ReadText(path), "a long old content");
    EXPECT_EQ(Names().size(), 2u);
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"existing.dbf"});
  WriteText(path, "new");
  EXPECT_EQ(ReadText(path), "new");
  EXPECT_EQ(GetFileAttributesW(Wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(Names(), std::vector<std::string>{"existing.dbf"});
}

TEST_F(NativeFileSystemTest, RestorePutsBackThePreviousFile) {
  const std::string path = PathOf("t.dbt");
  WriteText(path, "old memo");
  Opened<ReplacementFile> memo = files_.CreateReplacement(path);
  memo.file->Write("new", 3);
  memo.file->Finish();
  memo.file->Install(true);
  EXPECT_EQ(ReadText(path), "new");
  memo.file->Restore();
  memo.file.reset();
  EXPECT_EQ(ReadText(path), "old memo");
  EXPECT_EQ(Names(), std::vector<std::string>{"t.dbt"});
}

TEST_F(NativeFileSystemTest, ReadOnlyFilesDevicesAndFoldersAreNotReplaced) {
  const std::string path = PathOf("read-only.dbf");
  WriteText(path, "keep");
  ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(files_.CreateReplacement(path).failure.problem, FileProblem::kAccessDenied);
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadText(path), "keep");
  EXPECT_EQ(files_.CreateReplacement(dir_).failure.problem, FileProblem::kIsDirectory);
  EXPECT_EQ(files_.OpenForReading(dir_).failure.problem, FileProblem::kIsDirectory);
  EXPECT_EQ(files_.CreateReplacement("NUL").failure.problem, FileProblem::kNotRegularFile);
  EXPECT_EQ(files_.OpenForReading("NUL").failure.problem, FileProblem::kNotRegularFile);
  EXPECT_EQ(files_.OpenForReading(dir_ + "missing.abo").failure.problem, FileProblem::kNotFound);
  EXPECT_EQ(Names(), std::vector<std::string>{"read-only.dbf"});
}

TEST_F(NativeFileSystemTest, SameFileIsKnownByVolumeAndIndex) {
  const std::string path = PathOf("one.dbf");
  const std::string other = PathOf("two.dbf");
  WriteText(path, "1");
  WriteText(other, "2");
  FileId first = files_.OpenForReading(path).file->id();
  EXPECT_EQ(files_.Identify(dir_ + ".\\ONE.DBF"), first);
  EXPECT_EQ(files_.Identify(other), files_.OpenForReading(other).file->id());
  EXPECT_NE(files_.Identify(other), first);
  EXPECT_FALSE(files_.Identify(dir_ + "missing.dbf").has_value());
}

TEST_F(NativeFileSystemTest, OpenInputsAreNotShared) {
  const std::string path = PathOf("locked.dbf");
  WriteText(path, "x");
  Opened<File> input = files_.OpenForReading(path);
  ASSERT_NE(input.file, nullptr);
  EXPECT_EQ(files_.OpenForReading(path).file, nullptr);
  input.file.reset();
  EXPECT_NE(files_.OpenForReading(path).file, nullptr);
}

TEST_F(NativeFileSystemTest, LookupTellsFilesDirectoriesAndNothing) {
  const std::string path = PathOf("entry.abo");
  WriteText(path, "x");
  EXPECT_EQ(files_.Lookup(path), EntryKind::kFile);
  EXPECT_EQ(files_.Lookup(dir_), EntryKind::kDirectory);
  EXPECT_EQ(files_.Lookup(dir_ + "missing.abo"), EntryKind::kNone);
}

TEST_F(NativeFileSystemTest, NamesThatAreNotUtf8OrHoldNulOpenNothing) {
  const std::string path = PathOf("a.dbf");
  WriteText(path, "x");
  // "a.dbf\0.txt" would otherwise open a.dbf; "\xFD" is a byte of code page 1250, not UTF-8.
  EXPECT_EQ(files_.OpenForReading(path + std::string(1, '\0') + ".txt").file, nullptr);
  EXPECT_EQ(files_.CreateReplacement(dir_ + "V\xFDpis.dbf").file, nullptr);
  EXPECT_EQ(files_.Lookup(dir_ + "V\xFDpis.dbf"), EntryKind::kNone);
  EXPECT_EQ(files_.OpenForReading("").file, nullptr);
}

TEST_F(NativeFileSystemTest, PositionsBeyondFourGigabytes) {
  const std::string path = PathOf("sparse.dbt");
  Opened<ReplacementFile> file = files_.CreateReplacement(path);
  ASSERT_NE(file.file, nullptr);
  const std::int64_t beyond = (std::int64_t{5} << 30) + 7;
  EXPECT_EQ(file.file->Seek(beyond, SeekOrigin::kBegin), beyond);
  EXPECT_EQ(file.file->Seek(0, SeekOrigin::kEnd), 0);
}

TEST_F(NativeFileSystemTest, FailuresCarryThePathAndTheSystemsText) {
  const std::string path = PathOf("read-only.abo");
  WriteText(path, "x");
  Opened<File> file = files_.OpenForReading(path);
  ASSERT_NE(file.file, nullptr);
  try {
    file.file->Write("y", 1);
    FAIL() << "writing to a file opened for reading succeeded";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), path);
    EXPECT_EQ(error.failure().problem, FileProblem::kAccessDenied);
    EXPECT_EQ(error.reason(), windows::SystemErrorText(ERROR_ACCESS_DENIED));
  }
  EXPECT_THROW(file.file->Seek(-1, SeekOrigin::kBegin), FileError);
}

}  // namespace
}  // namespace trelvan
