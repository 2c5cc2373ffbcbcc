#include "convert/windows1250_transcoder.h"

#include "convert/windows1250.h"

namespace trelvan {
namespace {

constexpr std::size_t kChunk = 16 * 1024;
constexpr char32_t kByteOrderMark = 0xFEFF;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

TextEncoding EncodingByByteOrderMark(std::string_view head, std::size_t& mark_length) {
  mark_length = 3;
  if (StartsWith(head, "\xEF\xBB\xBF")) return TextEncoding::kUtf8;
  mark_length = 2;
  if (StartsWith(head, "\xFF\xFE")) return TextEncoding::kUtf16LittleEndian;
  if (StartsWith(head, "\xFE\xFF")) return TextEncoding::kUtf16BigEndian;
  mark_length = 0;
  return TextEncoding::kWindows1250;
}

int DecodeUtf8Sequence(std::string_view bytes, char32_t& code_point) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  int length;
  char32_t value;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  for (int i = 1; i < length; ++i) {
    if (static_cast<std::size_t>(i) >= bytes.size()) return -1;
    const auto next = static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  code_point = value;
  return length;
}

bool LooksLikeUtf8(std::string_view window) {
  bool any = false;
  for (std::size_t i = 0; i < window.size();) {
    if (static_cast<unsigned char>(window[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t code_point;
    const int length = DecodeUtf8Sequence(window.substr(i), code_point);
    if (length < 0) break;  // cut by the window: judge by what came before
    if (length == 0) return false;
    any = true;
    i += static_cast<std::size_t>(length);
  }
  return any;
}

std::string_view Windows1250Transcoder::Peek() {
  if (begin_ == out_.size()) {
    out_.clear();
    begin_ = 0;
    while (out_.size() < kChunk) {
      const std::size_t before = out_.size();
      if (from_ == TextEncoding::kUtf8) {
        DecodeUtf8();
      } else {
        DecodeUtf16();
      }
      if (out_.size() == before && in_.Peek().empty()) break;
    }
  }
  return std::string_view(out_).substr(begin_);
}

void Windows1250Transcoder::Put(char32_t code_point) {
  ++decoded_;
  if (code_point == kByteOrderMark) return;
  const int byte = Windows1250FromUnicode(code_point);
  if (byte < 0) {
    out_ += '?';
    ++unmappable_;
  } else {
    out_ += static_cast<char>(byte);
  }
}

void Windows1250Transcoder::DecodeUtf8() {
  // Four bytes at hand, unless the file ends, so that no sequence is cut.
  const std::string_view input = in_.Peek(4);
  std::size_t i = 0;
  while (i < input.size() && out_.size() < kChunk) {
    const auto byte = static_cast<unsigned char>(input[i]);
    if (byte < 0x80) {
      out_ += input[i++];
      continue;
    }
    char32_t code_point;
    const int length = DecodeUtf8Sequence(input.substr(i), code_point);
    if (length < 0 && i > 0) break;  // read on from here next time
    if (length <= 0) {
      out_ += input[i++];  // not UTF-8: a windows-1250 byte
      continue;
    }
    Put(code_point);
    i += static_cast<std::size_t>(length);
  }
  in_.Consume(i);
}

void Windows1250Transcoder::DecodeUtf16() {
  const std::string_view input = in_.Peek(4);
  const bool little = from_ == TextEncoding::kUtf16LittleEndian;
  const auto unit = [&](std::size_t at) {
    const auto a = static_cast<unsigned char>(input[at]);
    const auto b = static_cast<unsigned char>(input[at + 1]);
    return static_cast<char32_t>(little ? a | (b << 8) : (a << 8) | b);
  };
  std::size_t i = 0;
  while (i + 1 < input.size() && out_.size() < kChunk) {
    const char32_t first = unit(i);
    if (first >= 0xD800 && first <= 0xDBFF) {
      if (i + 3 >= input.size() && i > 0) break;  // the pair may be cut: read on from here
      if (i + 3 < input.size()) {
        const char32_t second = unit(i + 2);
        if (second >= 0xDC00 && second <= 0xDFFF) {
          Put(0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
          i += 4;
          continue;
        }
      }
      Put(0xFFFD);  // a lone surrogate
    } else if (first >= 0xDC00 && first <= 0xDFFF) {
      Put(0xFFFD);
    } else {
      Put(first);
    }
    i += 2;
  }
  if (i + 1 == input.size() && input.size() < 4) {
    Put(0xFFFD);  // an odd byte at the end of the file
    ++i;
  }
  in_.Consume(i);
}

}  // namespace trelvan
