#include "cli/standard_streams.h"

#include "cli/cli_options.h"

namespace trelvan {
namespace {

constexpr std::uint64_t kStreamVolume = ~std::uint64_t{0};

// Standard input read once from start to end; a stream cannot go back.
class InputStreamFile : public File {
 public:
  explicit InputStreamFile(std::istream& in) : in_(in) {}

  std::size_t Read(void* buffer, std::size_t n) override {
    in_.read(static_cast<char*>(buffer), static_cast<std::streamsize>(n));
    const auto got = static_cast<std::size_t>(in_.gcount());
    if (in_.bad()) throw FileError(path_, "čtení standardního vstupu selhalo");
    position_ += static_cast<std::int64_t>(got);
    return got;
  }
  void Write(const void*, std::size_t) override {
    throw FileError(path_, "do standardního vstupu nelze psát");
  }
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    if (origin == SeekOrigin::kBegin && offset == position_) return position_;
    throw FileError(path_, "standardní vstup nelze přetáčet");
  }
  void Close() override {}
  const std::string& path() const override { return path_; }
  FileId id() const override { return FileId{kStreamVolume, 0}; }

 private:
  std::istream& in_;
  std::string path_ = kStandardStream;
  std::int64_t position_ = 0;
};

// Standard output written from start to end.
class OutputStreamFile : public File {
 public:
  explicit OutputStreamFile(std::ostream& out) : out_(out) {}

  std::size_t Read(void*, std::size_t) override { return 0; }
  void Write(const void* data, std::size_t n) override {
    out_.write(static_cast<const char*>(data), static_cast<std::streamsize>(n));
    if (!out_) throw FileError(path_, "zápis na standardní výstup selhal");
    position_ += static_cast<std::int64_t>(n);
  }
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    if (origin != SeekOrigin::kBegin) offset += position_;
    if (offset == position_) return position_;
    throw FileError(path_, "standardní výstup nelze přetáčet");
  }
  void Close() override {
    out_.flush();
    if (!out_) throw FileError(path_, "zápis na standardní výstup selhal");
  }
  const std::string& path() const override { return path_; }
  FileId id() const override { return FileId{kStreamVolume, 1}; }

 private:
  std::ostream& out_;
  std::string path_ = kStandardStream;
  std::int64_t position_ = 0;
};

}  // namespace

std::unique_ptr<File> StandardStreamFileSystem::OpenForReading(const std::string& path) {
  if (path == kStandardStream) return std::make_unique<InputStreamFile>(in_);
  return files_.OpenForReading(path);
}

std::unique_ptr<File> StandardStreamFileSystem::CreateForWriting(
    const std::string& path, const std::vector<const File*>& open_files) {
  if (path == kStandardStream) return std::make_unique<OutputStreamFile>(out_);
  return files_.CreateForWriting(path, open_files);
}

EntryKind StandardStreamFileSystem::Lookup(const std::string& path) {
  if (path == kStandardStream) return EntryKind::kNone;
  return files_.Lookup(path);
}

}  // namespace trelvan
