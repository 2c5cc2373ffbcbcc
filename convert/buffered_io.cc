#include "convert/buffered_io.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace trelvan {

BufferedReader::BufferedReader(File& file, std::size_t capacity)
    : file_(file), buffer_(new char[capacity]), capacity_(capacity), next_read_size_(capacity) {}

std::size_t BufferedReader::Fill(char* at, std::size_t n) {
  // After a jump the file's own position is not where the buffer goes on.
  const std::int64_t position = buffer_position_ + (at - buffer_.get());
  return jumped_ ? file_.ReadAt(position, at, n) : file_.Read(at, n);
}

std::string_view BufferedReader::Peek() {
  if (begin_ == end_ && !whole_file_) {
    buffer_position_ += static_cast<std::int64_t>(end_);
    begin_ = 0;
    end_ = Fill(buffer_.get(), next_read_size_);
    next_read_size_ = std::min(capacity_, 2 * next_read_size_);
  }
  return std::string_view(buffer_.get() + begin_, end_ - begin_);
}

std::string_view BufferedReader::Peek(std::size_t at_least) {
  const std::size_t left = end_ - begin_;
  if (left > 0 && left < at_least && at_least <= capacity_ && !whole_file_) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, left);
    buffer_position_ += static_cast<std::int64_t>(begin_);
    begin_ = 0;
    end_ = left + Fill(buffer_.get() + left, capacity_ - left);
  }
  return Peek();
}

std::size_t BufferedReader::Read(char* out, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    const std::string_view available = Peek();
    if (available.empty()) break;
    const std::size_t take = available.size() < n - done ? available.size() : n - done;
    std::memcpy(out + done, available.data(), take);
    Consume(take);
    done += take;
  }
  return done;
}

void BufferedReader::SeekTo(std::int64_t position) {
  if (whole_file_) {
    begin_ = static_cast<std::size_t>(std::clamp<std::int64_t>(position, 0, end_));
    return;
  }
  if (position >= buffer_position_ &&
      position <= buffer_position_ + static_cast<std::int64_t>(end_)) {
    begin_ = static_cast<std::size_t>(position - buffer_position_);
    return;
  }
  jumped_ = true;
  buffer_position_ = position;
  begin_ = end_ = 0;
  next_read_size_ = std::min(capacity_, kJumpReadSize);
}

bool BufferedReader::HoldWholeFile(std::int64_t max_size) {
  if (whole_file_) return true;
  const std::int64_t kept = position();
  jumped_ = true;  // the seek below moves the file's own position
  const std::int64_t size = file_.Seek(0, SeekOrigin::kEnd);
  if (size > max_size) return false;
  const auto whole_size = static_cast<std::size_t>(size);
  std::unique_ptr<char[]> whole(new (std::nothrow) char[whole_size]);
  if (!whole) return false;
  // A file cut short meanwhile ends where the reads end, as positioned reads would find it.
  std::size_t got = 0;
  while (got < whole_size) {
    const std::size_t n = file_.ReadAt(static_cast<std::int64_t>(got), whole.get() + got,
                                       std::min(whole_size - got, 16 * kIoBufferSize));
    if (n == 0) break;
    got += n;
  }
  buffer_ = std::move(whole);
  capacity_ = whole_size;
  buffer_position_ = 0;
  end_ = got;
  whole_file_ = true;
  SeekTo(kept);
  return true;
}

BufferedWriter::BufferedWriter(File& file, std::size_t capacity) : file_(file), buffer_(capacity) {}

void BufferedWriter::Write(const char* data, std::size_t n) {
  if (used_ + n > buffer_.size()) {
    Flush();
    if (n >= buffer_.size()) {
      file_.Write(data, n);
      flushed_ += static_cast<std::int64_t>(n);
      return;
    }
  }
  std::memcpy(buffer_.data() + used_, data, n);
  used_ += n;
}

void BufferedWriter::Overwrite(std::int64_t offset, const char* data, std::size_t n) {
  if (offset >= flushed_) {
    std::memcpy(buffer_.data() + (offset - flushed_), data, n);
    return;
  }
  Flush();
  file_.Seek(offset, SeekOrigin::kBegin);
  file_.Write(data, n);
  file_.Seek(0, SeekOrigin::kEnd);
}

void BufferedWriter::Flush() {
  if (used_ == 0) return;
  // Count the bytes as handed over even if the write fails, so that a quiet flush on the
  // failure path does not write them a second time.
  const std::size_t n = used_;
  used_ = 0;
  flushed_ += static_cast<std::int64_t>(n);
  file_.Write(buffer_.data(), n);
}

void BufferedWriter::FlushQuietly() noexcept {
  try {
    Flush();
  } catch (const FileError&) {
  }
}

}  // namespace trelvan
