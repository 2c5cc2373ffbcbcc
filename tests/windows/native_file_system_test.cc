// The Windows file layer on a real disk: wide names, identity by volume and file index, no
// sharing, 64-bit positions and the system's own error texts.
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

  void WriteText(const std::string& path, const std::string& text) {
    auto file = files_.CreateForWriting(path, {});
    ASSERT_NE(file, nullptr) << path;
    file->Write(text.data(), text.size());
    file->Close();
  }

  std::string ReadText(const std::string& path) {
    auto file = files_.OpenForReading(path);
    if (file == nullptr) return "<cannot open>";
    std::string text(4096, '\0');
    text.resize(file->Read(text.data(), text.size()));
    return text;
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

TEST_F(NativeFileSystemTest, CreatingEmptiesAnExistingFile) {
  const std::string path = PathOf("existing.dbf");
  WriteText(path, "a long old content");
  WriteText(path, "new");
  EXPECT_EQ(ReadText(path), "new");
}

TEST_F(NativeFileSystemTest, OutputThatIsAnOpenInputUnderAnotherNameIsRefusedAndKept) {
  const std::string path = PathOf("input.gpc");
  WriteText(path, "statement");
  auto input = files_.OpenForReading(path);
  ASSERT_NE(input, nullptr);
  // Another spelling of the same file: other case, a "." step.
  std::string alias = dir_ + ".\\INPUT.GPC";
  EXPECT_EQ(files_.CreateForWriting(alias, {input.get()}), nullptr);
  input.reset();
  EXPECT_EQ(ReadText(path), "statement");
}

TEST_F(NativeFileSystemTest, SameFileIsKnownByVolumeAndIndex) {
  const std::string path = PathOf("one.dbf");
  const std::string other = PathOf("two.dbf");
  WriteText(path, "1");
  WriteText(other, "2");
  FileId first = files_.OpenForReading(path)->id();
  EXPECT_EQ(files_.OpenForReading(dir_ + "ONE.DBF")->id(), first);
  EXPECT_FALSE(files_.OpenForReading(other)->id() == first);
}

TEST_F(NativeFileSystemTest, OpenFilesAreNotShared) {
  const std::string path = PathOf("locked.dbf");
  auto output = files_.CreateForWriting(path, {});
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(files_.OpenForReading(path), nullptr);
  output->Close();
  EXPECT_NE(files_.OpenForReading(path), nullptr);
}

TEST_F(NativeFileSystemTest, LookupTellsFilesDirectoriesAndNothing) {
  const std::string path = PathOf("entry.abo");
  WriteText(path, "x");
  EXPECT_EQ(files_.Lookup(path), EntryKind::kFile);
  EXPECT_EQ(files_.Lookup(dir_), EntryKind::kDirectory);
  EXPECT_EQ(files_.Lookup(dir_ + "missing.abo"), EntryKind::kNone);
  EXPECT_EQ(files_.OpenForReading(dir_), nullptr);
  EXPECT_EQ(files_.CreateForWriting(dir_, {}), nullptr);
  EXPECT_EQ(files_.OpenForReading(dir_ + "missing.abo"), nullptr);
}

TEST_F(NativeFileSystemTest, NamesThatAreNotUtf8OrHoldNulOpenNothing) {
  const std::string path = PathOf("a.dbf");
  WriteText(path, "x");
  // "a.dbf\0.txt" would otherwise open a.dbf; "\xFD" is a byte of code page 1250, not UTF-8.
  EXPECT_EQ(files_.OpenForReading(path + std::string(1, '\0') + ".txt"), nullptr);
  EXPECT_EQ(files_.CreateForWriting(dir_ + "V\xFDpis.dbf", {}), nullptr);
  EXPECT_EQ(files_.Lookup(dir_ + "V\xFDpis.dbf"), EntryKind::kNone);
  EXPECT_EQ(files_.OpenForReading(""), nullptr);
}

TEST_F(NativeFileSystemTest, PositionsBeyondFourGigabytes) {
  const std::string path = PathOf("sparse.dbt");
  auto file = files_.CreateForWriting(path, {});
  ASSERT_NE(file, nullptr);
  const std::int64_t beyond = (std::int64_t{5} << 30) + 7;
  EXPECT_EQ(file->Seek(beyond, SeekOrigin::kBegin), beyond);
  EXPECT_EQ(file->Seek(0, SeekOrigin::kEnd), 0);
}

TEST_F(NativeFileSystemTest, FailuresCarryThePathAndTheSystemsText) {
  const std::string path = PathOf("read-only.abo");
  WriteText(path, "x");
  auto file = files_.OpenForReading(path);
  ASSERT_NE(file, nullptr);
  try {
    file->Write("y", 1);
    FAIL() << "writing to a file opened for reading succeeded";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), path);
    EXPECT_EQ(error.reason(), windows::SystemErrorText(ERROR_ACCESS_DENIED));
  }
  EXPECT_THROW(file->Seek(-1, SeekOrigin::kBegin), FileError);
}

}  // namespace
}  // namespace trelvan
