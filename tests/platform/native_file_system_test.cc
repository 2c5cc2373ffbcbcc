// The file layer on a real disk, one contract for every system (Windows through Wine).
#include "platform/native_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <random>
#include <tuple>

#ifdef _WIN32
#include <windows.h>

#include "platform/windows_text.h"
constexpr bool kWindows = true;
#else
#include <sys/stat.h>
constexpr bool kWindows = false;
#endif

namespace trelvan {
namespace {

namespace fs = std::filesystem;

class NativeFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("trelvan-" + std::to_string(std::random_device{}()));
    ASSERT_TRUE(fs::create_directory(dir_));
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / fs::u8path(name)).u8string(); }
  void Put(const std::string& name, const std::string& bytes) {
    Opened<ReplacementFile> out = files_.CreateReplacement(Path(name));
    ASSERT_NE(out.file, nullptr) << name << ": " << out.failure.system_text;
    out.file->Write(bytes.data(), bytes.size());
    out.file->Finish();
    out.file->Install(false);
  }
  std::string Read(const std::string& name) {
    Opened<File> in = files_.OpenForReading(Path(name));
    if (in.file == nullptr) return "<cannot open>";
    std::string bytes(4096, '\0');
    bytes.resize(in.file->Read(bytes.data(), bytes.size()));
    return bytes;
  }
  // Entries in the folder, hidden ones included: no temporary may stay behind.
  long Count() const { return std::distance(fs::directory_iterator(dir_), {}); }

  fs::path dir_;
  NativeFileSystem files_;
};

// A replacement appears whole when installed, or never; an installed one can be taken back.
TEST_F(NativeFileSystemTest, ReplacementAppearsWholeOnlyWhenInstalledAndCanBeRestored) {
  Put("out.dbf", "old");
#ifndef _WIN32
  ASSERT_EQ(::chmod(Path("out.dbf").c_str(), 0640), 0);
#endif
  Opened<ReplacementFile> lost = files_.CreateReplacement(Path("out.dbf"));
  Opened<ReplacementFile> table = files_.CreateReplacement(Path("out.dbf"));
  Opened<ReplacementFile> fresh = files_.CreateReplacement(Path("new.dbt"));
  ASSERT_TRUE(lost.file && table.file && fresh.file);
  lost.file->Write("new", 3);
  lost.file.reset();  // never installed: gone without a trace
  EXPECT_EQ(Read("out.dbf"), "old");
  std::string all;  // every byte passes unchanged, line ends and end-of-file marks too
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  table.file->Write(all.data(), all.size());
  table.file->Finish();
  fresh.file->Finish();
  table.file->Install(true);
  fresh.file->Install(true);
  EXPECT_EQ(Read("out.dbf"), all);
#ifdef _WIN32
  EXPECT_EQ(GetFileAttributesW(fs::u8path(Path("out.dbf")).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
#else
  EXPECT_EQ(fs::status(Path("out.dbf")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
  table.file->Restore();  // the previous file back, or none
  fresh.file->Restore();
  table.file.reset();
  fresh.file.reset();
  EXPECT_EQ(Read("out.dbf"), "old");
  EXPECT_EQ(Count(), 1);
}

// Devices, pipes, folders, missing files and names with a NUL (or, on Windows, not in UTF-8):
// nothing opens, nothing waits, nothing is created.
TEST_F(NativeFileSystemTest, OnlyRegularFilesAreReadOrReplaced) {
  Put("x", "keep");
  std::vector<std::tuple<std::string, FileProblem, EntryKind>> cases = {
      {Path("x") + std::string(1, '\0') + ".dbf", FileProblem::kNotFound, EntryKind::kNone},
      {Path("no/such/folder.dbf"), FileProblem::kNotFound, EntryKind::kNone},
      {dir_.u8string(), FileProblem::kIsDirectory, EntryKind::kDirectory}};
#ifdef _WIN32
  cases.push_back({"NUL", FileProblem::kNotRegularFile, EntryKind::kOther});
  cases.push_back({dir_.u8string() + "\\V\xFDpis.dbf", FileProblem::kNotFound, EntryKind::kNone});
  cases.push_back({"", FileProblem::kNotFound, EntryKind::kNone});
  // A file its owner made read-only is not replaced.
  ASSERT_TRUE(SetFileAttributesW(fs::u8path(Path("x")).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(files_.CreateReplacement(Path("x")).failure.problem, FileProblem::kAccessDenied);
  SetFileAttributesW(fs::u8path(Path("x")).c_str(), FILE_ATTRIBUTE_NORMAL);
#else
  ASSERT_EQ(::mkfifo(Path("pipe.gpc").c_str(), 0600), 0);
  cases.push_back({Path("pipe.gpc"), FileProblem::kNotRegularFile, EntryKind::kOther});
  cases.push_back({"/dev/zero", FileProblem::kNotRegularFile, EntryKind::kOther});
  EXPECT_EQ(files_.CreateReplacement("/proc/self/fd/1").failure.problem,
            FileProblem::kNotRegularFile);
#endif
  for (const auto& [path, problem, kind] : cases) {
    EXPECT_EQ(files_.OpenForReading(path).failure.problem, problem) << path;
    EXPECT_EQ(files_.CreateReplacement(path).failure.problem, problem) << path;
    EXPECT_EQ(files_.Lookup(path), kind) << path;
  }
  EXPECT_EQ(files_.Lookup(Path("x")), EntryKind::kFile);
  EXPECT_EQ(Read("x"), "keep");
  EXPECT_EQ(Count(), kWindows ? 1 : 2);  // and the pipe
}

// Identity, not the name, tells files apart; positions go past 4 GiB; failures name the file.
TEST_F(NativeFileSystemTest, FilesAreKnownByIdentityAndPositionsGoBeyondFourGigabytes) {
  Put("one.dbf", "1");
  Put("two.dbf", "2");
  Opened<File> in = files_.OpenForReading(Path("one.dbf"));
  const std::string other_spelling = Path(kWindows ? ".\\ONE.DBF" : "./one.dbf");
  EXPECT_EQ(files_.Identify(other_spelling), in.file->id());
#ifndef _WIN32  // links: the conversions compare every output with every input by this identity
  fs::create_hard_link(dir_ / "one.dbf", dir_ / "hard.gpc");
  fs::create_symlink("one.dbf", dir_ / "soft.gpc");
  for (const char* link : {"hard.gpc", "soft.gpc"}) {
    EXPECT_EQ(files_.Identify(Path(link)), in.file->id()) << link;
  }
#endif
  EXPECT_NE(files_.Identify(Path("two.dbf")), in.file->id());
  EXPECT_FALSE(files_.Identify(Path("missing.dbf")).has_value());
  try {
    in.file->Write("y", 1);
    FAIL() << "writing to a file opened for reading succeeded";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), Path("one.dbf"));
#ifdef _WIN32
    EXPECT_EQ(error.reason(), windows::SystemErrorText(ERROR_ACCESS_DENIED));
#endif
  }
  EXPECT_THROW(in.file->Seek(-1, SeekOrigin::kBegin), FileError);
  Opened<ReplacementFile> out = files_.CreateReplacement(Path("sparse.dbt"));
  const std::int64_t beyond = (std::int64_t{5} << 30) + 7;
  EXPECT_EQ(out.file->Seek(beyond, SeekOrigin::kBegin), beyond);
  EXPECT_EQ(out.file->Seek(0, SeekOrigin::kEnd), 0);
  char bytes[2] = {};  // positioned reads end quietly at and past the end
  EXPECT_EQ(in.file->ReadAt(0, bytes, 2), 1u);
  EXPECT_EQ(bytes[0], '1');
  EXPECT_EQ(in.file->ReadAt(1, bytes, 2), 0u);
  EXPECT_EQ(in.file->ReadAt(beyond, bytes, 2), 0u);
}

#ifdef _WIN32
TEST_F(NativeFileSystemTest, CzechNameIsTheWideNameOnDiskAndOpenInputsAreNotShared) {
  const std::string name = "Výpis účtu kůň \xF0\x9F\x90\xB4.gpc";  // and a surrogate pair
  Put(name, "074\r\n");
  // The same name spelt by the wide API finds the file: nothing went through a code page.
  const wchar_t* wide = L"V\u00fdpis \u00fa\u010dtu k\u016f\u0148 \xD83D\xDC34.gpc";
  EXPECT_NE(GetFileAttributesW((dir_ / wide).c_str()), INVALID_FILE_ATTRIBUTES);
  Opened<File> input = files_.OpenForReading(Path(name));
  ASSERT_NE(input.file, nullptr);
  EXPECT_EQ(Read(name), "<cannot open>");
  input.file.reset();
  EXPECT_EQ(Read(name), "074\r\n");
}
#else
// A link stays a link: the file it points to is replaced, beside itself.
TEST_F(NativeFileSystemTest, SymbolicLinkKeepsPointingAtTheReplacedFile) {
  fs::create_directory(dir_ / "real");
  Put("real/t.dbf", "old");
  fs::create_symlink("real/t.dbf", dir_ / "link.dbf");
  fs::create_symlink("link.dbf", dir_ / "chain.dbf");  // a link to a link
  Put("chain.dbf", "new");
  EXPECT_TRUE(fs::is_symlink(dir_ / "chain.dbf") && fs::is_symlink(dir_ / "link.dbf"));
  EXPECT_EQ(Read("real/t.dbf"), "new");
  EXPECT_EQ(Count(), 3);
}
#endif

}  // namespace
}  // namespace trelvan
