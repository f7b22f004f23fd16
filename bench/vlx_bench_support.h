#pragma once
// Generated VLX inputs for the benchmarks, written once into a temporary folder per process.

#include <unistd.h>

#include <filesystem>
#include <string>

namespace flexel::bench {

inline std::filesystem::path BenchFolder() {
  static const std::filesystem::path folder = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("flexel_bench_vlx_" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

// A made-up word that sorts nowhere near its neighbours: "w" + the number in base 26 letters.
inline std::string BenchWord(int n) {
  std::string word = "w";
  do {
    word += static_cast<char>('a' + n % 26);
    n /= 26;
  } while (n > 0);
  return word;
}

// A conjugation page of six rows, the size of a typical table page.
inline std::string BenchPage(const std::string& word, int tense) {
  std::string page =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
      "<link rel=\"stylesheet\" href=\"style.css\"><title></title></head><body><table>";
  static const char* const pronouns[] = {"I", "you", "he", "we", "you", "they"};
  for (const char* pronoun : pronouns) {
    page += "<tr><td class=\"pronoun\">" + std::string(pronoun) + "</td><td>" + word + "-" +
            std::to_string(tense) + "</td></tr>";
  }
  return page + "</table></body></html>";
}

}  // namespace flexel::bench
