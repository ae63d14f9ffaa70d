#pragma once
// Words written and read in the host's byte order, for the exchanges with
// the program's helper processes, which run on the same machine. A reader
// never reads past its bytes: every get says whether the value was there.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

template <typename T>
void Put(std::string& out, const T& value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
void PutAll(std::string& out, const std::vector<T>& values) {
  if (values.empty()) return;  // data() may be null
  out.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(T));
}

// A text as its length and its bytes.
inline void PutText(std::string& out, const std::string& text) {
  Put(out, uint32_t(text.size()));
  out += text;
}

class ByteCursor {
 public:
  explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}

  template <typename T>
  bool get(T& value) {
    if (bytes_.size() - pos_ < sizeof value) return false;
    std::memcpy(&value, bytes_.data() + pos_, sizeof value);
    pos_ += sizeof value;
    return true;
  }

  template <typename T>
  bool getAll(std::vector<T>& values, size_t count) {
    if (!holds(count, sizeof(T))) return false;
    values.resize(count);
    if (count == 0) return true;
    std::memcpy(values.data(), bytes_.data() + pos_, count * sizeof(T));
    pos_ += count * sizeof(T);
    return true;
  }

  // A text put by PutText, of at most `most` bytes.
  bool text(std::string& out, uint32_t most) {
    uint32_t n = 0;
    if (!get(n) || n > most || bytes_.size() - pos_ < n) return false;
    out.assign(bytes_.data() + pos_, n);
    pos_ += n;
    return true;
  }

  // Whether `count` records of at least `size` bytes each can still follow.
  bool holds(size_t count, size_t size) const { return (bytes_.size() - pos_) / size >= count; }

  bool atEnd() const { return pos_ == bytes_.size(); }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};
