#include "conversions/gbk_unicode.h"

#include <cstdint>
#include <vector>

#include "conversions/gbk_table.h"

namespace quarrow {

namespace {

void AppendUtf8(std::uint32_t code, std::string& out) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// Reads one UTF-8 character at `at`; 0 bytes when there is none well-formed there.
std::size_t ReadUtf8(std::string_view bytes, std::size_t at, std::uint32_t* code) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char first = byte(at);
  if (first < 0x80) {
    *code = first;
    return 1;
  }
  std::size_t length;
  std::uint32_t value;
  std::uint32_t least;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2, value = first & 0x1F, least = 0x80;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3, value = first & 0x0F, least = 0x800;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4, value = first & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (bytes.size() - at < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(at + i) & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *code = value;
  return length;
}

// Unicode -> GBK for the basic plane, made once from the same table: 0 where GBK has no character.
const std::vector<std::uint16_t>& UnicodeToGbk() {
  static const std::vector<std::uint16_t> table = [] {
    std::vector<std::uint16_t> t(0x10000, 0);
    for (int lead = 0; lead < kGbkLeadCount; ++lead) {
      for (int trail = 0; trail < kGbkTrailCount; ++trail) {
        const std::uint16_t code = kGbkPairs[lead * kGbkTrailCount + trail];
        if (code != 0 && t[code] == 0) {
          t[code] = static_cast<std::uint16_t>(((kGbkFirstLead + lead) << 8) | (kGbkFirstTrail + trail));
        }
      }
    }
    t[kGbkByte80] = 0x80;
    return t;
  }();
  return table;
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
  std::uint32_t code;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = ReadUtf8(bytes, at, &code);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

bool AppendGbkAsUtf8(std::string_view gbk, std::string& out) {
  const std::size_t kept = out.size();
  for (std::size_t at = 0; at < gbk.size(); ++at) {
    const auto lead = static_cast<unsigned char>(gbk[at]);
    if (lead < 0x80) {
      out.push_back(static_cast<char>(lead));
      continue;
    }
    std::uint16_t code = 0;
    if (lead == 0x80) {
      code = kGbkByte80;
    } else if (lead != 0xFF && at + 1 < gbk.size()) {
      const auto trail = static_cast<unsigned char>(gbk[++at]);
      if (trail >= kGbkFirstTrail && trail < kGbkFirstTrail + kGbkTrailCount) {
        code = kGbkPairs[(lead - kGbkFirstLead) * kGbkTrailCount + (trail - kGbkFirstTrail)];
      }
    }
    if (code == 0) {
      out.resize(kept);
      return false;
    }
    AppendUtf8(code, out);
  }
  return true;
}

bool Utf8ToGbk(std::string_view utf8, std::string& out) {
  const std::vector<std::uint16_t>& table = UnicodeToGbk();
  std::uint32_t code;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = ReadUtf8(utf8, at, &code);
    if (length == 0) return false;
    at += length;
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
      continue;
    }
    const std::uint16_t gbk = code < 0x10000 ? table[code] : 0;
    if (gbk == 0) return false;
    if (gbk > 0xFF) out.push_back(static_cast<char>(gbk >> 8));
    out.push_back(static_cast<char>(gbk & 0xFF));
  }
  return true;
}

}  // namespace quarrow
