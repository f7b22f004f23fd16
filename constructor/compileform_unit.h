#pragma once
// The compiler of project sources into VLX files, free of any window: the compile window only
// shows the log lines it hands to its sink. For each project it checks (and with auto-correct
// repairs) the picture references, stores the pictures, writes one page stream per form line
// and the header, tense, index, size and marker streams, then reads the file back to verify it.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "constructor/vlx_writer.h"

namespace flexel {

// Receives each log line as it is produced (a tab is a tab character).
using CompileLog = std::function<void(const std::string& line)>;

class TCompileForm {
 public:
  explicit TCompileForm(CompileLog log);

  // Copied from "Auto-correct compile errors." when a run starts; on by default.
  void SetAutoCorrect(bool on) noexcept { m_autoCorrect = on; }
  [[nodiscard]] bool AutoCorrect() const noexcept { return m_autoCorrect; }

  // Compiles the files one after the other. The first error ends the batch: it is thrown after
  // what can be written has been written, and the later files are not compiled.
  void CompileFiles(const std::vector<std::string>& sourcePaths);
  // Compiles one project source into the file of the same name with the extension ".vlx".
  void CompileProject(const std::string& sourcePath);

  // Loads the project source and checks every picture reference of its pages.
  void CheckPictures(const std::string& sourcePath);
  // The piece with its reference corrected where the picture was found elsewhere; foundPath is
  // the picture's path, empty when there is none or it cannot be found.
  [[nodiscard]] std::string CheckPicture(const std::string& piece, std::string& foundPath);
  void StorePictures();
  // page with every full picture path inside IMG and EMBED tags replaced by its stream name.
  [[nodiscard]] std::string MapPictureReferences(const std::string& page) const;
  // "lexoro5vlx" + picture number + the picture file's extension.
  [[nodiscard]] std::string PictureStreamName(std::size_t number) const;

  [[nodiscard]] const std::string& VlxFileName() const noexcept { return m_vlxFileName; }
  [[nodiscard]] const std::vector<std::string>& SourceLines() const noexcept {
    return m_sourceLines;
  }
  [[nodiscard]] const std::vector<std::string>& Pictures() const noexcept { return m_pictures; }

 private:
  class Reader;

  void log(const std::string& line) const;
  void addPicture(const std::string& path);
  void verify();

  CompileLog m_log;
  bool m_autoCorrect = true;
  std::string m_vlxFileName;
  std::unique_ptr<TVlxWriter> m_writer;
  std::vector<std::string> m_sourceLines;
  std::vector<std::string> m_pictures;  // sorted without regard to case, no duplicates
  std::vector<std::string> m_headerLines;
  std::vector<std::string> m_tenseLines;
  std::vector<std::string> m_wordIndex;
};

}  // namespace flexel
