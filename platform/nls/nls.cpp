#include "platform/nls/nls.h"

#include <unicode/bytestream.h>
#include <unicode/casemap.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <cstring>
#include <memory>
#include <unordered_map>

#include "platform/core/error.h"

namespace flexel::nls {

namespace {

struct CollatorCloser {
  void operator()(UCollator* collator) const noexcept { ucol_close(collator); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorCloser>;

struct ConverterCloser {
  void operator()(UConverter* converter) const noexcept { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// The ICU locale whose collation stands for a Windows locale id.
std::string CollationLocale(Lcid lcid) {
  if (lcid == 0) {
    const std::string locale = uloc_getDefault();
    // The POSIX locale's collation orders by case first; case must not count here.
    if (locale.empty() || locale == "en_US_POSIX" || locale == "c" || locale == "posix") {
      return "";
    }
    return locale;
  }
  char buffer[ULOC_FULLNAME_CAPACITY] = {};
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = uloc_getLocaleForLCID(lcid, buffer, sizeof buffer, &status);
  if (U_FAILURE(status) || length <= 0 || status == U_STRING_NOT_TERMINATED_WARNING) {
    return "";
  }
  return std::string(buffer, static_cast<std::size_t>(length));
}

CollatorPtr OpenCollator(Lcid lcid) {
  const std::string locale = CollationLocale(lcid);
  UErrorCode status = U_ZERO_ERROR;
  CollatorPtr collator(ucol_open(locale.c_str(), &status));
  if (U_FAILURE(status) || !collator) {
    throw Error("Cannot open the collation of locale " + std::to_string(lcid) + ": " +
                u_errorName(status));
  }
  ucol_setStrength(collator.get(), UCOL_SECONDARY);
  return collator;
}

// One collator per locale and thread: ICU collators are cheap to share read-only, but the
// cache itself would need a lock, and comparisons run in tight loops.
UCollator& CollatorFor(Lcid lcid) {
  thread_local std::unordered_map<Lcid, CollatorPtr> collators;
  thread_local Lcid lastLcid = 0;
  thread_local UCollator* last = nullptr;
  if (last != nullptr && lastLcid == lcid) {
    return *last;
  }
  auto it = collators.find(lcid);
  if (it == collators.end()) {
    it = collators.emplace(lcid, OpenCollator(lcid)).first;
  }
  lastLcid = lcid;
  last = it->second.get();
  return *last;
}

int32_t CheckedLength(std::string_view text) {
  if (text.size() > static_cast<std::size_t>(INT32_MAX)) {
    throw Error("Text too long (" + std::to_string(text.size()) + " bytes)");
  }
  return static_cast<int32_t>(text.size());
}

}  // namespace

int CompareText(std::string_view a, std::string_view b, Lcid lcid) {
  UCollator& collator = CollatorFor(lcid);
  UErrorCode status = U_ZERO_ERROR;
  const UCollationResult result =
      ucol_strcollUTF8(&collator, a.data(), CheckedLength(a), b.data(), CheckedLength(b), &status);
  if (U_FAILURE(status)) {
    throw Error(std::string("Cannot compare texts: ") + u_errorName(status));
  }
  return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
}

bool EqualText(std::string_view a, std::string_view b, Lcid lcid) {
  return CompareText(a, b, lcid) == 0;
}

std::string SortKey(std::string_view text, Lcid lcid) {
  const UCollator& collator = CollatorFor(lcid);
  const std::u16string utf16 = ToUtf16(text);
  const auto* chars = reinterpret_cast<const UChar*>(utf16.data());
  const auto length = static_cast<int32_t>(utf16.size());
  std::string key(utf16.size() * 4 + 16, '\0');
  int32_t needed = ucol_getSortKey(&collator, chars, length,
                                   reinterpret_cast<uint8_t*>(key.data()),
                                   static_cast<int32_t>(key.size()));
  if (needed > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<std::size_t>(needed));
    needed = ucol_getSortKey(&collator, chars, length, reinterpret_cast<uint8_t*>(key.data()),
                             static_cast<int32_t>(key.size()));
  }
  if (needed <= 0) throw Error("Cannot make the collation key of a text");
  key.resize(static_cast<std::size_t>(needed) - 1);  // without the terminating zero byte
  return key;
}

bool IsSpace(char32_t c) noexcept { return u_isspace(static_cast<UChar32>(c)) != 0; }

bool IsPunct(char32_t c) noexcept { return u_ispunct(static_cast<UChar32>(c)) != 0; }

bool IsBoundary(char32_t c) noexcept { return c == 0 || IsSpace(c) || IsPunct(c); }

std::string ToUpper(std::string_view text) {
  std::string result;
  icu::StringByteSink<std::string> sink(&result, static_cast<int32_t>(text.size()));
  UErrorCode status = U_ZERO_ERROR;
  icu::CaseMap::utf8ToUpper("", 0, icu::StringPiece(text.data(), CheckedLength(text)), sink,
                            nullptr, status);
  if (U_FAILURE(status)) {
    throw Error(std::string("Cannot convert text to upper case: ") + u_errorName(status));
  }
  return result;
}

std::string ToLower(std::string_view text) {
  std::string result;
  icu::StringByteSink<std::string> sink(&result, static_cast<int32_t>(text.size()));
  UErrorCode status = U_ZERO_ERROR;
  icu::CaseMap::utf8ToLower("", 0, icu::StringPiece(text.data(), CheckedLength(text)), sink,
                            nullptr, status);
  if (U_FAILURE(status)) {
    throw Error(std::string("Cannot convert text to lower case: ") + u_errorName(status));
  }
  return result;
}

char32_t ToUpperChar(char32_t c) noexcept {
  return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
}

char32_t ToLowerChar(char32_t c) noexcept {
  return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
}

void AppendUtf32(std::string_view utf8, std::u32string& out) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
  const std::size_t length = utf8.size();
  out.reserve(out.size() + length);
  std::size_t i = 0;
  while (i < length) {
    UChar32 c;
    U8_NEXT_OR_FFFD(bytes, i, length, c);
    out.push_back(static_cast<char32_t>(c));
  }
}

std::u32string ToUtf32(std::string_view utf8) {
  std::u32string result;
  AppendUtf32(utf8, result);
  return result;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
    return;
  }
  if (c > 0x10FFFF || U_IS_SURROGATE(c)) {
    c = 0xFFFD;
  }
  char buffer[U8_MAX_LENGTH];
  std::size_t length = 0;
  U8_APPEND_UNSAFE(buffer, length, c);
  out.append(buffer, length);
}

void AppendUtf8(std::u32string_view text, std::string& out) {
  out.reserve(out.size() + text.size());
  for (char32_t c : text) {
    AppendUtf8(c, out);
  }
}

std::string ToUtf8(std::u32string_view text) {
  std::string result;
  AppendUtf8(text, result);
  return result;
}

std::string ToUtf8(char32_t c) {
  std::string result;
  AppendUtf8(c, result);
  return result;
}

std::size_t CodePointCount(std::string_view utf8) noexcept {
  const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
  const std::size_t length = utf8.size();
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < length) {
    UChar32 c;
    U8_NEXT_OR_FFFD(bytes, i, length, c);
    (void)c;
    ++count;
  }
  return count;
}

bool IsValidUtf8(std::string_view bytes) noexcept {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const std::size_t length = bytes.size();
  std::size_t i = 0;
  while (i < length) {
    // Runs of ASCII, most of any text here, eight bytes at a time.
    while (i + 8 <= length) {
      std::uint64_t word;
      std::memcpy(&word, data + i, sizeof word);
      if (word & 0x8080808080808080ULL) break;
      i += 8;
    }
    if (i >= length) break;
    if (data[i] < 0x80) {
      ++i;
      continue;
    }
    UChar32 c;
    U8_NEXT(data, i, length, c);
    if (c < 0) {
      return false;
    }
  }
  return true;
}

std::string DecodeLegacy(std::string_view bytes) {
  if (IsValidUtf8(bytes)) {
    return std::string(bytes);
  }
  thread_local ConverterPtr converter;
  UErrorCode status = U_ZERO_ERROR;
  if (!converter) {
    converter.reset(ucnv_open("windows-1252", &status));
    if (U_FAILURE(status) || !converter) {
      converter.reset();
      throw Error(std::string("Cannot open the Windows-1252 converter: ") + u_errorName(status));
    }
  }
  ucnv_reset(converter.get());
  // Every Windows-1252 byte becomes at most one UTF-16 unit.
  std::u16string units(bytes.size() + 1, u'\0');
  const int32_t length =
      ucnv_toUChars(converter.get(), units.data(), static_cast<int32_t>(units.size()), bytes.data(),
                    CheckedLength(bytes), &status);
  if (U_FAILURE(status)) {
    throw Error(std::string("Cannot decode Windows-1252 text: ") + u_errorName(status));
  }
  units.resize(static_cast<std::size_t>(length));
  return FromUtf16(units);
}

std::string FromUtf16(std::u16string_view text) {
  std::string result;
  result.reserve(text.size());
  const std::size_t length = text.size();
  std::size_t i = 0;
  while (i < length) {
    UChar32 c;
    U16_NEXT_OR_FFFD(text.data(), i, length, c);
    AppendUtf8(static_cast<char32_t>(c), result);
  }
  return result;
}

std::string FromUtf16Bytes(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(
        static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  std::string result = FromUtf16(units);
  if (bytes.size() % 2 != 0) {
    AppendUtf8(char32_t{0xFFFD}, result);
  }
  return result;
}

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string result;
  result.reserve(utf8.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
  const std::size_t length = utf8.size();
  std::size_t i = 0;
  while (i < length) {
    UChar32 c;
    U8_NEXT_OR_FFFD(bytes, i, length, c);
    if (c <= 0xFFFF) {
      result.push_back(static_cast<char16_t>(c));
    } else {
      result.push_back(static_cast<char16_t>(U16_LEAD(c)));
      result.push_back(static_cast<char16_t>(U16_TRAIL(c)));
    }
  }
  return result;
}

}  // namespace flexel::nls
