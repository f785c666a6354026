#include "common/base64.h"

#include <algorithm>

namespace skyhost {
namespace {

const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int digitValue(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::string base64Encoded(const std::string &bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    unsigned group = 0;
    for (std::size_t k = 0; k < 3; ++k)
      group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kDigits[(group >> (18 - 6 * k)) & 63] : '=';
  }
  return out;
}

std::optional<std::string> base64Decoded(const std::string &text) {
  std::string digits;
  digits.reserve(text.size());
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') digits += c;
  if (digits.size() % 4 != 0) return std::nullopt;
  std::string out;
  out.reserve(digits.size() / 4 * 3);
  for (std::size_t i = 0; i < digits.size(); i += 4) {
    bool last = i + 4 == digits.size();
    // Padding only at the very end: "xx==" or "xxx=".
    std::size_t padding = last ? (digits[i + 3] == '=') + (digits[i + 2] == '=') : 0;
    if (padding == 1 && digits[i + 2] == '=') return std::nullopt;
    unsigned group = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      int value = k < 4 - padding ? digitValue(digits[i + k]) : 0;
      if (value < 0) return std::nullopt;
      group = group << 6 | static_cast<unsigned>(value);
    }
    for (std::size_t k = 0; k < 3 - padding; ++k)
      out += static_cast<char>(group >> (16 - 8 * k) & 0xFF);
  }
  return out;
}

}  // namespace skyhost
