#pragma once
// Matching encoder and decoder for the compiled chapter's plain fields:
// single bytes, 2-byte numbers high byte first, 0-terminated texts and bit
// rows packed lowest bit first. The decoder works over a bounded byte view
// that advances; once a read would pass the end it stays failed, so a caller
// may read a whole group of fields and test ok() once afterwards.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vael {

class ByteWriter {
 public:
  // The low 8 bits of value: the rule of every 1-byte field.
  void PutLow8(int value) { bytes_.push_back(static_cast<char>(value & 0xFF)); }

  // A byte that must hold its value whole; an out-of-range value marks the
  // image as unfaithful instead of silently wrapping.
  void PutByte(int value) {
    if (value < 0 || value > 0xFF) faithful_ = false;
    PutLow8(value);
  }

  void PutU16(int value) {
    if (value < 0 || value > 0xFFFF) faithful_ = false;
    PutLow8(value >> 8);
    PutLow8(value);
  }

  // A text and its 0 byte; a text holding a 0 byte could not be read back.
  void PutText(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) faithful_ = false;
    bytes_.append(text);
    bytes_.push_back('\0');
  }

  void PutRaw(std::string_view raw) { bytes_.append(raw); }

  // count flags (non-zero = set), eight to a byte, first flag in the lowest
  // bit; the last byte is padded with 0 bits.
  template <typename Flags>
  void PutBitRow(const Flags& flags, std::size_t first, std::size_t count) {
    for (std::size_t start = 0; start < count; start += 8) {
      unsigned byte = 0;
      for (std::size_t bit = 0; bit < 8 && start + bit < count; ++bit) {
        if (flags[first + start + bit] != 0) byte |= 1u << bit;
      }
      bytes_.push_back(static_cast<char>(byte));
    }
  }

  // Marks the image unfaithful when a value cannot be stored as it is.
  void Require(bool fits) {
    if (!fits) faithful_ = false;
  }

  // False when some value did not fit its field.
  bool faithful() const { return faithful_; }
  std::string& bytes() { return bytes_; }

 private:
  std::string bytes_;
  bool faithful_ = true;
};

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : rest_(bytes) {}

  bool ok() const { return ok_; }
  std::size_t remaining() const { return rest_.size(); }

  int GetByte() {
    if (!Need(1)) return 0;
    int value = static_cast<unsigned char>(rest_[0]);
    rest_.remove_prefix(1);
    return value;
  }

  int GetU16() {
    if (!Need(2)) return 0;
    int value = static_cast<unsigned char>(rest_[0]) << 8 | static_cast<unsigned char>(rest_[1]);
    rest_.remove_prefix(2);
    return value;
  }

  // Up to and without the 0 byte; fails when no 0 byte is left.
  std::string GetText() {
    if (!ok_) return {};
    std::size_t end = rest_.find('\0');
    if (end == std::string_view::npos) {
      Fail();
      return {};
    }
    std::string text(rest_.substr(0, end));
    rest_.remove_prefix(end + 1);
    return text;
  }

  std::string_view GetRaw(std::size_t count) {
    if (!Need(count)) return {};
    std::string_view raw = rest_.substr(0, count);
    rest_.remove_prefix(count);
    return raw;
  }

  // The inverse of ByteWriter::PutBitRow; padding bits are ignored.
  template <typename Flags>
  void GetBitRow(Flags& flags, std::size_t first, std::size_t count) {
    std::string_view row = GetRaw((count + 7) / 8);
    if (!ok_) return;
    for (std::size_t i = 0; i < count; ++i) {
      flags[first + i] = (static_cast<unsigned char>(row[i / 8]) >> (i % 8)) & 1u;
    }
  }

  void Fail() {
    ok_ = false;
    rest_ = {};
  }

 private:
  bool Need(std::size_t count) {
    if (!ok_ || rest_.size() < count) {
      Fail();
      return false;
    }
    return true;
  }

  std::string_view rest_;
  bool ok_ = true;
};

}  // namespace vael
