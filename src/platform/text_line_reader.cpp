#include "platform/text_line_reader.h"

#include "platform/regular_file.h"

namespace celvaro {

TextLineReader::TextLineReader(const std::string& path) : file_(openRegularFile(path)) {}

TextLineReader::~TextLineReader() {
  if (file_) std::fclose(file_);
}

// One character with "\r\n" folded into "\n".
int TextLineReader::nextChar() {
  int c = pending_;
  pending_ = EOF;
  if (c == EOF) c = std::getc(file_);
  if (c != '\r') return c;
  int after = std::getc(file_);
  if (after == '\n') return '\n';
  pending_ = after;
  return '\r';
}

void TextLineReader::skipRestOfLine() {
  int c;
  do {
    c = nextChar();
  } while (c != EOF && c != '\n');
}

bool TextLineReader::next(std::string& line) {
  line.clear();
  if (!file_) return false;
  for (;;) {
    int c = nextChar();
    if (c == EOF) return !line.empty();
    line.push_back(static_cast<char>(c));
    if (c == '\n') return true;
    if (line.size() == kMaxLineChars) {
      skipRestOfLine();
      return true;
    }
  }
}

}  // namespace celvaro
