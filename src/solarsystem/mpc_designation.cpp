#include "solarsystem/mpc_designation.h"

#include <cctype>

namespace celvaro {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }

// The value of a packed digit: 0-9, A = 10 .. Z = 35, a = 36 .. z = 61.
int packedDigit(char c) {
  if (isDigit(c)) return c - '0';
  if (isUpper(c)) return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 36;
  return -1;
}

char packedDigitChar(int value) {
  if (value < 10) return static_cast<char>('0' + value);
  return value < 36 ? static_cast<char>('A' + value - 10) : static_cast<char>('a' + value - 36);
}

int centuryOf(char letter) {
  switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'I': return 18;
    case 'J': return 19;
    case 'K': return 20;
    default: return -1;
  }
}

}  // namespace

int unpackNumber(std::string_view packed) {
  if (packed.size() != 5) return -1;
  const int lead = packedDigit(packed[0]);
  if (lead < 0) return -1;
  int rest = 0;
  for (char c : packed.substr(1)) {
    if (!isDigit(c)) return -1;
    rest = rest * 10 + (c - '0');
  }
  return lead * 10000 + rest;
}

std::string packNumber(int number) {
  if (number < 1 || number > 619999) return "";
  const std::string rest = std::to_string(10000 + number % 10000).substr(1);
  return packedDigitChar(number / 10000) + rest;
}

std::string unpackProvisional(std::string_view p) {
  const int century = p.size() == 7 ? centuryOf(p[0]) : -1;
  if (century < 0 || !isDigit(p[1]) || !isDigit(p[2]) || !isUpper(p[3]) || !isDigit(p[5]) ||
      !(isUpper(p[6]) || p[6] == '0')) {
    return "";
  }
  std::string text = std::to_string(century) + std::string(p.substr(1, 2)) + ' ' + p[3];
  if (p[6] != '0') text += p[6];
  if (isDigit(p[4])) {
    text += std::string(p.substr(4, 2));
  } else {
    const int tens = packedDigit(p[4]);
    if (tens < 10) return "";
    text += std::to_string(tens) + p[5];
  }
  return text;
}

std::string packProvisional(std::string_view typed) {
  std::string t;
  for (char c : typed) {
    if (c != ' ') t += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  if (t.size() < 5 || !isDigit(t[0]) || !isDigit(t[1]) || !isDigit(t[2]) || !isDigit(t[3]) || !isUpper(t[4])) return "";
  const std::string centuries = "IJK";
  const int century = (t[0] - '0') * 10 + (t[1] - '0');
  if (century < 18 || century > 20) return "";
  size_t i = 5;
  const char second = i < t.size() && isUpper(t[i]) ? t[i++] : '0';
  int cycle = 0;
  for (; i < t.size(); ++i) {
    if (!isDigit(t[i]) || cycle > 619) return "";
    cycle = cycle * 10 + (t[i] - '0');
  }
  if (cycle > 619) return "";
  std::string packed{centuries[century - 18], t[2], t[3], t[4], packedDigitChar(cycle / 10),
                     static_cast<char>('0' + cycle % 10), second};
  return packed;
}

}  // namespace celvaro
