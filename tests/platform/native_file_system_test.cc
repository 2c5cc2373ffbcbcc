#include "platform/native_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace trelvan {
namespace {

// A NUL inside a name must not make the system open the shorter name before it.
TEST(NativeFileSystemTest, PathWithNulNamesNoFile) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("trelvan-nul-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string shorter = (dir / "x").string();
  std::ofstream(shorter) << "keep";
  const std::string with_nul = shorter + std::string(1, '\0') + ".dbf";

  NativeFileSystem files;
  EXPECT_EQ(files.OpenForReading(with_nul), nullptr);
  EXPECT_EQ(files.CreateForWriting(with_nul, {}), nullptr);
  EXPECT_EQ(files.Lookup(with_nul), EntryKind::kNone);
  EXPECT_EQ(std::filesystem::file_size(shorter), 4u);
  std::filesystem::remove_all(dir);
}

// A named pipe would block the open until another program opened its other end.
TEST(NativeFileSystemTest, NamedPipeIsNoFileToConvert) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("trelvan-fifo-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string pipe = (dir / "pipe.gpc").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  NativeFileSystem files;
  EXPECT_EQ(files.OpenForReading(pipe), nullptr);
  EXPECT_EQ(files.CreateForWriting(pipe, {}), nullptr);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace trelvan
