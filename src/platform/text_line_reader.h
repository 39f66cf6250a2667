// Line-by-line reading of the program's own text files (configuration,
// setting files, field-of-view schemes).
#pragma once

#include <cstdio>
#include <string>

namespace celvaro {

// Reads a file as text: "\r\n" counts as one "\n"; each line is returned with
// its "\n" when it has one. A line is cut at kMaxLineChars characters
// (counting its line end) and the rest of a longer line is skipped, so no
// fragment of an overlong line is ever taken for a line of its own.
class TextLineReader {
 public:
  static constexpr size_t kMaxLineChars = 1023;

  explicit TextLineReader(const std::string& path);
  ~TextLineReader();
  TextLineReader(const TextLineReader&) = delete;
  TextLineReader& operator=(const TextLineReader&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  // Next line into `line`; false at the end of the file or on a read error.
  bool next(std::string& line);

 private:
  int nextChar();
  void skipRestOfLine();

  std::FILE* file_ = nullptr;
  int pending_ = EOF;  // a character read ahead after a lone '\r'
};

}  // namespace celvaro
