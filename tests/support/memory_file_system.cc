#include "tests/support/memory_file_system.h"

#include <cstring>

namespace trelvan::testing {
namespace {

constexpr char kInjectedReason[] = "injected failure";

FileFailure Failure(FileProblem problem, const char* text) { return FileFailure{problem, text}; }

std::string SiblingName(const std::string& path, const char* kind, unsigned n) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(0, name) + "." + path.substr(name) + ".trelvan-" + kind + "-" +
         std::to_string(n);
}

}  // namespace

template <typename Base>
class MemoryFileOf : public Base {
 public:
  MemoryFileOf(MemoryFileSystem& owner, std::shared_ptr<MemoryFileSystem::Node> node,
               std::string path)
      : owner_(owner), node_(std::move(node)), path_(std::move(path)) {
    ++owner_.open_files_;
  }
  ~MemoryFileOf() override {
    if (open_) --owner_.open_files_;
  }

  std::size_t Read(void* buffer, std::size_t n) override {
    Check();
    const std::vector<char>& data = node_->data;
    if (position_ >= static_cast<std::int64_t>(data.size())) return 0;
    const std::size_t available = data.size() - static_cast<std::size_t>(position_);
    const std::size_t take = n < available ? n : available;
    std::memcpy(buffer, data.data() + position_, take);
    position_ += static_cast<std::int64_t>(take);
    return take;
  }

  void Write(const void* bytes, std::size_t n) override {
    Check();
    std::vector<char>& data = node_->data;
    const auto end = static_cast<std::size_t>(position_) + n;
    if (data.size() < end) data.resize(end, '\0');
    if (n > 0) std::memcpy(data.data() + position_, bytes, n);
    position_ = static_cast<std::int64_t>(end);
  }

  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    Check();
    const std::int64_t base =
        origin == SeekOrigin::kBegin ? 0 : static_cast<std::int64_t>(node_->data.size());
    if (base + offset < 0) throw FileError(path_, "invalid seek");
    position_ = base + offset;
    return position_;
  }

  void Close() override {
    if (!open_) return;
    open_ = false;
    --owner_.open_files_;
    if (owner_.NextCallFails()) throw FileError(path_, kInjectedReason);
  }

  const std::string& path() const override { return path_; }
  FileId id() const override { return FileId{1, node_->index}; }

 protected:
  void Check() {
    if (!open_) throw FileError(path_, "file is closed");
    if (owner_.NextCallFails()) throw FileError(path_, kInjectedReason);
  }

  MemoryFileSystem& owner_;
  std::shared_ptr<MemoryFileSystem::Node> node_;
  std::string path_;
  std::int64_t position_ = 0;
  bool open_ = true;
};

class MemoryFile : public MemoryFileOf<File> {
  using MemoryFileOf::MemoryFileOf;
};

class MemoryReplacement : public MemoryFileOf<ReplacementFile> {
 public:
  MemoryReplacement(MemoryFileSystem& owner, std::shared_ptr<MemoryFileSystem::Node> node,
                    std::string target, std::string temporary)
      : MemoryFileOf(owner, std::move(node), std::move(target)), temporary_(std::move(temporary)) {}
  ~MemoryReplacement() override {
    if (!installed_) owner_.nodes_.erase(temporary_);
    if (!previous_.empty()) owner_.nodes_.erase(previous_);
  }

  void Finish() override {
    Check();
    Close();
  }

  void Install(bool keep_previous) override {
    if (owner_.NextCallFails()) throw FileError(path_, kInjectedReason);
    const auto replaced = owner_.nodes_.find(path_);
    had_previous_ = replaced != owner_.nodes_.end();
    if (keep_previous && had_previous_) {
      previous_ = SiblingName(path_, "old", owner_.next_temporary_++);
      owner_.nodes_[previous_] = replaced->second;
    }
    owner_.nodes_[path_] = node_;
    owner_.nodes_.erase(temporary_);
    installed_ = true;
    kept_ = keep_previous;
  }

  void Restore() noexcept override {
    if (!installed_ || !kept_) return;
    if (!previous_.empty()) {
      owner_.nodes_[path_] = owner_.nodes_.at(previous_);
      owner_.nodes_.erase(previous_);
      previous_.clear();
    } else if (!had_previous_) {
      owner_.nodes_.erase(path_);
    }
    kept_ = false;
  }

 private:
  std::string temporary_;
  std::string previous_;
  bool installed_ = false;
  bool kept_ = false;
  bool had_previous_ = false;
};

std::shared_ptr<MemoryFileSystem::Node> MemoryFileSystem::NewNode(bool directory) {
  auto node = std::make_shared<Node>();
  node->directory = directory;
  node->index = next_index_++;
  return node;
}

void MemoryFileSystem::Put(const std::string& path, const std::string& bytes) {
  auto node = NewNode(false);
  node->data.assign(bytes.begin(), bytes.end());
  nodes_[path] = node;
}

void MemoryFileSystem::MakeDirectory(const std::string& path) { nodes_[path] = NewNode(true); }

void MemoryFileSystem::Link(const std::string& existing, const std::string& alias) {
  nodes_[alias] = nodes_.at(existing);
}

std::string MemoryFileSystem::Contents(const std::string& path) const {
  const auto found = nodes_.find(path);
  if (found == nodes_.end()) return std::string();
  return std::string(found->second->data.begin(), found->second->data.end());
}

std::map<std::string, std::string> MemoryFileSystem::Snapshot() const {
  std::map<std::string, std::string> files;
  for (const auto& entry : nodes_) files[entry.first] = Contents(entry.first);
  return files;
}

void MemoryFileSystem::FailCall(int n, bool persistent) {
  fail_at_ = calls_ + n;
  persistent_ = persistent;
  failure_hit_ = false;
}

bool MemoryFileSystem::NextCallFails() {
  ++calls_;
  if (fail_at_ == 0) return false;
  if (calls_ == fail_at_ || (persistent_ && calls_ > fail_at_)) {
    failure_hit_ = true;
    return true;
  }
  return false;
}

Opened<File> MemoryFileSystem::OpenForReading(const std::string& path) {
  if (NextCallFails()) return {nullptr, Failure(FileProblem::kOther, kInjectedReason)};
  const auto found = nodes_.find(path);
  if (found == nodes_.end()) return {nullptr, Failure(FileProblem::kNotFound, "no such file")};
  if (found->second->directory) {
    return {nullptr, Failure(FileProblem::kIsDirectory, "is a directory")};
  }
  return {std::make_unique<MemoryFile>(*this, found->second, path), {}};
}

Opened<ReplacementFile> MemoryFileSystem::CreateReplacement(const std::string& target) {
  if (NextCallFails()) return {nullptr, Failure(FileProblem::kOther, kInjectedReason)};
  const auto found = nodes_.find(target);
  if (found != nodes_.end() && found->second->directory) {
    return {nullptr, Failure(FileProblem::kIsDirectory, "is a directory")};
  }
  const std::string temporary = SiblingName(target, "tmp", next_temporary_++);
  nodes_[temporary] = NewNode(false);
  return {std::make_unique<MemoryReplacement>(*this, nodes_[temporary], target, temporary), {}};
}

EntryKind MemoryFileSystem::Lookup(const std::string& path) {
  const auto found = nodes_.find(path);
  if (found == nodes_.end()) return EntryKind::kNone;
  return found->second->directory ? EntryKind::kDirectory : EntryKind::kFile;
}

std::optional<FileId> MemoryFileSystem::Identify(const std::string& path) {
  const auto found = nodes_.find(path);
  if (found == nodes_.end()) return std::nullopt;
  return FileId{1, found->second->index};
}

}  // namespace trelvan::testing
