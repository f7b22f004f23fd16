#include <algorithm>
#include <filesystem>
#include <random>

#include "engine/object_model.h"
#include "platform/imaging/imaging.h"

namespace flexel::engine {

std::vector<std::string> TextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

int TLanguages::Count() { return Conjugator().LanguageCount(); }

RefPtr<IDispatch> TLanguages::Item(int index) {
  // Checked first, so a bad index leaves the current language as it was.
  if (index < 0 || index >= Conjugator().LanguageCount()) throw ListIndexError(index);
  Conjugator().SelectLanguage(index);
  return MakeRef<TLanguage>(Engine());
}

std::string TLanguages::ErrorSource() const { return Engine()->Library().ProgID(); }

void TLanguages::InvokeMember(const MemberInfo& member, std::span<const Variant> args,
                              Variant& result) {
  TBaseConjugator& conjugator = Conjugator();
  switch (MemberOf(member)) {
    case Member::kLanguagesGetIndex:
      result = conjugator.FindLanguageByCode(args[0].ToString());
      break;
    case Member::kLanguagesStringData:
      conjugator.OpenLanguageFile(args[0].ToString());
      break;
    case Member::kLanguagesListColor:
      result = Engine()->Descriptor().listColor;
      break;
    case Member::kLanguagesHtmlDir:
      conjugator.SetHtmlDirectory(args[0].ToString());
      break;
    case Member::kLanguagesFilter:
      result = Engine()->Descriptor().filter;
      break;
    case Member::kLanguagesCopyright:
      result = conjugator.CreatorText();
      break;
    default:
      TCollection::InvokeMember(member, args, result);
  }
}

void TLanguage::InvokeMember(const MemberInfo& member, std::span<const Variant>, Variant& result) {
  TBaseConjugator& conjugator = Conjugator();
  switch (MemberOf(member)) {
    case Member::kLanguageName:
      result = conjugator.LanguageName();
      break;
    case Member::kLanguageId:
      result = conjugator.CurrentLanguage();
      break;
    case Member::kLanguageSilCode:
      result = conjugator.LanguageCode();
      break;
    case Member::kLanguageFamily:
      result = conjugator.LanguageFamily();
      break;
    case Member::kLanguagePartsOfSpeech:
      result = MakeRef<TPartsOfSpeech>(Engine());
      break;
    case Member::kLanguageWherespoken:
      result = MakeRef<TCountries>(Engine());
      break;
    case Member::kLanguageActiveWord:
      result = MakeRef<Tactiveword>(Engine());
      break;
    case Member::kLanguageMorphology:
      conjugator.Morphology().SetLanguageNumber(conjugator.CurrentLanguage());
      result = MakeRef<TMorphology>(Engine());
      break;
    case Member::kLanguagePopulation:
    case Member::kLanguageNlsLangId:
    case Member::kLanguageNlsSortId:
    case Member::kLanguageNlsSubLangId:
      result = 0;
      break;
    case Member::kLanguageIsSorted:
      result = true;
      break;
    case Member::kLanguageIsRtl:
      result = false;
      break;
    case Member::kLanguageFlagImage:
      result = FlagImage();
      break;
    case Member::kLanguageReferences:
      result = MakeRef<Tbooks>(Engine(), conjugator.BooksText());
      break;
    case Member::kLanguageHtml:
      result = conjugator.LanguageInfoHTML();
      break;
    case Member::kLanguageDate:
      result = conjugator.LanguageDate();
      break;
    case Member::kLanguageSummary:
      result = conjugator.LanguageSummary();
      break;
    default:
      throw Error("Member " + std::string(member.name) + " is not served by Language");
  }
}

// The flag picture written as a bitmap file "flexel5N.$$$" into the HTML folder (else the data
// folder, made when missing); the client may delete it.
std::string TLanguage::FlagImage() {
  namespace fs = std::filesystem;
  TBaseConjugator& conjugator = Conjugator();
  const std::string picture = conjugator.FlagPicture();
  std::string folder = conjugator.HtmlDirectory();
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    folder = conjugator.DataDirectory();
    if (!fs::is_directory(folder, ec)) {
      fs::create_directories(folder, ec);
      if (ec) throw FileError(folder + ": " + ec.message());
    }
  }
  if (picture.empty()) return {};
  const imaging::Image image = imaging::DecodeImage(picture);
  if (image.width < 1) return {};
  if (!folder.empty() && folder.back() != '/') folder += '/';
  // Names are drawn at random from 0..1233; the draw is repeated while the file exists, over
  // each number at most once, so a folder full of old flags ends the search.
  constexpr int kNames = 1234;
  static thread_local std::mt19937 random{std::random_device{}()};
  std::vector<int> numbers(kNames);
  for (int i = 0; i < kNames; ++i) numbers[i] = i;
  std::shuffle(numbers.begin(), numbers.end(), random);
  for (int number : numbers) {
    const std::string path = folder + "flexel5" + std::to_string(number) + ".$$$";
    if (fs::exists(path, ec) || ec) continue;
    imaging::WriteBmp(path, image);
    return path;
  }
  throw FileError(folder + ": no free name for a flag file");
}

}  // namespace flexel::engine
