#include "tests/support/memory_file_system.h"

#include <algorithm>
#include <cstring>

namespace trelvan::testing {
namespace {

constexpr char kInjectedReason[] = "injected failure";

std::string SiblingName(const std::string& path, const char* kind, unsigned n) {
  const std::size_t name = path.find_last_of('/') + 1;  // 0 without a folder
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
    const auto at = std::min(static_cast<std::size_t>(position_), data.size());
    const std::size_t take = std::min(n, data.size() - at);
    if (take > 0) std::memcpy(buffer, data.data() + at, take);
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
    return position_ = base + offset;
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
  return std::make_shared<Node>(Node{{}, directory, next_index_++});
}

const MemoryFileSystem::Node* MemoryFileSystem::Find(const std::string& path) const {
  const auto found = nodes_.find(path);
  return found == nodes_.end() ? nullptr : found->second.get();
}

void MemoryFileSystem::Put(const std::string& path, const std::string& bytes) {
  nodes_[path] = NewNode(false);
  nodes_[path]->data.assign(bytes.begin(), bytes.end());
}

std::string MemoryFileSystem::Contents(const std::string& path) const {
  const Node* node = Find(path);
  return node ? std::string(node->data.begin(), node->data.end()) : std::string();
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
  const bool fails = fail_at_ != 0 && (calls_ == fail_at_ || (persistent_ && calls_ > fail_at_));
  failure_hit_ |= fails;
  return fails;
}

Opened<File> MemoryFileSystem::OpenForReading(const std::string& path) {
  if (NextCallFails()) return {nullptr, {FileProblem::kOther, kInjectedReason}};
  const Node* node = Find(path);
  if (!node) return {nullptr, {FileProblem::kNotFound, "no such file"}};
  if (node->directory) return {nullptr, {FileProblem::kIsDirectory, "is a directory"}};
  return {std::make_unique<MemoryFileOf<File>>(*this, nodes_[path], path), {}};
}

Opened<ReplacementFile> MemoryFileSystem::CreateReplacement(const std::string& target) {
  if (NextCallFails()) return {nullptr, {FileProblem::kOther, kInjectedReason}};
  if (Lookup(target) == EntryKind::kDirectory) {
    return {nullptr, {FileProblem::kIsDirectory, "is a directory"}};
  }
  const std::string temporary = SiblingName(target, "tmp", next_temporary_++);
  nodes_[temporary] = NewNode(false);
  return {std::make_unique<MemoryReplacement>(*this, nodes_[temporary], target, temporary), {}};
}

EntryKind MemoryFileSystem::Lookup(const std::string& path) {
  const Node* node = Find(path);
  return !node ? EntryKind::kNone : node->directory ? EntryKind::kDirectory : EntryKind::kFile;
}

std::optional<FileId> MemoryFileSystem::Identify(const std::string& path) {
  const Node* node = Find(path);
  return node ? std::optional<FileId>(FileId{1, node->index}) : std::nullopt;
}

}  // namespace trelvan::testing
