#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varrow::registry
{

// Whether two key or value names are the same name: the registry compares them ignoring case.
bool sameName(std::string_view a, std::string_view b);

// One string value; a missing name is the key's default value (which the empty name also names).
struct HiveValue {
    std::optional<std::string> name;
    std::string text;
};

// One key: its path below the root ("A\B", the root itself is "") and its values in the order
// in which they were first written.
struct HiveKey {
    std::string path;
    std::vector<HiveValue> values;

    // The value called `name` (null or empty: the default value), or null when there is none.
    const HiveValue* findValue(const std::string* name) const;
    // Replaces the value's text, or appends the value when the key does not have it yet.
    void setValue(const std::string* name, std::string text);
    // Removes the value; false when the key does not have it.
    bool removeValue(const std::string* name);
};

// The keys of one root in memory. The root always exists, every key's parent exists, and the keys
// are kept in tree order (each key directly followed by its sub-keys, siblings sorted by name
// ignoring case), which is the order in which they are written out.
class Hive
{
public:
    Hive();

    // The key at `path`, or null when there is none.
    HiveKey* find(std::string_view path);
    const HiveKey* find(std::string_view path) const;
    // The key at `path`, created with any missing keys on the way when it does not exist.
    HiveKey& ensure(std::string_view path);
    // Whether the key at `path` (which must exist) has sub-keys.
    bool hasSubKeys(std::string_view path) const;
    // Removes the key at `path` with its values; its sub-keys must be gone already. The root
    // cannot be removed.
    void remove(std::string_view path);

    const std::vector<HiveKey>& keys() const { return m_keys; }

private:
    std::vector<HiveKey>::const_iterator position(std::string_view path) const;

    std::vector<HiveKey> m_keys;
};

} // namespace varrow::registry
