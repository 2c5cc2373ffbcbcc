// The file layer on a real disk, one contract for every system (Windows through Wine).
#include "platform/native_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#ifdef _WIN32
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <sys/stat.h>
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
  // The names in the folder, hidden ones included: no temporary may stay behind.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.insert(entry.path().filename().u8string());
    }
    return names;
  }

  fs::path dir_;
  NativeFileSystem files_;
};

TEST_F(NativeFileSystemTest, ReplacementAppearsWholeOnlyWhenInstalled) {
  Put("out.dbf", "a long old content");
#ifndef _WIN32
  ASSERT_EQ(::chmod(Path("out.dbf").c_str(), 0640), 0);
#endif
  {
    Opened<ReplacementFile> out = files_.CreateReplacement(Path("out.dbf"));
    ASSERT_NE(out.file, nullptr);
    EXPECT_EQ(out.file->path(), Path("out.dbf"));
    out.file->Write("new", 3);
    out.file->Finish();
    EXPECT_EQ(Read("out.dbf"), "a long old content");
    EXPECT_EQ(Names().size(), 2u);  // the hidden temporary beside the target
  }
  EXPECT_EQ(Read("out.dbf"), "a long old content");  // never installed: gone without a trace
  EXPECT_EQ(Names(), std::set<std::string>{"out.dbf"});

  std::string all;  // every byte passes unchanged, line ends and end-of-file marks too
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  Put("out.dbf", all + "\n\r\n\x1a");
  EXPECT_EQ(Read("out.dbf"), all + "\n\r\n\x1a");
  EXPECT_EQ(Names(), std::set<std::string>{"out.dbf"});
#ifdef _WIN32
  EXPECT_EQ(GetFileAttributesW(fs::u8path(Path("out.dbf")).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
#else
  EXPECT_EQ(fs::status(Path("out.dbf")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
}

TEST_F(NativeFileSystemTest, RestorePutsBackThePreviousFileOrNone) {
  Put("t.dbt", "old memo");
  Opened<ReplacementFile> memo = files_.CreateReplacement(Path("t.dbt"));
  Opened<ReplacementFile> fresh = files_.CreateReplacement(Path("new.dbt"));
  memo.file->Write("new", 3);
  memo.file->Finish();
  fresh.file->Finish();
  memo.file->Install(true);
  fresh.file->Install(true);
  EXPECT_EQ(Read("t.dbt"), "new");
  memo.file->Restore();
  fresh.file->Restore();
  memo.file.reset();
  fresh.file.reset();
  EXPECT_EQ(Read("t.dbt"), "old memo");
  EXPECT_EQ(Names(), std::set<std::string>{"t.dbt"});
}

// Devices, pipes, folders, missing files and names with a NUL (or, on Windows, not in UTF-8):
// nothing opens, nothing waits, nothing is created.
TEST_F(NativeFileSystemTest, OnlyRegularFilesAreReadOrReplaced) {
  Put("x", "keep");
  struct Case {
    std::string path;
    FileProblem problem;
    EntryKind kind;
  };
  std::vector<Case> cases = {
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
  for (const Case& c : cases) {
    EXPECT_EQ(files_.OpenForReading(c.path).failure.problem, c.problem) << c.path;
    EXPECT_EQ(files_.CreateReplacement(c.path).failure.problem, c.problem) << c.path;
    EXPECT_EQ(files_.Lookup(c.path), c.kind) << c.path;
  }
  EXPECT_EQ(files_.Lookup(Path("x")), EntryKind::kFile);
  EXPECT_EQ(Read("x"), "keep");
  fs::remove(dir_ / "pipe.gpc");
  EXPECT_EQ(Names(), std::set<std::string>{"x"});
}

TEST_F(NativeFileSystemTest, SameFileIsKnownByItsIdentityNotItsName) {
  Put("one.dbf", "1");
  Put("two.dbf", "2");
  const FileId first = files_.OpenForReading(Path("one.dbf")).file->id();
#ifdef _WIN32
  EXPECT_EQ(files_.Identify(Path(".\\ONE.DBF")), first);
#else
  EXPECT_EQ(files_.Identify(Path("./one.dbf")), first);
#endif
  EXPECT_EQ(files_.Identify(Path("two.dbf")), files_.OpenForReading(Path("two.dbf")).file->id());
  EXPECT_NE(files_.Identify(Path("two.dbf")), first);
  EXPECT_FALSE(files_.Identify(Path("missing.dbf")).has_value());
}

TEST_F(NativeFileSystemTest, PositionsBeyondFourGigabytesAndFailuresCarryThePath) {
  Opened<ReplacementFile> out = files_.CreateReplacement(Path("sparse.dbt"));
  ASSERT_NE(out.file, nullptr);
  const std::int64_t beyond = (std::int64_t{5} << 30) + 7;
  EXPECT_EQ(out.file->Seek(beyond, SeekOrigin::kBegin), beyond);
  EXPECT_EQ(out.file->Seek(0, SeekOrigin::kEnd), 0);
  out.file.reset();

  Put("in.abo", "x");
  Opened<File> in = files_.OpenForReading(Path("in.abo"));
  try {
    in.file->Write("y", 1);
    FAIL() << "writing to a file opened for reading succeeded";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), Path("in.abo"));
#ifdef _WIN32
    EXPECT_EQ(error.failure().problem, FileProblem::kAccessDenied);
    EXPECT_EQ(error.reason(), windows::SystemErrorText(ERROR_ACCESS_DENIED));
#endif
  }
  EXPECT_THROW(in.file->Seek(-1, SeekOrigin::kBegin), FileError);
}

#ifdef _WIN32
TEST_F(NativeFileSystemTest, CzechNameIsTheWideNameOnDiskAndOpenInputsAreNotShared) {
  const std::string name = "Výpis účtu kůň \xF0\x9F\x90\xB4.gpc";  // and a surrogate pair
  Put(name, "074\r\n");
  // The same name spelt by the wide API finds the file: nothing went through a code page.
  const wchar_t* wide = L"V\u00fdpis \u00fa\u010dtu k\u016f\u0148 \xD83D\xDC34.gpc";
  EXPECT_NE(GetFileAttributesW((dir_ / wide).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Names(), std::set<std::string>{name});
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
  fs::create_symlink("link.dbf", dir_ / "chain.dbf");
  Put("chain.dbf", "new");
  EXPECT_TRUE(fs::is_symlink(dir_ / "chain.dbf"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.dbf"));
  EXPECT_EQ(Read("real/t.dbf"), "new");
  EXPECT_EQ(Names(), (std::set<std::string>{"chain.dbf", "link.dbf", "real"}));
}
#endif

}  // namespace
}  // namespace trelvan
