#pragma once
// UTF-8 as the hosts read and write it: scripts are UTF-8 text and dumps are
// UTF-8 JSON, so a stray byte must be found where it enters, not in a reader
// that chokes on our output. Header-only, so that the script parser can use it
// without the rest of the host.

#include <cstddef>
#include <cstdint>
#include <string_view>

struct Utf8Char {
  std::uint32_t code = 0;
  std::size_t length = 0;  // 0: not a well-formed character
};

// The character at `at`, as RFC 3629 allows it: no overlong forms, no
// surrogates, nothing past U+10FFFF.
inline Utf8Char DecodeUtf8(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[at + k]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  std::uint32_t code = 0;
  std::uint32_t least = 0;
  if ((lead & 0xe0) == 0xc0) {
    length = 2, code = lead & 0x1fu, least = 0x80;
  } else if ((lead & 0xf0) == 0xe0) {
    length = 3, code = lead & 0x0fu, least = 0x800;
  } else if ((lead & 0xf8) == 0xf0) {
    length = 4, code = lead & 0x07u, least = 0x10000;
  } else {
    return {};
  }
  if (text.size() - at < length) return {};
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xc0) != 0x80) return {};
    code = (code << 6) | (byte(k) & 0x3fu);
  }
  if (code < least || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return {};
  return {code, length};
}

// Characters that show as nothing or as a plain blank, so that a word holding
// one looks like another word, or like two.
inline bool IsInvisibleCharacter(std::uint32_t code) {
  return code == 0x00a0 || code == 0x00ad || code == 0x034f || code == 0x061c || code == 0x115f || code == 0x1160 ||
         code == 0x1680 || code == 0x180e || (code >= 0x2000 && code <= 0x200f) || (code >= 0x2028 && code <= 0x202f) ||
         (code >= 0x205f && code <= 0x206f) || code == 0x3000 || code == 0x3164 || code == 0xfeff || code == 0xffa0 ||
         (code >= 0xfff0 && code <= 0xfff8);
}
