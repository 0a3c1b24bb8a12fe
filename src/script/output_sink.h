// Where the output instruction writes: a text buffer, nothing, or an open
// file of the host (a page being written).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace velmora::script {

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual void Write(std::string_view text) = 0;
  // Files get a line break after the `@array` text of an array.
  virtual bool is_file() const { return false; }
};

// Appends to a buffer that the host reads after the call and clears before the next.
class StringSink final : public OutputSink {
 public:
  void Write(std::string_view text) override { buffer_.append(text); }
  const std::string& text() const { return buffer_; }
  void Clear() { buffer_.clear(); }

 private:
  std::string buffer_;
};

class DiscardSink final : public OutputSink {
 public:
  void Write(std::string_view) override {}
};

// Writes to a file the host has opened; the host closes it.
class FileSink final : public OutputSink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  void Write(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), file_); }
  bool is_file() const override { return true; }

 private:
  std::FILE* file_;
};

}  // namespace velmora::script
