#include "cli/standard_streams.h"

#include <algorithm>

#include "cli/cli_options.h"

namespace trelvan {
namespace {

constexpr std::uint64_t kStreamVolume = ~std::uint64_t{0};

// Standard input through the spool: every such file reads the same bytes from the start.
class InputStreamFile : public File {
 public:
  explicit InputStreamFile(InputSpool& spool) : spool_(spool) {}

  std::size_t Read(void* buffer, std::size_t n) override {
    const std::size_t got = spool_.ReadAt(position_, static_cast<char*>(buffer), n);
    position_ += static_cast<std::int64_t>(got);
    return got;
  }
  void Write(const void*, std::size_t) override {
    throw FileError(path_, "do standardního vstupu nelze psát");
  }
  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    if (origin != SeekOrigin::kBegin || offset < 0) {
      throw FileError(path_, "standardní vstup nelze přetáčet");
    }
    position_ = offset;
    return position_;
  }
  void Close() override {}
  const std::string& path() const override { return path_; }
  FileId id() const override { return FileId{kStreamVolume, 0}; }

 private:
  InputSpool& spool_;
  std::string path_ = kStandardStream;
  std::int64_t position_ = 0;
};

// Standard output written from start to end; installing it has nothing left to do.
class OutputStreamFile : public ReplacementFile {
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
  void Finish() override { Close(); }
  void Install(bool) override {}
  void Restore() noexcept override {}
  const std::string& path() const override { return path_; }
  FileId id() const override { return FileId{kStreamVolume, 1}; }

 private:
  std::ostream& out_;
  std::string path_ = kStandardStream;
  std::int64_t position_ = 0;
};

}  // namespace

std::size_t InputSpool::ReadAt(std::int64_t position, char* out, std::size_t n) {
  std::size_t done = 0;
  const auto kept = static_cast<std::int64_t>(kept_.size());
  if (position < kept) {
    done = std::min(n, static_cast<std::size_t>(kept - position));
    kept_.copy(out, done, static_cast<std::size_t>(position));
    position += static_cast<std::int64_t>(done);
  }
  if (done == n || in_.eof()) return done;
  if (position != read_) throw FileError(kStandardStream, "standardní vstup nelze číst znovu");
  in_.read(out + done, static_cast<std::streamsize>(n - done));
  const auto got = static_cast<std::size_t>(in_.gcount());
  if (in_.bad()) throw FileError(kStandardStream, "čtení standardního vstupu selhalo");
  if (kept_.size() + got <= kKeptInput && static_cast<std::int64_t>(kept_.size()) == read_) {
    kept_.append(out + done, got);
  }
  read_ += static_cast<std::int64_t>(got);
  return done + got;
}

Opened<File> StandardStreamFileSystem::OpenForReading(const std::string& path) {
  if (path == kStandardStream) return {std::make_unique<InputStreamFile>(spool_), {}};
  return files_.OpenForReading(path);
}

Opened<ReplacementFile> StandardStreamFileSystem::CreateReplacement(const std::string& target) {
  if (target == kStandardStream) return {std::make_unique<OutputStreamFile>(out_), {}};
  return files_.CreateReplacement(target);
}

std::optional<FileId> StandardStreamFileSystem::Identify(const std::string& path) {
  if (path == kStandardStream) return std::nullopt;
  return files_.Identify(path);
}

EntryKind StandardStreamFileSystem::Lookup(const std::string& path) {
  if (path == kStandardStream) return EntryKind::kNone;
  return files_.Lookup(path);
}

}  // namespace trelvan
