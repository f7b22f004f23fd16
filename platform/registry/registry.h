#pragma once
// Hierarchical keys with a default value and named text or integer values, kept in two hives,
// HKEY_CLASSES_ROOT (class registration) and HKEY_CURRENT_USER (settings). Each hive is a
// REGEDIT4-style text file in the registry folder, replaced whole under an advisory lock, so
// readers never see half a hive and concurrent writers do not lose each other's changes.
// Key and value names compare without regard to case; sub-keys keep the order they were made.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace flexel::registry {

enum class Hive { kClassesRoot, kCurrentUser };

// "HKEY_CLASSES_ROOT" or "HKEY_CURRENT_USER": the root name inside the file and its file name.
[[nodiscard]] std::string_view HiveName(Hive hive) noexcept;

// The folder a program was given (--registry DIR); empty returns to the default, which is
// $FLEXEL_REGISTRY, else $XDG_CONFIG_HOME/flexel/registry/ (~/.config when XDG_CONFIG_HOME is
// unset).
void SetRegistryFolder(std::string folder);
// The registry folder, ending in "/".
[[nodiscard]] std::string RegistryFolder();
// RegistryFolder() + HiveName(hive) + ".reg".
[[nodiscard]] std::string HivePath(Hive hive);

using ValueData = std::variant<std::string, std::uint32_t>;

struct Value {
  std::string name;  // empty for the default value
  ValueData data;
};

class Key {
 public:
  explicit Key(std::string name = {}) : m_name(std::move(name)) {}
  Key(const Key& other);
  Key& operator=(const Key& other);
  Key(Key&&) noexcept = default;
  Key& operator=(Key&&) noexcept = default;

  [[nodiscard]] const std::string& Name() const noexcept { return m_name; }

  // A path names a descendant: names separated by "/" or "\"; the empty path is this key.
  [[nodiscard]] const Key* Find(std::string_view path) const;
  [[nodiscard]] Key* Find(std::string_view path);
  // The descendant, created with every missing key on the way.
  Key& Create(std::string_view path);
  // Removes the descendant and everything below it; false when it does not exist.
  bool Delete(std::string_view path);
  [[nodiscard]] const std::vector<std::unique_ptr<Key>>& SubKeys() const noexcept {
    return m_subKeys;
  }
  [[nodiscard]] std::vector<std::string> SubKeyNames() const;

  // Value "" is the default value. A value of the other type reads as absent.
  [[nodiscard]] std::optional<std::string> GetString(std::string_view name) const;
  [[nodiscard]] std::optional<std::uint32_t> GetInteger(std::string_view name) const;
  [[nodiscard]] std::string DefaultValue() const { return GetString("").value_or(""); }
  void SetString(std::string_view name, std::string value);
  void SetInteger(std::string_view name, std::uint32_t value);
  void SetDefault(std::string value) { SetString("", std::move(value)); }
  bool DeleteValue(std::string_view name);
  [[nodiscard]] const std::vector<Value>& Values() const noexcept { return m_values; }

 private:
  Key* Child(std::string_view name) const;

  std::string m_name;
  std::vector<Value> m_values;
  std::vector<std::unique_ptr<Key>> m_subKeys;
};

// Names equal without regard to case (full Unicode case folding).
[[nodiscard]] bool SameName(std::string_view a, std::string_view b);

// The hive as it is now; a hive file that does not exist is an empty hive. A file that does
// not parse throws FileError naming the file and line. Parsed hives are shared while the file
// is unchanged.
[[nodiscard]] std::shared_ptr<const Key> ReadHive(Hive hive);
// Reads the hive afresh under its lock, lets edit change it and writes it back whole.
void UpdateHive(Hive hive, const std::function<void(Key& root)>& edit);

// The text form. fileName is only for messages ("<file>:<line>: <reason>").
[[nodiscard]] Key ParseHive(std::string_view text, std::string_view rootName,
                            const std::string& fileName);
[[nodiscard]] std::string FormatHive(const Key& root, std::string_view rootName);

}  // namespace flexel::registry
