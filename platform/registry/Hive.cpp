#include "platform/registry/Hive.h"

#include <algorithm>
#include <utility>

namespace varrow::registry
{

namespace
{

constexpr char kSeparator = '\\';

unsigned char foldCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Orders paths so that a key comes directly before its sub-keys: the separator sorts before
// every character that a name can hold.
unsigned char treeOrderRank(char c)
{
    return c == kSeparator ? 0 : foldCase(c);
}

bool comesBefore(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return treeOrderRank(x) < treeOrderRank(y);
    });
}

// The empty name, like a missing one, is the default value.
bool isDefaultValueName(const std::string* name)
{
    return !name || name->empty();
}

bool isSameValueName(const std::optional<std::string>& stored, const std::string* name)
{
    if (isDefaultValueName(name))
        return !stored;
    return stored && sameName(*stored, *name);
}

template <typename Values> auto valueNamed(Values& values, const std::string* name)
{
    return std::find_if(values.begin(), values.end(),
                        [&](const HiveValue& value) { return isSameValueName(value.name, name); });
}

} // namespace

bool sameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return foldCase(x) == foldCase(y); });
}

const HiveValue* HiveKey::findValue(const std::string* name) const
{
    const auto found = valueNamed(values, name);
    return found == values.end() ? nullptr : &*found;
}

void HiveKey::setValue(const std::string* name, std::string text)
{
    const auto found = valueNamed(values, name);
    if (found != values.end())
        found->text = std::move(text);
    else
        values.push_back(
            {isDefaultValueName(name) ? std::nullopt : std::optional<std::string>(*name),
             std::move(text)});
}

bool HiveKey::removeValue(const std::string* name)
{
    const auto found = valueNamed(values, name);
    if (found == values.end())
        return false;
    values.erase(found);
    return true;
}

Hive::Hive() : m_keys{HiveKey{}} {}

std::vector<HiveKey>::const_iterator Hive::position(std::string_view path) const
{
    return std::lower_bound(
        m_keys.begin(), m_keys.end(), path,
        [](const HiveKey& key, std::string_view wanted) { return comesBefore(key.path, wanted); });
}

const HiveKey* Hive::find(std::string_view path) const
{
    const auto found = position(path);
    return found != m_keys.end() && sameName(found->path, path) ? &*found : nullptr;
}

HiveKey* Hive::find(std::string_view path)
{
    return const_cast<HiveKey*>(std::as_const(*this).find(path));
}

HiveKey& Hive::ensure(std::string_view path)
{
    std::size_t end = 0;
    HiveKey* key = &m_keys.front();
    while (end < path.size()) {
        end = path.find(kSeparator, end + 1);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view prefix = path.substr(0, end);
        key = find(prefix);
        if (!key) {
            const auto at = m_keys.begin() + (position(prefix) - m_keys.cbegin());
            key = &*m_keys.insert(at, HiveKey{std::string(prefix), {}});
        }
    }
    return *key;
}

bool Hive::hasSubKeys(std::string_view path) const
{
    const auto next = position(path) + 1;
    if (next >= m_keys.end())
        return false;
    if (path.empty())
        return true;
    const std::string_view candidate = next->path;
    return candidate.size() > path.size() && candidate[path.size()] == kSeparator &&
           sameName(candidate.substr(0, path.size()), path);
}

void Hive::remove(std::string_view path)
{
    if (path.empty())
        return;
    const auto found = position(path);
    if (found != m_keys.end() && sameName(found->path, path))
        m_keys.erase(found);
}

} // namespace varrow::registry
