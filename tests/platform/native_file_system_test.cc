#include "platform/native_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace trelvan {
namespace {

namespace fs = std::filesystem;

class NativeFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/trelvan-native-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Put(const std::string& name, const std::string& bytes) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The names in the folder: no temporary may stay behind.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  void Replace(const std::string& target, const std::string& bytes, bool keep_previous = false) {
    Opened<ReplacementFile> out = files_.CreateReplacement(target);
    ASSERT_NE(out.file, nullptr) << out.failure.system_text;
    out.file->Write(bytes.data(), bytes.size());
    out.file->Finish();
    out.file->Install(keep_previous);
  }

  fs::path dir_;
  NativeFileSystem files_;
};

// Devices, pipes, folders and names with a NUL are no files to convert; nothing waits.
TEST_F(NativeFileSystemTest, OnlyRegularFilesAreReadOrReplaced) {
  Put("x", "keep");
  ASSERT_EQ(::mkfifo(Path("pipe.gpc").c_str(), 0600), 0);
  const std::string with_nul = Path("x") + std::string(1, '\0') + ".dbf";
  EXPECT_EQ(files_.OpenForReading(with_nul).failure.problem, FileProblem::kNotFound);
  EXPECT_EQ(files_.CreateReplacement(with_nul).failure.problem, FileProblem::kNotFound);
  EXPECT_EQ(files_.Lookup(with_nul), EntryKind::kNone);
  EXPECT_EQ(files_.OpenForReading(Path("pipe.gpc")).failure.problem, FileProblem::kNotRegularFile);
  EXPECT_EQ(files_.CreateReplacement(Path("pipe.gpc")).failure.problem,
            FileProblem::kNotRegularFile);
  EXPECT_EQ(files_.OpenForReading("/dev/zero").failure.problem, FileProblem::kNotRegularFile);
  EXPECT_EQ(files_.CreateReplacement("/dev/stdout").failure.problem, FileProblem::kNotRegularFile);
  EXPECT_EQ(files_.CreateReplacement("/proc/self/fd/1").failure.problem,
            FileProblem::kNotRegularFile);
  EXPECT_EQ(files_.OpenForReading(dir_.string()).failure.problem, FileProblem::kIsDirectory);
  EXPECT_EQ(files_.CreateReplacement(dir_.string()).failure.problem, FileProblem::kIsDirectory);
  EXPECT_EQ(files_.OpenForReading(Path("missing")).failure.problem, FileProblem::kNotFound);
  EXPECT_EQ(files_.CreateReplacement(Path("no/such/folder.dbf")).failure.problem,
            FileProblem::kNotFound);
  EXPECT_EQ(files_.Lookup(Path("pipe.gpc")), EntryKind::kOther);
  EXPECT_EQ(Read("x"), "keep");
  EXPECT_EQ(Names(), (std::set<std::string>{"pipe.gpc", "x"}));
}

TEST_F(NativeFileSystemTest, ReplacementAppearsWholeOnlyWhenInstalled) {
  Put("out.dbf", "old");
  ASSERT_EQ(::chmod(Path("out.dbf").c_str(), 0640), 0);
  {
    Opened<ReplacementFile> out = files_.CreateReplacement(Path("out.dbf"));
    ASSERT_NE(out.file, nullptr);
    EXPECT_EQ(out.file->path(), Path("out.dbf"));
    out.file->Write("new bytes", 9);
    out.file->Finish();
    EXPECT_EQ(Read("out.dbf"), "old");
    EXPECT_EQ(Names().size(), 2u);  // the hidden temporary beside the target
  }
  EXPECT_EQ(Read("out.dbf"), "old");  // never installed: gone without a trace
  EXPECT_EQ(Names(), std::set<std::string>{"out.dbf"});

  Replace(Path("out.dbf"), "new bytes");
  EXPECT_EQ(Read("out.dbf"), "new bytes");
  EXPECT_EQ(fs::status(Path("out.dbf")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Names(), std::set<std::string>{"out.dbf"});
}

TEST_F(NativeFileSystemTest, RestorePutsBackThePreviousFileOrNone) {
  Put("t.dbt", "old memo");
  Opened<ReplacementFile> memo = files_.CreateReplacement(Path("t.dbt"));
  Opened<ReplacementFile> fresh = files_.CreateReplacement(Path("new.dbt"));
  memo.file->Finish();
  fresh.file->Finish();
  memo.file->Install(true);
  fresh.file->Install(true);
  EXPECT_EQ(Read("t.dbt"), "");
  memo.file->Restore();
  fresh.file->Restore();
  memo.file.reset();
  fresh.file.reset();
  EXPECT_EQ(Read("t.dbt"), "old memo");
  EXPECT_EQ(Names(), std::set<std::string>{"t.dbt"});
}

// A link stays a link: the file it points to is replaced, beside itself.
TEST_F(NativeFileSystemTest, SymbolicLinkKeepsPointingAtTheReplacedFile) {
  fs::create_directory(dir_ / "real");
  Put("real/t.dbf", "old");
  fs::create_symlink("real/t.dbf", dir_ / "link.dbf");
  fs::create_symlink("link.dbf", dir_ / "chain.dbf");
  Replace(Path("chain.dbf"), "new");
  EXPECT_TRUE(fs::is_symlink(dir_ / "chain.dbf"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.dbf"));
  EXPECT_EQ(Read("real/t.dbf"), "new");
  EXPECT_EQ(Names(), (std::set<std::string>{"chain.dbf", "link.dbf", "real"}));
}

}  // namespace
}  // namespace trelvan
