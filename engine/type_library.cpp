#include "engine/type_library.h"

namespace flexel::engine {
namespace {

using automation::DISPATCH_PROPERTYGET;
using automation::DISPATCH_PROPERTYPUT;
using automation::DISPID;
using automation::DISPID_NEWENUM;
using automation::ParamInfo;
using automation::VarType;

constexpr MemberInfo Get(std::string_view name, DISPID id, VarType type, Member tag,
                         std::span<const ParamInfo> params = {}, std::string_view doc = {}) {
  return MemberInfo{name, id, DISPATCH_PROPERTYGET, type, params, {}, doc, static_cast<int>(tag)};
}

constexpr MemberInfo Object(std::string_view name, DISPID id, std::string_view typeName, Member tag,
                            std::span<const ParamInfo> params = {}) {
  return MemberInfo{name,     id, DISPATCH_PROPERTYGET, VarType::kDispatch, params,
                    typeName, {}, static_cast<int>(tag)};
}

constexpr MemberInfo Put(std::string_view name, DISPID id, VarType type, Member tag) {
  return MemberInfo{name, id, DISPATCH_PROPERTYPUT, type, {}, {}, {}, static_cast<int>(tag)};
}

constexpr VarType kLong = VarType::kI4;
constexpr VarType kBstr = VarType::kBstr;
constexpr VarType kBool = VarType::kBool;

constexpr ParamInfo kIndex[] = {{"Index", kLong}};
constexpr ParamInfo kSilcode[] = {{"silcode", kBstr}};
constexpr ParamInfo kIndexColumn[] = {{"Index", kLong}, {"column", kLong}};

// Collections list Count, Item and _NewEnum; four of them put Item first.
constexpr MemberInfo Count() { return Get("Count", 1, kLong, Member::kCollectionCount); }
constexpr MemberInfo Item(std::string_view itemInterface) {
  return Object("Item", 0, itemInterface, Member::kCollectionItem, kIndex);
}
constexpr MemberInfo NewEnum() {
  return Get("_NewEnum", DISPID_NEWENUM, VarType::kUnknown, Member::kCollectionNewEnum);
}

constexpr MemberInfo kLanguagesXmlMembers[] = {
    Count(),
    Item("ILanguage"),
    NewEnum(),
    Get("GetIndex", 201, kLong, Member::kLanguagesGetIndex, kSilcode),
    Put("stringdata", 202, kBstr, Member::kLanguagesStringData),
    Get("ListColor", 203, kLong, Member::kLanguagesListColor),
    Put("htmldir", 204, kBstr, Member::kLanguagesHtmlDir),
    Get("filter", 205, kBstr, Member::kLanguagesFilter),
    Get("Copyright", 206, kBstr, Member::kLanguagesCopyright),
};

constexpr MemberInfo kLanguagesVlxMembers[] = {
    Count(),
    Item("ILanguage"),
    NewEnum(),
    Get("GetIndex", 201, kLong, Member::kLanguagesGetIndex, kSilcode),
    Put("stringdata", 202, kBstr, Member::kLanguagesStringData),
    Get("ListColor", 203, kLong, Member::kLanguagesListColor),
    Put("htmldir", 204, kBstr, Member::kLanguagesHtmlDir),
    Get("Filter", 205, kBstr, Member::kLanguagesFilter),
    Get("Copyright", 206, kBstr, Member::kLanguagesCopyright, {}, "copyright\tname\temail"),
};

#define FLEXEL_LANGUAGE_COMMON_MEMBERS                                                      \
  Get("Name", 3, kBstr, Member::kLanguageName), Get("id", 201, kLong, Member::kLanguageId), \
      Get("silcode", 202, kBstr, Member::kLanguageSilCode),                                 \
      Get("population", 203, kLong, Member::kLanguagePopulation),                           \
      Get("family", 204, kBstr, Member::kLanguageFamily),                                   \
      Object("PartsOfSpeech", 205, "IPartsOfSpeech", Member::kLanguagePartsOfSpeech),       \
      Object("Wherespoken", 206, "ICountries", Member::kLanguageWherespoken),               \
      Object("ActiveWord", 208, "IActiveWord", Member::kLanguageActiveWord),                \
      Object("Morphology", 207, "IMorphology", Member::kLanguageMorphology),                \
      Get("NLSlangid", 209, kLong, Member::kLanguageNlsLangId),                             \
      Get("NLSsortid", 210, kLong, Member::kLanguageNlsSortId),                             \
      Get("issorted", 211, kBool, Member::kLanguageIsSorted),                               \
      Get("NLSsublangid", 212, kLong, Member::kLanguageNlsSubLangId),                       \
      Get("flagimage", 213, kBstr, Member::kLanguageFlagImage),                             \
      Object("References", 214, "IBooks", Member::kLanguageReferences),                     \
      Get("HTML", 215, kBstr, Member::kLanguageHtml)

constexpr MemberInfo kLanguageXmlMembers[] = {
    FLEXEL_LANGUAGE_COMMON_MEMBERS,
    Get("date", 216, VarType::kR8, Member::kLanguageDate),
    Get("summary", 217, kBstr, Member::kLanguageSummary),
    Get("isRTL", 218, kBool, Member::kLanguageIsRtl),
};

constexpr MemberInfo kLanguageVlxMembers[] = {
    FLEXEL_LANGUAGE_COMMON_MEMBERS,
    Get("Summary", 216, kBstr, Member::kLanguageSummary),
};

#undef FLEXEL_LANGUAGE_COMMON_MEMBERS

constexpr MemberInfo kPartsOfSpeechMembers[] = {Count(), Item("IPartOfSpeech"), NewEnum()};

constexpr MemberInfo kPartOfSpeechMembers[] = {
    Get("Name", 201, kBstr, Member::kPartOfSpeechName),
    Get("id", 202, kLong, Member::kPartOfSpeechId),
    Object("Words", 203, "IWords", Member::kPartOfSpeechWords),
    Get("heuristic", 204, kBool, Member::kPartOfSpeechHeuristic),
};

constexpr MemberInfo kWordsMembers[] = {Count(), Item("IWord"), NewEnum()};

constexpr MemberInfo kWordMembers[] = {
    Get("Name", 201, kBstr, Member::kWordName),
    Get("ty", 202, kLong, Member::kWordTy),
    Get("NameW", 203, kBstr, Member::kWordNameW),
    Get("IsCommon", 204, kBool, Member::kWordIsCommon),
};

#define FLEXEL_ACTIVEWORD_COMMON_MEMBERS                                           \
  Put("partofspeechid", 202, kLong, Member::kActiveWordPartOfSpeechId),            \
      Get("typeid", 203, kLong, Member::kActiveWordTypeId),                        \
      Get("extrainfo", 204, kBstr, Member::kActiveWordExtraInfo),                  \
      Get("Name", 205, kBstr, Member::kActiveWordName),                            \
      Put("Name", 205, kBstr, Member::kActiveWordName),                            \
      Get("VerbExists", 201, kBool, Member::kActiveWordVerbExists),                \
      Get("TensesRaw", 206, kBstr, Member::kActiveWordTensesRaw),                  \
      Object("TenseNames", 207, "IInflections", Member::kActiveWordTenseNames),    \
      Object("SameType", 208, "ISameTypes", Member::kActiveWordSameType),          \
      Object("RelatedWord", 209, "IRelatedWords", Member::kActiveWordRelatedWord), \
      Get("NameW", 210, kBstr, Member::kActiveWordNameW)

constexpr MemberInfo kActiveWordXmlMembers[] = {
    FLEXEL_ACTIVEWORD_COMMON_MEMBERS,
    Get("pageexist", 211, kBool, Member::kActiveWordPageExist),
    Get("page", 212, kBstr, Member::kActiveWordPage),
};

constexpr MemberInfo kActiveWordVlxMembers[] = {FLEXEL_ACTIVEWORD_COMMON_MEMBERS};

#undef FLEXEL_ACTIVEWORD_COMMON_MEMBERS

constexpr MemberInfo kMorphologyMembers[] = {
    Put("PartOfSpeech", 202, kLong, Member::kMorphologyPartOfSpeech),
    Get("Inflection", 201, kBstr, Member::kMorphologyInflection),
    Put("Inflection", 201, kBstr, Member::kMorphologyInflection),
    Object("Guesses", 205, "IGuesses", Member::kMorphologyGuesses),
    Get("NextWord", 203, kBstr, Member::kMorphologyNextWord),
    Get("IsImplemented", 204, kBool, Member::kMorphologyIsImplemented),
};

constexpr MemberInfo kGuessesMembers[] = {Item("IGuess"), Count(), NewEnum()};

constexpr MemberInfo kGuessMembers[] = {
    Get("Name", 201, kBstr, Member::kGuessName),
    Get("percentage", 202, kLong, Member::kGuessPercentage),
    Get("info", 203, kBstr, Member::kGuessInfo),
    Get("PartOfSpeech", 204, kLong, Member::kGuessPartOfSpeech),
};

constexpr MemberInfo kInflectionsMembers[] = {Item("IInflection"), Count(), NewEnum()};

constexpr MemberInfo kInflectionMembers[] = {
    Get("Inflections", 201, kBstr, Member::kInflectionInflections),
    Get("indent", 203, kLong, Member::kInflectionIndent),
    Get("Name", 204, kBstr, Member::kInflectionName),
    Object("Tenses", 205, "ITenses", Member::kInflectionTenses),
};

constexpr MemberInfo kTensesMembers[] = {Item("ITense"), Count(), NewEnum()};

constexpr MemberInfo kTenseMembers[] = {
    Get("Count", 204, kLong, Member::kTenseCount),
    Get("Col", 209, kBstr, Member::kTenseCol, kIndexColumn),
    Get("ColHTML", 210, kBstr, Member::kTenseColHtml, kIndexColumn),
    Get("ColCount", 205, kLong, Member::kTenseColCount),
    Get("HTML", 201, kBstr, Member::kTenseHtml),
};

constexpr MemberInfo kBooksMembers[] = {Item("IBook"), Count(), NewEnum()};

constexpr MemberInfo kBookMembers[] = {
    Get("Author", 201, kBstr, Member::kBookAuthor),
    Get("Name", 202, kBstr, Member::kBookName),
    Get("Publisher", 203, kBstr, Member::kBookPublisher),
    Get("Edition", 204, kLong, Member::kBookEdition),
    Get("Printplace", 205, kBstr, Member::kBookPrintplace),
    Get("PrintYear", 206, kLong, Member::kBookPrintYear),
    Get("Booklanguage", 207, kBstr, Member::kBookBooklanguage),
    Get("Serie", 208, kBstr, Member::kBookSerie),
    Get("ISBN", 209, kBstr, Member::kBookIsbn),
};

constexpr MemberInfo kCountriesMembers[] = {Count(), Item("ICountry"), NewEnum()};

constexpr MemberInfo kCountryMembers[] = {Get("Name", 201, kBstr, Member::kCountryName)};

constexpr MemberInfo kSameTypesMembers[] = {Count(), Item("ISameType"), NewEnum()};

constexpr MemberInfo kSameTypeMembers[] = {
    Get("Name", 201, kBstr, Member::kSameTypeName),
    Get("NameW", 202, kBstr, Member::kSameTypeNameW),
};

constexpr MemberInfo kRelatedWordsMembers[] = {Count(), Item("IRelatedWord"), NewEnum()};

constexpr MemberInfo kRelatedWordMembers[] = {
    Get("WordType", 201, kLong, Member::kRelatedWordWordType),
    Get("TargetLanguage", 202, kBstr, Member::kRelatedWordTargetLanguage),
    Get("Name", 203, kBstr, Member::kRelatedWordName),
    Get("NameW", 204, kBstr, Member::kRelatedWordNameW),
    Get("Meaning", 206, kBstr, Member::kRelatedWordMeaning),
    Get("MeaningW", 207, kBstr, Member::kRelatedWordMeaningW),
};

constexpr InterfaceInfo kXmlInterfaces[kObjectKinds] = {
    InterfaceInfo{"ILanguages", GUID::Literal("{200CA957-6AEA-4C35-A8DE-367E0E74C320}"),
                  "Dispatch interface for Languages Collection Object", kLanguagesXmlMembers},
    InterfaceInfo{"ILanguage", GUID::Literal("{D496B865-70BA-4932-9E2D-83679AA61599}"),
                  "Dispatch interface for Language Object", kLanguageXmlMembers},
    InterfaceInfo{"IPartsOfSpeech", GUID::Literal("{FC9FAF59-86B4-4F02-9338-CCDA486FDCC8}"), "",
                  kPartsOfSpeechMembers},
    InterfaceInfo{"IPartOfSpeech", GUID::Literal("{12594235-CFC8-4949-9B41-5E41A7503863}"), "",
                  kPartOfSpeechMembers},
    InterfaceInfo{"IWords", GUID::Literal("{E12A93B9-918D-4253-B69E-68AB0FFA8151}"), "",
                  kWordsMembers},
    InterfaceInfo{"IWord", GUID::Literal("{88E9D06A-705A-4B2A-9D6C-41FCF257C534}"), "",
                  kWordMembers},
    InterfaceInfo{"IActiveWord", GUID::Literal("{8EFA60A6-0A98-40A2-869E-5FA90B78FB8F}"), "",
                  kActiveWordXmlMembers},
    InterfaceInfo{"IMorphology", GUID::Literal("{9F5F05CF-4181-426C-B4C0-123DFBCCB0A6}"), "",
                  kMorphologyMembers},
    InterfaceInfo{"IGuesses", GUID::Literal("{3CD3D4D3-4A9B-44F0-9B46-FAD51CC96E14}"), "",
                  kGuessesMembers},
    InterfaceInfo{"IGuess", GUID::Literal("{EF9AB687-391C-401D-BC5A-1E75900909AF}"), "",
                  kGuessMembers},
    InterfaceInfo{"IInflections", GUID::Literal("{85502AD2-C0D9-409F-8F65-6F611D461E32}"), "",
                  kInflectionsMembers},
    InterfaceInfo{"IInflection", GUID::Literal("{1A5BDD6F-2F82-4610-9FEA-160A8383EDE5}"), "",
                  kInflectionMembers},
    InterfaceInfo{"ITenses", GUID::Literal("{BF671D12-F67A-402D-A494-DB320CE260F3}"), "",
                  kTensesMembers},
    InterfaceInfo{"ITense", GUID::Literal("{B264921F-5D3F-4868-A905-B33690F14AB2}"), "",
                  kTenseMembers},
    InterfaceInfo{"IBooks", GUID::Literal("{7E849AD3-5D9F-4C56-B3BC-D26F01467F12}"), "",
                  kBooksMembers},
    InterfaceInfo{"IBook", GUID::Literal("{0E8FEBDD-0048-44F8-BAA1-8E1EFEB2052D}"), "",
                  kBookMembers},
    InterfaceInfo{"ICountries", GUID::Literal("{BFF6F103-9048-4D75-958F-7C69489BD5B1}"), "",
                  kCountriesMembers},
    InterfaceInfo{"ICountry", GUID::Literal("{74060E7C-462A-4806-9706-B477A7882BF1}"), "",
                  kCountryMembers},
    InterfaceInfo{"ISameTypes", GUID::Literal("{5F68A613-BABF-4A70-A55E-AD4389811EAB}"), "",
                  kSameTypesMembers},
    InterfaceInfo{"ISameType", GUID::Literal("{2F039510-4F25-46E3-826B-E25C8BF9EC3A}"), "",
                  kSameTypeMembers},
    InterfaceInfo{"IRelatedWords", GUID::Literal("{9B7FE892-EEAD-40E9-9462-21AC3D840824}"), "",
                  kRelatedWordsMembers},
    InterfaceInfo{"IRelatedWord", GUID::Literal("{818FB371-6DB6-41DD-B4EB-1BE6E6669BFA}"), "",
                  kRelatedWordMembers},
};

constexpr TypeLibrary kXmlLibrary{
    "Lexoro5xml",
    GUID::Literal("{B4929EAA-661D-4FA5-9676-66FC257DF217}"),
    "Lexoro Conjugator-Deconjugator Library",
    1,
    0,
    0x409,
    {{
        CoClassInfo{"Languages", GUID::Literal("{3BECF0AC-BC78-4ACE-80F3-A96EE29D3AC9}"),
                    &kXmlInterfaces[0], "Languages Collection Object", true},
        CoClassInfo{"Language", GUID::Literal("{F717B930-8240-4912-BA40-0ED5168D9391}"),
                    &kXmlInterfaces[1], "Language Object", false},
        CoClassInfo{"PartsOfSpeech", GUID::Literal("{6A53DD9A-7F99-4E63-98DE-52091A241A78}"),
                    &kXmlInterfaces[2], "", true},
        CoClassInfo{"PartOfSpeech", GUID::Literal("{6649B5F0-51E6-41F0-BE64-6E4DA753A4FF}"),
                    &kXmlInterfaces[3], "", false},
        CoClassInfo{"Words", GUID::Literal("{60BF5446-9A7B-41E9-A860-BE5B0E9C4E44}"),
                    &kXmlInterfaces[4], "", true},
        CoClassInfo{"Word", GUID::Literal("{2A7E663F-784A-4818-A48E-27688E629705}"),
                    &kXmlInterfaces[5], "", false},
        CoClassInfo{"ActiveWord", GUID::Literal("{5C071BCA-1FB9-4B73-BA49-FEC08B949DFC}"),
                    &kXmlInterfaces[6], "", false},
        CoClassInfo{"Morphology", GUID::Literal("{49267674-4555-4A4C-9774-472FA9C419FC}"),
                    &kXmlInterfaces[7], "", false},
        CoClassInfo{"Guesses", GUID::Literal("{9D1AD316-D1DD-4B20-8FBD-F994ECBB5F0F}"),
                    &kXmlInterfaces[8], "", false},
        CoClassInfo{"Guess", GUID::Literal("{1988EFC1-7C3F-4495-9844-00566CE6CDAB}"),
                    &kXmlInterfaces[9], "", false},
        CoClassInfo{"Inflections", GUID::Literal("{4347EDE1-B9D2-4384-88A5-321B4A853FBB}"),
                    &kXmlInterfaces[10], "", false},
        CoClassInfo{"Inflection", GUID::Literal("{3E541F38-7939-4B16-9E4C-0E06E8516C5D}"),
                    &kXmlInterfaces[11], "", false},
        CoClassInfo{"Tenses", GUID::Literal("{96B2323B-D48B-434A-8C2E-850BD16DFDB0}"),
                    &kXmlInterfaces[12], "", false},
        CoClassInfo{"Tense", GUID::Literal("{A27F94A3-FBB8-417D-A399-E24DCACABB61}"),
                    &kXmlInterfaces[13], "", false},
        CoClassInfo{"Books", GUID::Literal("{3039A22E-E7D6-4D7A-A420-133764783855}"),
                    &kXmlInterfaces[14], "", false},
        CoClassInfo{"Book", GUID::Literal("{7CD91391-58EA-46AF-B46C-988171007FD7}"),
                    &kXmlInterfaces[15], "", false},
        CoClassInfo{"Countries", GUID::Literal("{1C40B182-51F7-4490-B011-E8C549B16A8E}"),
                    &kXmlInterfaces[16], "", true},
        CoClassInfo{"Country", GUID::Literal("{3CEB361B-DB5A-416A-981B-C2705A2D3131}"),
                    &kXmlInterfaces[17], "", false},
        CoClassInfo{"SameTypes", GUID::Literal("{FC242D28-3806-497D-B864-0CBAC6FED086}"),
                    &kXmlInterfaces[18], "", false},
        CoClassInfo{"SameType", GUID::Literal("{BB49B2D9-863E-4B62-B355-A289C9A3EA85}"),
                    &kXmlInterfaces[19], "", false},
        CoClassInfo{"RelatedWords", GUID::Literal("{5115598B-6832-4863-B0F3-3BBC8585147A}"),
                    &kXmlInterfaces[20], "", false},
        CoClassInfo{"RelatedWord", GUID::Literal("{8022D279-14E5-4ACB-BF1A-7AEF48594B3A}"),
                    &kXmlInterfaces[21], "", false},
    }},
};

constexpr InterfaceInfo kVlxInterfaces[kObjectKinds] = {
    InterfaceInfo{"ILanguages", GUID::Literal("{EFE47567-42AE-48B0-8439-BC6EEF8D9BB0}"),
                  "Dispatch interface for Languages Collection Object", kLanguagesVlxMembers},
    InterfaceInfo{"ILanguage", GUID::Literal("{AAEEF89B-507E-4956-9B60-2A04D416EF60}"),
                  "Dispatch interface for Language Object", kLanguageVlxMembers},
    InterfaceInfo{"IPartsOfSpeech", GUID::Literal("{4AE3090B-8CA0-467C-B0DB-B15B2F357BF0}"), "",
                  kPartsOfSpeechMembers},
    InterfaceInfo{"IPartOfSpeech", GUID::Literal("{82CC8CBE-BBAC-4F08-969D-E2B2C74EB8D4}"), "",
                  kPartOfSpeechMembers},
    InterfaceInfo{"IWords", GUID::Literal("{0D80199D-D2AA-44A3-A5AA-9FF6ED92C376}"), "",
                  kWordsMembers},
    InterfaceInfo{"IWord", GUID::Literal("{B4175BA4-7C73-431F-B8BC-03CD9B0391EF}"), "",
                  kWordMembers},
    InterfaceInfo{"IActiveWord", GUID::Literal("{3ADFBA71-4FB2-426D-B558-D15EA5B35B95}"), "",
                  kActiveWordVlxMembers},
    InterfaceInfo{"IMorphology", GUID::Literal("{9FA1D86B-6B63-4942-9E0D-B0F8918E37D3}"), "",
                  kMorphologyMembers},
    InterfaceInfo{"IGuesses", GUID::Literal("{3DF1FD63-3FE5-4B45-8D20-5A71B77D1490}"), "",
                  kGuessesMembers},
    InterfaceInfo{"IGuess", GUID::Literal("{2A794218-D73A-49D8-9A6A-39E3E0951DFF}"), "",
                  kGuessMembers},
    InterfaceInfo{"IInflections", GUID::Literal("{37AC7EDC-FEA3-4A3F-A3AA-0E9262ABF2D8}"), "",
                  kInflectionsMembers},
    InterfaceInfo{"IInflection", GUID::Literal("{1736245C-C231-4311-8494-92A950EA1A97}"), "",
                  kInflectionMembers},
    InterfaceInfo{"ITenses", GUID::Literal("{25DDE9BE-B760-4449-ABED-30D4E3637E40}"), "",
                  kTensesMembers},
    InterfaceInfo{"ITense", GUID::Literal("{2734C36A-E21E-4018-B9E3-2D1AC7F75C55}"), "",
                  kTenseMembers},
    InterfaceInfo{"IBooks", GUID::Literal("{916417C2-1928-4C62-8C30-4FC4B8FF2A22}"), "",
                  kBooksMembers},
    InterfaceInfo{"IBook", GUID::Literal("{281A3DF8-E19A-4262-80A2-1656E2930079}"), "",
                  kBookMembers},
    InterfaceInfo{"ICountries", GUID::Literal("{1A6997A9-3A1C-438B-8C0D-10D55E982136}"), "",
                  kCountriesMembers},
    InterfaceInfo{"ICountry", GUID::Literal("{C8B5781E-C78C-4B24-8163-F540F74CDC07}"), "",
                  kCountryMembers},
    InterfaceInfo{"ISameTypes", GUID::Literal("{5A720FE2-540A-4331-9FAE-142F2045C467}"), "",
                  kSameTypesMembers},
    InterfaceInfo{"ISameType", GUID::Literal("{20A1FD5D-DE15-4DEE-8C5F-9B6EB7F03F58}"), "",
                  kSameTypeMembers},
    InterfaceInfo{"IRelatedWords", GUID::Literal("{4C5B878E-F306-45B1-A40B-04F4EE995956}"), "",
                  kRelatedWordsMembers},
    InterfaceInfo{"IRelatedWord", GUID::Literal("{8E14FAE7-EBC9-4217-AB8B-D04B52481A7D}"), "",
                  kRelatedWordMembers},
};

constexpr TypeLibrary kVlxLibrary{
    "Lexoro5vlx",
    GUID::Literal("{47EA14B9-8446-4B6C-8D6B-9F5105636ECB}"),
    "Lexoro Conjugator-Deconjugator Library",
    1,
    0,
    0x409,
    {{
        CoClassInfo{"Languages", GUID::Literal("{3BDA91F1-020E-48B8-BDB4-E6E3D771CD26}"),
                    &kVlxInterfaces[0], "Languages Collection Object", true},
        CoClassInfo{"Language", GUID::Literal("{07AD2164-DB4B-438D-B2F5-4D200D44F2E3}"),
                    &kVlxInterfaces[1], "Language Object", false},
        CoClassInfo{"PartsOfSpeech", GUID::Literal("{EA047687-F9B1-40DF-AA2A-0187EEB8C7D6}"),
                    &kVlxInterfaces[2], "", true},
        CoClassInfo{"PartOfSpeech", GUID::Literal("{40935294-F195-4342-9CC8-BF318D67EDB9}"),
                    &kVlxInterfaces[3], "", false},
        CoClassInfo{"Words", GUID::Literal("{E51A13FC-CC0A-40A1-9E4A-8C47779B2B1C}"),
                    &kVlxInterfaces[4], "", true},
        CoClassInfo{"Word", GUID::Literal("{7F906078-688A-4F37-9E13-758158C0A83A}"),
                    &kVlxInterfaces[5], "", false},
        CoClassInfo{"ActiveWord", GUID::Literal("{9C0FAC45-E3E4-4B38-AB5C-F292D7D10D63}"),
                    &kVlxInterfaces[6], "", false},
        CoClassInfo{"Morphology", GUID::Literal("{A5677089-BE75-4A2D-A050-A14C4A489C63}"),
                    &kVlxInterfaces[7], "", false},
        CoClassInfo{"Guesses", GUID::Literal("{95A5713B-7808-4363-80AF-984B1081E77E}"),
                    &kVlxInterfaces[8], "", false},
        CoClassInfo{"Guess", GUID::Literal("{C82AA482-A376-41B9-AF9D-8F0E9D5183F4}"),
                    &kVlxInterfaces[9], "", false},
        CoClassInfo{"Inflections", GUID::Literal("{74D2C337-7B78-4F6C-8B3C-87B8C9F5A711}"),
                    &kVlxInterfaces[10], "", false},
        CoClassInfo{"Inflection", GUID::Literal("{8C9BDB7F-6F69-4C61-A362-A952F238802E}"),
                    &kVlxInterfaces[11], "", false},
        CoClassInfo{"Tenses", GUID::Literal("{4ADD238A-FED1-43A0-A077-B0447FD3FE97}"),
                    &kVlxInterfaces[12], "", false},
        CoClassInfo{"Tense", GUID::Literal("{9B3397B6-D7FF-4379-B15B-FF4F3D395E6D}"),
                    &kVlxInterfaces[13], "", false},
        CoClassInfo{"Books", GUID::Literal("{E64169BD-942E-42C7-B08B-EF4A97BD8B72}"),
                    &kVlxInterfaces[14], "", false},
        CoClassInfo{"Book", GUID::Literal("{528A758A-1E25-452A-9CF7-AD17C6A1B584}"),
                    &kVlxInterfaces[15], "", false},
        CoClassInfo{"Countries", GUID::Literal("{0B0B5C8C-15C8-4200-9876-5DA0BF33A38E}"),
                    &kVlxInterfaces[16], "", true},
        CoClassInfo{"Country", GUID::Literal("{74FBCF3C-15C0-4DC7-8F3D-348B79CCCBD0}"),
                    &kVlxInterfaces[17], "", false},
        CoClassInfo{"SameTypes", GUID::Literal("{5FF4EAE4-178A-4D48-80AB-554511EAC2D2}"),
                    &kVlxInterfaces[18], "", false},
        CoClassInfo{"SameType", GUID::Literal("{FD7E2908-9139-42E7-BD4A-0B735F154A6F}"),
                    &kVlxInterfaces[19], "", false},
        CoClassInfo{"RelatedWords", GUID::Literal("{F1E5F836-E150-44D7-8238-7088450A724D}"),
                    &kVlxInterfaces[20], "", false},
        CoClassInfo{"RelatedWord", GUID::Literal("{7FD3286C-8623-4A55-AAA6-F6F840462259}"),
                    &kVlxInterfaces[21], "", false},
    }},
};

}  // namespace

const TypeLibrary& XmlTypeLibrary() noexcept { return kXmlLibrary; }
const TypeLibrary& VlxTypeLibrary() noexcept { return kVlxLibrary; }

}  // namespace flexel::engine
