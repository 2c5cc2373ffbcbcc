// An in-memory FileSystem for tests and fuzzing. Files are byte vectors known by exact path
// strings; Link gives one file a second name. A replacement is a hidden temporary file
// ".NAME.trelvan-tmp-N" in the target's folder, renamed over the target on Install; a kept
// previous file is ".NAME.trelvan-old-N". Any call (open, create, read, write, seek, close,
// finish, install) can be made to fail on purpose: FailCall(n) fails the n-th call from now,
// once or from then on.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "convert/file_system.h"

namespace trelvan::testing {

template <typename Base>
class MemoryFileOf;

class MemoryFileSystem : public FileSystem {
 public:
  struct Node {
    std::vector<char> data;
    bool directory = false;
    std::uint64_t index = 0;
  };

  // Creates or replaces a file.
  void Put(const std::string& path, const std::string& bytes);
  void MakeDirectory(const std::string& path) { nodes_[path] = NewNode(true); }
  void Remove(const std::string& path) { nodes_.erase(path); }
  // Gives the file at `existing` the second name `alias`.
  void Link(const std::string& existing, const std::string& alias) {
    nodes_[alias] = nodes_.at(existing);
  }
  bool Exists(const std::string& path) const { return nodes_.count(path) != 0; }
  // The bytes of a file; empty when there is none.
  std::string Contents(const std::string& path) const;
  // Every path with its bytes, temporaries included.
  std::map<std::string, std::string> Snapshot() const;

  // Fails the n-th file call counted from now (n >= 1); persistent failures keep failing.
  void FailCall(int n, bool persistent = false);
  // True when the injected failure has happened.
  bool failure_hit() const { return failure_hit_; }
  int open_files() const { return open_files_; }

  Opened<File> OpenForReading(const std::string& path) override;
  Opened<ReplacementFile> CreateReplacement(const std::string& target) override;
  EntryKind Lookup(const std::string& path) override;
  std::optional<FileId> Identify(const std::string& path) override;

  // Counts one call; true when it must fail. Used by the files, too.
  bool NextCallFails();

 private:
  template <typename Base>
  friend class MemoryFileOf;
  friend class MemoryReplacement;
  std::shared_ptr<Node> NewNode(bool directory);
  const Node* Find(const std::string& path) const;
  std::map<std::string, std::shared_ptr<Node>> nodes_;
  std::uint64_t next_index_ = 1;
  unsigned next_temporary_ = 1;
  int calls_ = 0;
  int fail_at_ = 0;
  bool persistent_ = false;
  bool failure_hit_ = false;
  int open_files_ = 0;
};

}  // namespace trelvan::testing
