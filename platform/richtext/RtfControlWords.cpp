#include "platform/richtext/RtfControlWords.h"

#include <algorithm>
#include <array>
#include <utility>

namespace varrow::rtf
{
namespace
{

constexpr auto kSkippedDestinations = std::to_array<std::string_view>({
    "aftncn",    "aftnsep",   "aftnsepc",  "annotation",   "atnauthor",
    "atndate",   "atnicn",    "atnid",     "atnparent",    "atnref",
    "atntime",   "atrfend",   "atrfstart", "author",       "background",
    "bkmkend",   "bkmkstart", "buptim",    "category",     "colorschememapping",
    "comment",   "company",   "creatim",   "datafield",    "datastore",
    "do",        "doccomm",   "docvar",    "falt",         "fldinst",
    "fontemb",   "fontfile",  "footer",    "footerf",      "footerl",
    "footerr",   "footnote",  "ftncn",     "ftnsep",       "ftnsepc",
    "generator", "header",    "headerf",   "headerl",      "headerr",
    "hlinkbase", "info",      "keywords",  "latentstyles", "listoverridetable",
    "listtable", "manager",   "mmathPr",   "nonesttables", "nonshppict",
    "objdata",   "operator",  "panose",    "pgdsctbl",     "pn",
    "pnseclvl",  "pntxta",    "pntxtb",    "printim",      "private",
    "revtbl",    "revtim",    "rsidtbl",   "shpinst",      "stylesheet",
    "subject",   "tc",        "tcn",       "template",     "themedata",
    "title",     "txe",       "userprops", "xe",           "xmlnstbl",
});

constexpr auto kUnderlineWords = std::to_array<std::string_view>({
    "ul",
    "uld",
    "uldash",
    "uldashd",
    "uldashdd",
    "uldb",
    "ulhwave",
    "ulldash",
    "ulth",
    "ulthd",
    "ulthdash",
    "ulthdashd",
    "ulthdashdd",
    "ulthldash",
    "ululdbwave",
    "ulw",
    "ulwave",
});

constexpr std::array<std::pair<std::string_view, char32_t>, 16> kCharacterWords{{
    {"bullet", 0x2022},
    {"emdash", 0x2014},
    {"emspace", 0x2003},
    {"endash", 0x2013},
    {"enspace", 0x2002},
    {"ldblquote", 0x201C},
    {"lquote", 0x2018},
    {"ltrmark", 0x200E},
    {"qmspace", 0x2005},
    {"rdblquote", 0x201D},
    {"rquote", 0x2019},
    {"rtlmark", 0x200F},
    {"zwbo", 0x200B},
    {"zwj", 0x200D},
    {"zwnj", 0x200C},
    {"tab", U'\t'},
}};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& words, std::string_view word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

} // namespace

bool isSkippedDestination(std::string_view word)
{
    return contains(kSkippedDestinations, word);
}

std::optional<char32_t> characterOfWord(std::string_view word)
{
    for (const auto& [name, character] : kCharacterWords) {
        if (name == word)
            return character;
    }
    return std::nullopt;
}

std::optional<char32_t> characterOfSymbol(char symbol)
{
    switch (symbol) {
    case '~':
        return 0x00A0; // no-break space
    case '_':
        return 0x2011; // no-break hyphen
    case '-':
        return 0x00AD; // soft hyphen
    default:
        return std::nullopt;
    }
}

bool isUnderlineWord(std::string_view word)
{
    return contains(kUnderlineWords, word);
}

} // namespace varrow::rtf
