#include "engine_xml/flexel_transliterator.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "common/flexel_transducer.h"
#include "platform/core/error.h"
#include "platform/nls/nls.h"

namespace flexel {
namespace {

constexpr std::u32string_view kContinuationMarker = U"{e}";
constexpr std::u32string_view kEndMarker = U"{E}";
constexpr char32_t kReplacement = 0xFFFD;

int HexDigit(char32_t c) noexcept {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a') + 10;
  if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A') + 10;
  return -1;
}

bool IsHighSurrogate(char32_t c) noexcept { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) noexcept { return c >= 0xDC00 && c <= 0xDFFF; }

// Values name UTF-16 units; a pair becomes one code point, a lone half cannot be shown.
std::u32string CombineSurrogates(std::u32string_view units) {
  std::u32string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char32_t c = units[i];
    if (IsHighSurrogate(c) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      out.push_back(0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      out.push_back(kReplacement);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// "\u" groups of a value. Characters that are not hex digits count as 0; a group too long for
// a code point is shown as U+FFFD rather than cut; an empty or zero group adds nothing.
std::u32string DecodeUnits(std::string_view value) {
  std::u32string units;
  std::size_t pos = value.find("\\u");
  while (pos != std::string_view::npos) {
    const std::size_t start = pos + 2;
    const std::size_t next = value.find("\\u", start);
    const std::string_view group =
        value.substr(start, next == std::string_view::npos ? std::string_view::npos : next - start);
    pos = next;
    if (group.empty()) continue;
    if (group.size() > 8) {
      units.push_back(kReplacement);
      continue;
    }
    std::uint32_t v = 0;
    for (const char c : group)
      v = v * 16 + static_cast<std::uint32_t>(std::max(0, HexDigit(static_cast<unsigned char>(c))));
    if (v == 0) continue;
    units.push_back(v > 0x10FFFF ? kReplacement : static_cast<char32_t>(v));
  }
  return units;
}

// The rest of the text during the main loop: markers put back in front, then the input.
class Remaining {
 public:
  Remaining(std::u32string_view front, std::u32string_view rest) : m_front(front), m_rest(rest) {}

  [[nodiscard]] std::size_t size() const noexcept { return m_front.size() + m_rest.size(); }
  [[nodiscard]] char32_t operator[](std::size_t i) const noexcept {
    return i < m_front.size() ? m_front[i] : m_rest[i - m_front.size()];
  }

 private:
  std::u32string_view m_front;
  std::u32string_view m_rest;
};

bool IsPinyinVowel(char32_t c) noexcept {
  return c == U'a' || c == U'e' || c == U'i' || c == U'o' || c == 0xF6 || c == U'u' || c == 0xFC;
}

void AppendWithTone(std::u32string& out, const std::u32string& syllable, char32_t digit) {
  char32_t mark = 0;
  switch (digit) {
    case U'1':
      mark = 0x0304;
      break;
    case U'2':
      mark = 0x0301;
      break;
    case U'3':
      mark = 0x030C;
      break;
    case U'4':
      mark = 0x0300;
      break;
    default:
      break;
  }
  // The mark goes on "a" or "e" when the syllable has one, on the "o" of "ou", else on the
  // last vowel: "hao3" -> hǎo, "gui4" -> guì, "xue2" -> xué, "jiu3" -> jiǔ.
  std::size_t at = syllable.find_first_of(U"ae");
  if (at == std::u32string::npos) {
    const std::size_t ou = syllable.find(U"ou");
    if (ou != std::u32string::npos) at = ou;
  }
  if (at == std::u32string::npos) {
    for (std::size_t i = syllable.size(); i-- > 0;) {
      if (IsPinyinVowel(syllable[i])) {
        at = i;
        break;
      }
    }
  }
  if (mark == 0 || at == std::u32string::npos) {
    out += syllable;
    return;
  }
  out.append(syllable, 0, at + 1);
  out.push_back(mark);
  out.append(syllable, at + 1);
}

std::u32string Pinyin(std::u32string_view text) {
  std::u32string out;
  std::u32string syllable;
  for (const char32_t c : text) {
    if (c >= 96 && c <= 255) {
      syllable.push_back(c);
    } else if (c >= U'0' && c <= U'9') {
      AppendWithTone(out, syllable, c);
      syllable.clear();
    } else {
      // A syllable without a tone digit stays where it was written.
      out += syllable;
      syllable.clear();
      out.push_back(c);
    }
  }
  out += syllable;
  return out;
}

std::string Hangul(std::u32string_view text) {
  std::u32string jamo;
  for (const char32_t c : text) {
    if (c >= 0x1100 && c <= 0x11F9) jamo.push_back(c);
  }
  // Jamo have no other canonical compositions, so NFC is exactly the syllable composition.
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) return nls::ToUtf8(jamo);
  const icu::UnicodeString source = icu::UnicodeString::fromUTF32(
      reinterpret_cast<const UChar32*>(jamo.data()), static_cast<int32_t>(jamo.size()));
  const icu::UnicodeString composed = nfc->normalize(source, status);
  if (U_FAILURE(status)) return nls::ToUtf8(jamo);
  std::string out;
  composed.toUTF8String(out);
  return out;
}

}  // namespace

std::string DecodeImeValue(std::string_view value) {
  return nls::ToUtf8(CombineSurrogates(DecodeUnits(value)));
}

std::string ImeValueText(std::string_view value) {
  std::string compact;
  for (const char c : value) {
    if (c != ' ') compact.push_back(c);
  }
  if (compact.find("\\u") != std::string::npos) return compact;
  const std::u32string chars = nls::ToUtf32(compact);
  std::string out;
  for (std::size_t i = 0; i < chars.size(); i += 4) {
    out += "\\u";
    out += nls::ToUtf8(std::u32string_view(chars).substr(i, 4));
  }
  return out;
}

TTransliterator::TTransliterator(std::vector<std::string> lines, std::string processor) {
  Load(std::move(lines), std::move(processor));
}

void TTransliterator::Load(std::vector<std::string> lines, std::string processor) {
  m_processor = std::move(processor);
  m_sources.clear();
  m_values.clear();
  m_published.clear();
  m_entries.clear();
  m_trie.assign(1, Node{});
  for (const std::string& line : lines) {
    const std::size_t tab1 = line.find('\t');
    if (tab1 == std::string::npos) continue;
    const std::size_t tab2 = line.find('\t', tab1 + 1);
    const std::size_t tab3 = tab2 == std::string::npos ? tab2 : line.find('\t', tab2 + 1);
    m_sources.push_back(line.substr(0, tab1));
    m_values.push_back(line.substr(tab1 + 1, tab2 == std::string::npos ? tab2 : tab2 - tab1 - 1));
    m_published.push_back(
        tab2 == std::string::npos
            ? std::string()
            : line.substr(tab2 + 1, tab3 == std::string::npos ? tab3 : tab3 - tab2 - 1));

    Entry entry;
    const std::u32string source = nls::ToUtf32(m_sources.back());
    const std::size_t last = source.rfind(U'{');
    const auto braces = std::count(source.begin(), source.end(), U'{');
    // A source that only begins with a marker is a key: it applies right after that marker.
    if (last != std::u32string::npos && (braces > 1 || last > 0)) {
      entry.key = source.substr(0, last);
      entry.marker = source.substr(last);
    } else {
      entry.key = source;
    }
    entry.value = DecodeUnits(m_values.back());
    m_entries.push_back(std::move(entry));
    insertKey(m_entries.size() - 1);
  }
  m_lines = std::move(lines);
}

std::size_t TTransliterator::child(std::size_t node, char32_t c) const noexcept {
  const auto& children = m_trie[node].children;
  const auto it = std::lower_bound(children.begin(), children.end(), c,
                                   [](const auto& p, char32_t x) { return p.first < x; });
  return (it != children.end() && it->first == c) ? it->second : 0;
}

void TTransliterator::insertKey(std::size_t entry) {
  const std::u32string& key = m_entries[entry].key;
  if (key.empty()) return;  // an empty key never applies
  std::size_t node = 0;
  for (const char32_t c : key) {
    std::size_t next = child(node, c);
    if (next == 0) {
      next = m_trie.size();
      m_trie.emplace_back();
      auto& children = m_trie[node].children;
      const auto it = std::lower_bound(children.begin(), children.end(), c,
                                       [](const auto& p, char32_t x) { return p.first < x; });
      children.insert(it, {c, next});
    }
    node = next;
  }
  m_trie[node].entries.push_back(entry);
}

bool TTransliterator::continues(std::u32string_view marker, std::u32string_view rest) const {
  const Remaining text(marker, rest);
  std::size_t node = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    node = child(node, text[i]);
    if (node == 0) return false;
    if (!m_trie[node].entries.empty()) return true;
  }
  return false;
}

std::u32string TTransliterator::mainLoop(std::u32string_view input) const {
  struct Candidate {
    std::size_t entry;
    std::size_t keyLength;
    std::u32string_view marker;
  };
  // Longest key first; for the same key a marked entry first; then table order, which is the
  // order candidates are met in.
  const auto better = [](const Candidate& a, const Candidate& b) {
    if (a.keyLength != b.keyLength) return a.keyLength > b.keyLength;
    return !a.marker.empty() && b.marker.empty();
  };

  std::u32string out;
  std::u32string front;  // markers put back in front of the input
  std::u32string_view rest = input;
  std::size_t frontMarker = 0;  // length of the marker the previous step put in front
  const std::size_t budget = kStepsPerCharacter * (input.size() + 1);
  std::size_t steps = 0;

  const auto consume = [&](std::size_t n) {
    if (n <= front.size()) {
      front.erase(0, n);
    } else {
      rest.remove_prefix(n - front.size());
      front.clear();
    }
  };
  // The text after the first n characters, as one piece for the continuation test.
  std::u32string after;
  const auto afterKey = [&](std::size_t n) -> std::u32string_view {
    if (n >= front.size()) return rest.substr(n - front.size());
    after.assign(front, n);
    after.append(rest);
    return after;
  };

  while (!front.empty() || !rest.empty()) {
    if (++steps > budget) {
      throw Error("Transliteration of \"" + nls::ToUtf8(input) + "\" does not end");
    }
    const Remaining text(front, rest);
    const std::size_t marker = std::exchange(frontMarker, 0);

    if (text.size() >= 6 && text[0] == U'\\' && text[1] == U'u' && HexDigit(text[2]) >= 0 &&
        HexDigit(text[3]) >= 0 && HexDigit(text[4]) >= 0 && HexDigit(text[5]) >= 0) {
      const char32_t unit =
          static_cast<char32_t>((HexDigit(text[2]) << 12) | (HexDigit(text[3]) << 8) |
                                (HexDigit(text[4]) << 4) | HexDigit(text[5]));
      if (unit != 0) out.push_back(unit);
      consume(6);
      continue;
    }

    // Only the winner and the runner-up matter.
    Candidate best[2]{};
    std::size_t found = 0;
    const auto offer = [&](const Candidate& c) {
      if (found == 0 || better(c, best[0])) {
        best[1] = best[0];
        best[0] = c;
      } else if (found == 1 || better(c, best[1])) {
        best[1] = c;
      }
      found = std::min<std::size_t>(found + 1, 2);
    };
    std::size_t node = 0;
    for (std::size_t depth = 1; depth <= text.size(); ++depth) {
      node = child(node, text[depth - 1]);
      if (node == 0) break;
      int continuation = -1;  // the same for every "{e}" entry of this key
      for (const std::size_t e : m_trie[node].entries) {
        const Entry& entry = m_entries[e];
        if (entry.marker != kContinuationMarker) {
          offer({e, depth, entry.marker});
        } else if (depth == text.size()) {
          offer({e, depth, kEndMarker});
        } else {
          if (continuation < 0) continuation = continues(kContinuationMarker, afterKey(depth));
          if (continuation > 0) offer({e, depth, kContinuationMarker});
        }
      }
    }

    if (found == 0) {
      if (marker > 0) {
        consume(marker);  // a marker that no entry takes up is dropped
        continue;
      }
      out.push_back(m_keepUnmatched ? text[0] : U'?');
      consume(1);
      continue;
    }

    const Candidate* chosen = &best[0];
    if (!chosen->marker.empty() && found > 1) {
      const bool holds = (chosen->keyLength == text.size() && chosen->marker == kEndMarker) ||
                         continues(chosen->marker, afterKey(chosen->keyLength));
      if (!holds) chosen = &best[1];
    }
    out += m_entries[chosen->entry].value;
    const std::u32string_view putBack = chosen->marker;
    consume(chosen->keyLength);
    if (!putBack.empty() && putBack != kEndMarker) {
      front.insert(0, putBack);
      frontMarker = putBack.size();
    }
  }
  return out;
}

std::string TTransliterator::Transliterate(std::string_view text) const {
  // A language without a table (most of them) shows its forms as written; only "\u"
  // escapes would change them.
  if (KeepsPlainText() && text.find('\\') == std::string_view::npos && nls::IsValidUtf8(text)) {
    return std::string(text);
  }
  const std::u32string units = mainLoop(nls::ToUtf32(text));
  const std::u32string chars = CombineSurrogates(units);
  if (m_processor == "hangul") return Hangul(chars);
  if (m_processor == "pinyin") return nls::ToUtf8(Pinyin(chars));
  return nls::ToUtf8(chars);
}

std::string RenderNative(std::string_view alternative, std::string_view imeTransducer,
                         const TTransliterator& native) {
  if (alternative.empty() || alternative.front() != '\\') return native.Transliterate(alternative);
  const std::string_view text = alternative.substr(1);
  if (imeTransducer.empty()) return {};
  TTransducer transducer;
  std::string output;
  if (!transducer.Match(imeTransducer, text, output)) {
    if (transducer.BudgetExhausted()) {
      throw Error("imetransducer \"" + std::string(imeTransducer) + "\" ran out of steps on \"" +
                  std::string(text) + "\"");
    }
    return {};
  }
  return native.Transliterate(output);
}

}  // namespace flexel
