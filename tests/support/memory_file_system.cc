#include "tests/support/memory_file_system.h"

#include <cstring>

namespace trelvan::testing {

constexpr char kInjectedReason[] = "injected failure";

class MemoryFile : public File {
 public:
  MemoryFile(MemoryFileSystem& owner, std::shared_ptr<MemoryFileSystem::Node> node,
             std::string path)
      : owner_(owner), node_(std::move(node)), path_(std::move(path)) {
    ++owner_.open_files_;
  }
  ~MemoryFile() override {
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

 private:
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

void MemoryFileSystem::Put(const std::string& path, const std::string& bytes) {
  auto node = std::make_shared<Node>();
  node->data.assign(bytes.begin(), bytes.end());
  node->index = next_index_++;
  nodes_[path] = node;
}

void MemoryFileSystem::MakeDirectory(const std::string& path) {
  auto node = std::make_shared<Node>();
  node->directory = true;
  node->index = next_index_++;
  nodes_[path] = node;
}

void MemoryFileSystem::Link(const std::string& existing, const std::string& alias) {
  nodes_[alias] = nodes_.at(existing);
}

std::string MemoryFileSystem::Contents(const std::string& path) const {
  const auto found = nodes_.find(path);
  if (found == nodes_.end()) return std::string();
  return std::string(found->second->data.begin(), found->second->data.end());
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

std::unique_ptr<File> MemoryFileSystem::OpenForReading(const std::string& path) {
  if (NextCallFails()) return nullptr;
  const auto found = nodes_.find(path);
  if (found == nodes_.end() || found->second->directory) return nullptr;
  return std::make_unique<MemoryFile>(*this, found->second, path);
}

std::unique_ptr<File> MemoryFileSystem::CreateForWriting(
    const std::string& path, const std::vector<const File*>& open_files) {
  if (NextCallFails()) return nullptr;
  auto found = nodes_.find(path);
  if (found != nodes_.end()) {
    if (found->second->directory) return nullptr;
    const FileId id{1, found->second->index};
    for (const File* open : open_files) {
      if (open != nullptr && open->id() == id) return nullptr;
    }
    found->second->data.clear();
    return std::make_unique<MemoryFile>(*this, found->second, path);
  }
  Put(path, std::string());
  return std::make_unique<MemoryFile>(*this, nodes_.at(path), path);
}

EntryKind MemoryFileSystem::Lookup(const std::string& path) {
  const auto found = nodes_.find(path);
  if (found == nodes_.end()) return EntryKind::kNone;
  return found->second->directory ? EntryKind::kDirectory : EntryKind::kFile;
}

}  // namespace trelvan::testing
