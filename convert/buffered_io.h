// Buffered reading and writing over a File, so that a conversion makes few large calls whatever
// the size of its lines and records. The bytes that land are the same whatever the buffering.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "convert/file_system.h"

namespace trelvan {

inline constexpr std::size_t kIoBufferSize = 64 * 1024;
// The first read after a jump: one block of a dBASE memo file, which holds a memo of up to three
// statement lines. Reading more would copy bytes of other memos that are read, if at all, later.
inline constexpr std::size_t kJumpReadSize = 512;

class BufferedReader {
 public:
  explicit BufferedReader(File& file, std::size_t capacity = kIoBufferSize);

  // Returns the buffered bytes not consumed yet, reading more from the file when none are
  // left; empty only at the end of the file.
  std::string_view Peek();
  // Like Peek(), but first moves the bytes left to the front of the buffer and reads more when
  // fewer than `at_least` are there; fewer only at the end of the file.
  std::string_view Peek(std::size_t at_least);
  // Marks the first n bytes of Peek() as consumed.
  void Consume(std::size_t n) { begin_ += n; }
  // Reads up to n bytes; fewer only at the end of the file.
  std::size_t Read(char* out, std::size_t n);
  // Moves to an absolute position; keeps the buffer when the position lies within it. After a
  // jump out of the buffer the next read fetches only kJumpReadSize bytes, and each read after
  // that twice as many up to the capacity, so that scattered small reads stay cheap. A jump
  // costs no call of its own: the next read reads at the position (File::ReadAt).
  void SeekTo(std::int64_t position);
  // The file position of the next byte Peek() would return.
  std::int64_t position() const { return buffer_position_ + static_cast<std::int64_t>(begin_); }
  // Reads the whole file into memory, in large sequential reads, when it holds no more than
  // `max_size` bytes and that much memory is free; every later read and jump is then served from
  // memory, and the file's end is where those reads ended. Returns whether it did.
  bool HoldWholeFile(std::int64_t max_size);

 private:
  // Reads up to n bytes into the buffer at `at`, from the file position that place stands for.
  std::size_t Fill(char* at, std::size_t n);

  File& file_;
  std::unique_ptr<char[]> buffer_;  // not zeroed: only bytes read into it are used
  std::size_t capacity_;
  std::int64_t buffer_position_ = 0;  // file position of buffer_[0]
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::size_t next_read_size_;
  bool jumped_ = false;      // reads go to buffer_position_ by ReadAt from the first jump on
  bool whole_file_ = false;  // the buffer holds the whole file from position 0
};

// Appends to a file that starts empty, and can overwrite bytes it wrote before.
class BufferedWriter {
 public:
  explicit BufferedWriter(File& file, std::size_t capacity = kIoBufferSize);

  void Write(const char* data, std::size_t n);
  // The length of everything written so far.
  std::int64_t size() const { return flushed_ + static_cast<std::int64_t>(used_); }
  // Overwrites n bytes written before at `offset`: in the buffer while they are still there,
  // otherwise in the file, returning to its end afterwards.
  void Overwrite(std::int64_t offset, const char* data, std::size_t n);
  // Hands the buffered bytes to the file.
  void Flush();
  // Flush for paths that already report a failure: a second failure is not reported.
  void FlushQuietly() noexcept;

 private:
  File& file_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  std::int64_t flushed_ = 0;
};

}  // namespace trelvan
