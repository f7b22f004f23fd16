#include "platform/registry/registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>

#include "platform/core/error.h"

namespace flexel::registry {
namespace detail {

// Hives are small; anything larger is not one of ours.
constexpr std::size_t kMaxHiveBytes = 64u << 20;

std::string SystemMessage(int error) { return std::strerror(error); }

// A file descriptor closed when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) noexcept : m_fd(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  [[nodiscard]] int get() const noexcept { return m_fd; }
  // Closing can report a failed write-back, so it is checked where it matters.
  [[nodiscard]] int Close() noexcept {
    const int result = ::close(m_fd);
    m_fd = -1;
    return result;
  }

 private:
  int m_fd;
};

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/' || path[i] == '\\') {
      if (i > start) parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

bool ValidUtf8(std::string_view s) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(s.data());
  const std::int32_t length = static_cast<std::int32_t>(s.size());
  for (std::int32_t i = 0; i < length;) {
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) return false;
  }
  return true;
}

struct CacheEntry {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};
  std::shared_ptr<const Key> root;
};

std::mutex g_mutex;
std::string g_folder;  // set by the program; empty = from the environment
std::map<std::string, CacheEntry> g_cache;

bool SameStamp(const CacheEntry& e, const struct stat& st) {
  return e.device == st.st_dev && e.inode == st.st_ino && e.size == st.st_size &&
         e.modified.tv_sec == st.st_mtim.tv_sec && e.modified.tv_nsec == st.st_mtim.tv_nsec &&
         e.changed.tv_sec == st.st_ctim.tv_sec && e.changed.tv_nsec == st.st_ctim.tv_nsec;
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The whole file, or nullopt when it does not exist.
std::optional<std::string> ReadWholeFile(const std::string& path, struct stat* st) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw FileError(path + ": " + SystemMessage(errno));
  }
  if (::fstat(fd.get(), st) != 0) throw FileError(path + ": " + SystemMessage(errno));
  if (!S_ISREG(st->st_mode)) throw FileError(path + ": not a regular file");
  if (static_cast<std::uint64_t>(st->st_size) > kMaxHiveBytes)
    throw FileError(path + ": hive larger than " + std::to_string(kMaxHiveBytes) + " bytes");
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(path + ": " + SystemMessage(errno));
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
    if (text.size() > kMaxHiveBytes)
      throw FileError(path + ": hive larger than " + std::to_string(kMaxHiveBytes) + " bytes");
  }
  return text;
}

void WriteAll(int fd, std::string_view data, const std::string& path) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(path + ": " + SystemMessage(errno));
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
}

// Writes the file whole: a temporary file beside it, flushed, then renamed over it.
void ReplaceFile(const std::string& path, std::string_view text) {
  const auto slash = path.find_last_of('/');
  const std::string folder = path.substr(0, slash + 1);
  std::string temp = folder + "." + path.substr(slash + 1) + ".XXXXXX";
  FileDescriptor fd(::mkstemp(temp.data()));
  if (fd.get() < 0) throw FileError(path + ": " + SystemMessage(errno));
  try {
    ::fchmod(fd.get(), 0644);
    WriteAll(fd.get(), text, temp);
    if (::fsync(fd.get()) != 0) throw FileError(temp + ": " + SystemMessage(errno));
    if (fd.Close() != 0) throw FileError(temp + ": " + SystemMessage(errno));
    if (::rename(temp.c_str(), path.c_str()) != 0)
      throw FileError(path + ": " + SystemMessage(errno));
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
}

std::string Escape(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 2);
  for (char c : s) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

class HiveParser {
 public:
  HiveParser(std::string_view text, std::string_view rootName, const std::string& fileName)
      : m_text(text), m_rootName(rootName), m_fileName(fileName) {}

  Key Parse() {
    Key root{std::string(m_rootName)};
    Key* current = nullptr;
    bool sawHeader = false;
    std::size_t pos = 0;
    if (m_text.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;
    while (pos < m_text.size()) {
      ++m_line;
      std::size_t end = m_text.find('\n', pos);
      if (end == std::string_view::npos) end = m_text.size();
      std::string_view line = m_text.substr(pos, end - pos);
      pos = end + 1;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (!ValidUtf8(line)) Fail("text is not UTF-8");
      if (!sawHeader) {
        if (line != "REGEDIT4") Fail("expected \"REGEDIT4\"");
        sawHeader = true;
        continue;
      }
      if (line.empty() || line.front() == ';') continue;
      if (line.front() == '[') {
        current = &Section(root, line);
      } else {
        if (!current) Fail("value outside of a key");
        ParseValue(*current, line);
      }
    }
    if (!sawHeader) {
      m_line = 1;
      Fail("expected \"REGEDIT4\"");
    }
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    throw FileError(m_fileName + ":" + std::to_string(m_line) + ": " + reason);
  }

  Key& Section(Key& root, std::string_view line) {
    if (line.size() < 2 || line.back() != ']') Fail("key line without closing \"]\"");
    std::string_view path = line.substr(1, line.size() - 2);
    if (!path.empty() && path.front() == '-') Fail("key deletion has no place in a hive");
    const auto separator = path.find('\\');
    const std::string_view top = path.substr(0, separator);
    if (!SameName(top, m_rootName)) Fail("key outside of " + std::string(m_rootName));
    if (separator == std::string_view::npos) return root;
    const std::string_view rest = path.substr(separator + 1);
    if (rest.empty() || rest.back() == '\\' || rest.find("\\\\") != std::string_view::npos ||
        rest.find('/') != std::string_view::npos)
      Fail("malformed key name");
    return root.Create(rest);
  }

  std::string QuotedString(std::string_view line, std::size_t& i) {
    // line[i] is the opening quote.
    std::string out;
    for (++i; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '"') {
        ++i;
        return out;
      }
      if (c == '\\') {
        if (++i == line.size()) break;
        switch (line[i]) {
          case '\\':
            out += '\\';
            break;
          case '"':
            out += '"';
            break;
          case 'n':
            out += '\n';
            break;
          case 'r':
            out += '\r';
            break;
          default:
            Fail(std::string("unknown escape \"\\") + line[i] + "\"");
        }
      } else {
        out += c;
      }
    }
    Fail("unterminated string");
  }

  void ParseValue(Key& key, std::string_view line) {
    std::size_t i = 0;
    std::string name;
    if (line.front() == '@') {
      i = 1;
    } else if (line.front() == '"') {
      name = QuotedString(line, i);
      if (name.empty()) Fail("empty value name");
    } else {
      Fail("expected a value or a key");
    }
    if (i >= line.size() || line[i] != '=') Fail("expected \"=\" after the value name");
    ++i;
    if (i < line.size() && line[i] == '"') {
      std::string data = QuotedString(line, i);
      if (i != line.size()) Fail("text after the value");
      key.SetString(name, std::move(data));
      return;
    }
    const std::string_view rest = line.substr(i);
    if (rest.substr(0, 6) == "dword:") {
      const std::string_view digits = rest.substr(6);
      if (digits.empty() || digits.size() > 8) Fail("malformed dword value");
      std::uint32_t value = 0;
      for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
          d = c - '0';
        else if (c >= 'a' && c <= 'f')
          d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
          d = c - 'A' + 10;
        else
          Fail("malformed dword value");
        value = value * 16 + static_cast<std::uint32_t>(d);
      }
      key.SetInteger(name, value);
      return;
    }
    Fail("unsupported value type");
  }

  std::string_view m_text;
  std::string_view m_rootName;
  const std::string& m_fileName;
  int m_line = 0;
};

void FormatSection(const Key& key, const std::string& path, std::string& out) {
  out += "\n[" + path + "]\n";
  for (const auto& value : key.Values()) {
    out += value.name.empty() ? std::string("@") : "\"" + Escape(value.name) + "\"";
    out += '=';
    if (const auto* text = std::get_if<std::string>(&value.data)) {
      out += "\"" + Escape(*text) + "\"\n";
    } else {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "dword:%08x",
                    static_cast<unsigned>(std::get<std::uint32_t>(value.data)));
      out += buffer;
      out += '\n';
    }
  }
}

void FormatKey(const Key& key, const std::string& path, std::string& out) {
  FormatSection(key, path, out);
  for (const auto& sub : key.SubKeys()) FormatKey(*sub, path + "\\" + sub->Name(), out);
}

void CheckName(std::string_view name) {
  if (name.find('\n') != std::string_view::npos || name.find('\r') != std::string_view::npos)
    throw Error("A registry name cannot hold a line break");
}

}  // namespace detail

bool SameName(std::string_view a, std::string_view b) {
  bool ascii = true;
  if (a.size() == b.size()) {
    for (std::size_t i = 0; i < a.size() && ascii; ++i) {
      unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
      if (x >= 0x80 || y >= 0x80) {
        ascii = false;
        break;
      }
      if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
      if (x != y) return false;
    }
    if (ascii) return true;
  }
  const auto ua =
      icu::UnicodeString::fromUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())));
  const auto ub =
      icu::UnicodeString::fromUTF8(icu::StringPiece(b.data(), static_cast<int32_t>(b.size())));
  return ua.caseCompare(ub, U_FOLD_CASE_DEFAULT) == 0;
}

Key::Key(const Key& other) : m_name(other.m_name), m_values(other.m_values) {
  m_subKeys.reserve(other.m_subKeys.size());
  for (const auto& sub : other.m_subKeys) m_subKeys.push_back(std::make_unique<Key>(*sub));
}

Key& Key::operator=(const Key& other) {
  if (this != &other) *this = Key(other);
  return *this;
}

Key* Key::Child(std::string_view name) const {
  for (const auto& sub : m_subKeys)
    if (SameName(sub->m_name, name)) return sub.get();
  return nullptr;
}

const Key* Key::Find(std::string_view path) const {
  const Key* key = this;
  for (auto part : detail::SplitPath(path)) {
    key = key->Child(part);
    if (!key) return nullptr;
  }
  return key;
}

Key* Key::Find(std::string_view path) {
  return const_cast<Key*>(static_cast<const Key*>(this)->Find(path));
}

Key& Key::Create(std::string_view path) {
  Key* key = this;
  for (auto part : detail::SplitPath(path)) {
    Key* child = key->Child(part);
    if (!child) {
      detail::CheckName(part);
      key->m_subKeys.push_back(std::make_unique<Key>(std::string(part)));
      child = key->m_subKeys.back().get();
    }
    key = child;
  }
  return *key;
}

bool Key::Delete(std::string_view path) {
  auto parts = detail::SplitPath(path);
  if (parts.empty()) return false;
  const std::string_view last = parts.back();
  parts.pop_back();
  Key* parent = this;
  for (auto part : parts) {
    parent = parent->Child(part);
    if (!parent) return false;
  }
  auto& subs = parent->m_subKeys;
  for (auto it = subs.begin(); it != subs.end(); ++it) {
    if (SameName((*it)->m_name, last)) {
      subs.erase(it);
      return true;
    }
  }
  return false;
}

std::vector<std::string> Key::SubKeyNames() const {
  std::vector<std::string> names;
  names.reserve(m_subKeys.size());
  for (const auto& sub : m_subKeys) names.push_back(sub->m_name);
  return names;
}

std::optional<std::string> Key::GetString(std::string_view name) const {
  for (const auto& v : m_values)
    if (SameName(v.name, name)) {
      if (const auto* text = std::get_if<std::string>(&v.data)) return *text;
      return std::nullopt;
    }
  return std::nullopt;
}

std::optional<std::uint32_t> Key::GetInteger(std::string_view name) const {
  for (const auto& v : m_values)
    if (SameName(v.name, name)) {
      if (const auto* number = std::get_if<std::uint32_t>(&v.data)) return *number;
      return std::nullopt;
    }
  return std::nullopt;
}

void Key::SetString(std::string_view name, std::string value) {
  detail::CheckName(name);
  for (auto& v : m_values)
    if (SameName(v.name, name)) {
      v.data = std::move(value);
      return;
    }
  m_values.push_back({std::string(name), std::move(value)});
}

void Key::SetInteger(std::string_view name, std::uint32_t value) {
  detail::CheckName(name);
  for (auto& v : m_values)
    if (SameName(v.name, name)) {
      v.data = value;
      return;
    }
  m_values.push_back({std::string(name), value});
}

bool Key::DeleteValue(std::string_view name) {
  for (auto it = m_values.begin(); it != m_values.end(); ++it)
    if (SameName(it->name, name)) {
      m_values.erase(it);
      return true;
    }
  return false;
}

std::string_view HiveName(Hive hive) noexcept {
  return hive == Hive::kClassesRoot ? "HKEY_CLASSES_ROOT" : "HKEY_CURRENT_USER";
}

void SetRegistryFolder(std::string folder) {
  std::lock_guard lock(detail::g_mutex);
  detail::g_folder = detail::WithSlash(std::move(folder));
}

std::string RegistryFolder() {
  {
    std::lock_guard lock(detail::g_mutex);
    if (!detail::g_folder.empty()) return detail::g_folder;
  }
  if (const char* env = std::getenv("FLEXEL_REGISTRY"); env && *env) return detail::WithSlash(env);
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    return detail::WithSlash(xdg) + "flexel/registry/";
  const char* home = std::getenv("HOME");
  return detail::WithSlash(home && *home ? home : ".") + ".config/flexel/registry/";
}

std::string HivePath(Hive hive) { return RegistryFolder() + std::string(HiveName(hive)) + ".reg"; }

Key ParseHive(std::string_view text, std::string_view rootName, const std::string& fileName) {
  return detail::HiveParser(text, rootName, fileName).Parse();
}

std::string FormatHive(const Key& root, std::string_view rootName) {
  std::string out = "REGEDIT4\n";
  const std::string top(rootName);
  // The root's own section only when it holds values; every other key has its section, so
  // empty keys survive a round trip.
  if (!root.Values().empty()) detail::FormatSection(root, top, out);
  for (const auto& sub : root.SubKeys()) detail::FormatKey(*sub, top + "\\" + sub->Name(), out);
  return out;
}

std::shared_ptr<const Key> ReadHive(Hive hive) {
  const std::string path = HivePath(hive);
  struct stat st {};
  {
    std::lock_guard lock(detail::g_mutex);
    auto it = detail::g_cache.find(path);
    if (it != detail::g_cache.end() && ::stat(path.c_str(), &st) == 0 &&
        detail::SameStamp(it->second, st))
      return it->second.root;
  }
  const auto text = detail::ReadWholeFile(path, &st);
  if (!text) return std::make_shared<const Key>(std::string(HiveName(hive)));
  auto root = std::make_shared<const Key>(ParseHive(*text, HiveName(hive), path));
  std::lock_guard lock(detail::g_mutex);
  detail::g_cache[path] = {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim, root};
  return root;
}

void UpdateHive(Hive hive, const std::function<void(Key& root)>& edit) {
  const std::string folder = RegistryFolder();
  const std::string path = HivePath(hive);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw FileError(folder + ": " + ec.message());
  const std::string lockPath = path + ".lock";
  detail::FileDescriptor lockFd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
  if (lockFd.get() < 0) throw FileError(lockPath + ": " + detail::SystemMessage(errno));
  while (::flock(lockFd.get(), LOCK_EX) != 0) {
    if (errno != EINTR) throw FileError(lockPath + ": " + detail::SystemMessage(errno));
  }
  // The lock is released when lockFd closes, after the new hive is in place.
  struct stat st {};
  const auto text = detail::ReadWholeFile(path, &st);
  Key root = text ? ParseHive(*text, HiveName(hive), path) : Key(std::string(HiveName(hive)));
  edit(root);
  detail::ReplaceFile(path, FormatHive(root, HiveName(hive)));
  std::lock_guard lock(detail::g_mutex);
  detail::g_cache.erase(path);
}

}  // namespace flexel::registry
