#include "platform/registry/HiveText.h"

#include "platform/textfile/HexDigit.h"

#include <optional>

namespace varrow::registry
{

namespace
{

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHexStringPrefix = "hex(1):";
constexpr char kHexDigits[] = "0123456789abcdef";

bool needsHex(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

void appendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

void appendHexString(std::string& out, std::string_view text)
{
    out += kHexStringPrefix;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 0xF];
        out += ',';
    }
    out += "00";
}

std::string_view withoutTrailingBlanks(std::string_view line)
{
    const std::size_t end = line.find_last_not_of(" \t");
    return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

// Reads the lines of one file and fills the hive; each method returns false with `m_error` set.
class Parser
{
public:
    Parser(std::string_view rootName, Hive& hive, HiveTextError& error)
        : m_rootName(rootName), m_hive(hive), m_error(error)
    {
    }

    bool parse(std::string_view text)
    {
        if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            text.remove_prefix(kByteOrderMark.size());
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find_first_of("\r\n", start);
            if (end == std::string_view::npos)
                end = text.size();
            ++m_lineNumber;
            if (!parseLine(withoutTrailingBlanks(text.substr(start, end - start))))
                return false;
            start = end;
            if (start < text.size() && text[start] == '\r')
                ++start;
            if (start < text.size() && text[start] == '\n')
                ++start;
        }
        if (m_lineNumber == 0)
            return fail("the file is empty");
        return true;
    }

private:
    bool fail(std::string reason)
    {
        m_error.line = m_lineNumber == 0 ? 1 : m_lineNumber;
        m_error.reason = std::move(reason);
        return false;
    }

    bool parseLine(std::string_view line)
    {
        if (m_lineNumber == 1)
            return line == kHiveTextHeader ||
                   fail("expected \"" + std::string(kHiveTextHeader) + "\"");
        if (line.empty())
            return true;
        if (line.front() == '[')
            return parseKeyLine(line);
        if (line.front() == '@' || line.front() == '"')
            return parseValueLine(line);
        return fail("expected a [key] line or a value line");
    }

    bool parseKeyLine(std::string_view line)
    {
        if (line.back() != ']' || line.size() < 2)
            return fail("a key line must end with ]");
        const std::string_view fullPath = line.substr(1, line.size() - 2);
        const bool belowRoot =
            sameName(fullPath.substr(0, m_rootName.size()), m_rootName) &&
            (fullPath.size() == m_rootName.size() || fullPath[m_rootName.size()] == '\\');
        if (!belowRoot)
            return fail("key \"" + std::string(fullPath) + "\" is not below " +
                        std::string(m_rootName));
        const std::string_view path =
            fullPath.substr(std::min(fullPath.size(), m_rootName.size() + 1));
        if (!path.empty() && (path.front() == '\\' || path.back() == '\\' ||
                              path.find("\\\\") != std::string_view::npos))
            return fail("key \"" + std::string(fullPath) + "\" has an empty name in its path");
        m_key = &m_hive.ensure(path);
        return true;
    }

    bool parseValueLine(std::string_view line)
    {
        if (!m_key)
            return fail("a value before the first [key] line");
        std::size_t at = 0;
        std::optional<std::string> name;
        if (line.front() == '@') {
            at = 1;
        } else {
            name.emplace();
            if (!readQuoted(line, at, *name))
                return false;
        }
        if (at >= line.size() || line[at] != '=')
            return fail("expected = after the value name");
        std::string text;
        if (!readData(line.substr(at + 1), text))
            return false;
        m_key->setValue(name ? &*name : nullptr, std::move(text));
        return true;
    }

    // Reads the quoted string that starts at `at`, leaving `at` just after its closing quote.
    bool readQuoted(std::string_view line, std::size_t& at, std::string& text)
    {
        for (++at; at < line.size(); ++at) {
            char c = line[at];
            if (c == '"') {
                ++at;
                return true;
            }
            if (c == '\\') {
                if (++at == line.size())
                    break;
                c = line[at];
                if (c != '\\' && c != '"')
                    return fail(std::string("unknown escape \\") + c);
            }
            text += c;
        }
        return fail("a quoted string has no closing quote");
    }

    bool readData(std::string_view data, std::string& text)
    {
        if (!data.empty() && data.front() == '"') {
            std::size_t at = 0;
            if (!readQuoted(data, at, text))
                return false;
            return at == data.size() || fail("unexpected text after the closing quote");
        }
        if (data.substr(0, kHexStringPrefix.size()) == kHexStringPrefix)
            return readHexString(data.substr(kHexStringPrefix.size()), text);
        return fail("only string values can be stored");
    }

    bool readHexString(std::string_view bytes, std::string& text)
    {
        std::size_t start = 0;
        while (true) {
            std::size_t end = bytes.find(',', start);
            if (end == std::string_view::npos)
                end = bytes.size();
            const std::string_view digits = bytes.substr(start, end - start);
            const int high = digits.size() == 2 ? hexDigitValue(digits[0]) : -1;
            const int low = digits.size() == 2 ? hexDigitValue(digits[1]) : -1;
            if (high < 0 || low < 0)
                return fail("hex(1): data must be bytes of two hex digits separated by commas");
            text += static_cast<char>(high * 16 + low);
            if (end == bytes.size())
                break;
            start = end + 1;
        }
        if (text.back() != '\0')
            return fail("hex(1): data must end with the terminating 00");
        text.pop_back();
        return true;
    }

    std::string_view m_rootName;
    Hive& m_hive;
    HiveTextError& m_error;
    HiveKey* m_key = nullptr;
    std::size_t m_lineNumber = 0;
};

} // namespace

bool parseHiveText(std::string_view text, std::string_view rootName, Hive& hive,
                   HiveTextError& error)
{
    return Parser(rootName, hive, error).parse(text);
}

std::string formatHiveText(const Hive& hive, std::string_view rootName)
{
    std::string out(kHiveTextHeader);
    out += kLineEnd;
    out += kLineEnd;
    for (const HiveKey& key : hive.keys()) {
        if (key.path.empty() && key.values.empty())
            continue;
        out += '[';
        out += rootName;
        if (!key.path.empty())
            out.append("\\").append(key.path);
        out += ']';
        out += kLineEnd;
        for (const HiveValue& value : key.values) {
            if (value.name)
                appendQuoted(out, *value.name);
            else
                out += '@';
            out += '=';
            if (needsHex(value.text))
                appendHexString(out, value.text);
            else
                appendQuoted(out, value.text);
            out += kLineEnd;
        }
        out += kLineEnd;
    }
    return out;
}

bool isStorableName(std::string_view name)
{
    return !needsHex(name);
}

} // namespace varrow::registry
