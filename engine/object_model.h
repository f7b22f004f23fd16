#pragma once
// The object model of both engines: Languages and everything reached from it. Each object is a
// light view over the engine's conjugator: it holds a counted reference to the engine and only
// the index or text that identifies what it shows, and reads the engine anew on every call
// (Books and XML Inflections keep the text they were made from). Every object-valued property
// makes a new object.

#include <string>
#include <vector>

#include "engine/auto_object.h"

namespace flexel::engine {

// Lines of a text as a list keeps them: CR LF, LF or CR end a line; a last line without an
// end counts, an end after it adds no empty line.
[[nodiscard]] std::vector<std::string> TextLines(std::string_view text);

class TLanguages final : public TCollection {
 public:
  explicit TLanguages(EngineRef engine) noexcept
      : TCollection(std::move(engine), ObjectKind::kLanguages) {}

 protected:
  int Count() override;
  RefPtr<IDispatch> Item(int index) override;
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;
  std::string ErrorSource() const override;
};

// Always shows the engine's current language.
class TLanguage final : public TAutoObject {
 public:
  explicit TLanguage(EngineRef engine) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kLanguage) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;

 private:
  std::string FlagImage();
};

class TPartsOfSpeech final : public TCollection {
 public:
  explicit TPartsOfSpeech(EngineRef engine) noexcept
      : TCollection(std::move(engine), ObjectKind::kPartsOfSpeech) {}

 protected:
  int Count() override;
  RefPtr<IDispatch> Item(int index) override;
};

class TPartOfSpeech final : public TAutoObject {
 public:
  TPartOfSpeech(EngineRef engine, int index) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kPartOfSpeech), m_index(index) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;

 private:
  int m_index;
};

class Twords final : public TCollection {
 public:
  Twords(EngineRef engine, int partOfSpeech) noexcept
      : TCollection(std::move(engine), ObjectKind::kWords), m_partOfSpeech(partOfSpeech) {}

 protected:
  int Count() override;
  RefPtr<IDispatch> Item(int index) override;

 private:
  int m_partOfSpeech;
};

class Tword final : public TAutoObject {
 public:
  Tword(EngineRef engine, int partOfSpeech, int index) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kWord),
        m_partOfSpeech(partOfSpeech),
        m_index(index) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;

 private:
  int m_partOfSpeech;
  int m_index;
};

// The word itself lives in the engine; the object keeps only the part of speech last written
// to partofspeechid.
class Tactiveword final : public TAutoObject {
 public:
  explicit Tactiveword(EngineRef engine) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kActiveWord) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;

 private:
  int m_partOfSpeech = 0;
};

class TMorphology final : public TAutoObject {
 public:
  explicit TMorphology(EngineRef engine) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kMorphology) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;
};

class Tguesses final : public TCollection {
 public:
  explicit Tguesses(EngineRef engine) noexcept
      : TCollection(std::move(engine), ObjectKind::kGuesses) {}

 protected:
  int Count() override;
  RefPtr<IDispatch> Item(int index) override;
};

class Tguess final : public TAutoObject {
 public:
  Tguess(EngineRef engine, std::string line) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kGuess), m_line(std::move(line)) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;

 private:
  std::string m_line;
};

class Tinflections final : public TCollection {
 public:
  explicit Tinflections(EngineRef engine) noexcept
      : TCollection(std::move(engine), ObjectKind::kInflections) {}

 protected:
  int Count() override;
  RefPtr<IDispatch> Item(int index) override;
};

// XML engine: keeps a copy of its line of the tense list; VLX engine: reads line index anew.
class Tinflection final : public TAutoObject {
 public:
  Tinflection(EngineRef engine, int line, InflectionEntry entry) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kInflection),
        m_line(line),
        m_entry(std::move(entry)) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;

 private:
  InflectionEntry Entry() const;

  int m_line;
  InflectionEntry m_entry;
};

class Ttenses final : public TCollection {
 public:
  Ttenses(EngineRef engine, std::string idsText, int count) noexcept
      : TCollection(std::move(engine), ObjectKind::kTenses),
        m_idsText(std::move(idsText)),
        m_count(count) {}

 protected:
  int Count() override { return m_count; }
  RefPtr<IDispatch> Item(int index) override;

 private:
  std::string m_idsText;
  int m_count;
};

class Ttense final : public TAutoObject {
 public:
  Ttense(EngineRef engine, int key) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kTense), m_key(key) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;

 private:
  int m_key;  // tense id (XML) or tense line index (VLX)
};

// A snapshot of the books text taken when the collection is made.
class Tbooks final : public TCollection {
 public:
  Tbooks(EngineRef engine, const std::string& booksText)
      : TCollection(std::move(engine), ObjectKind::kBooks), m_lines(TextLines(booksText)) {}

 protected:
  int Count() override { return static_cast<int>(m_lines.size()); }
  RefPtr<IDispatch> Item(int index) override;

 private:
  std::vector<std::string> m_lines;
};

class Tbook final : public TAutoObject {
 public:
  Tbook(EngineRef engine, std::string line, int index) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kBook),
        m_line(std::move(line)),
        m_index(index) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;

 private:
  std::string m_line;
  int m_index;
};

class TCountries final : public TCollection {
 public:
  explicit TCountries(EngineRef engine) noexcept
      : TCollection(std::move(engine), ObjectKind::kCountries) {}

 protected:
  int Count() override;
  RefPtr<IDispatch> Item(int index) override;
};

class TCountry final : public TAutoObject {
 public:
  TCountry(EngineRef engine, int index) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kCountry), m_index(index) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;

 private:
  int m_index;
};

// Making the collection clears the active word's same-type list.
class TSameTypes final : public TCollection {
 public:
  TSameTypes(EngineRef engine, int partOfSpeech) noexcept;

 protected:
  int Count() override;
  RefPtr<IDispatch> Item(int index) override;

 private:
  int m_partOfSpeech;
};

class TSameType final : public TAutoObject {
 public:
  TSameType(EngineRef engine, int index) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kSameType), m_index(index) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;

 private:
  int m_index;
};

class Trelatedwords final : public TCollection {
 public:
  Trelatedwords(EngineRef engine, int partOfSpeech) noexcept
      : TCollection(std::move(engine), ObjectKind::kRelatedWords), m_partOfSpeech(partOfSpeech) {}

 protected:
  int Count() override;
  RefPtr<IDispatch> Item(int index) override;

 private:
  int m_partOfSpeech;
};

class Trelatedword final : public TAutoObject {
 public:
  Trelatedword(EngineRef engine, int index) noexcept
      : TAutoObject(std::move(engine), ObjectKind::kRelatedWord), m_index(index) {}

 protected:
  void InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                    Variant& result) override;

 private:
  int m_index;
};

}  // namespace flexel::engine
