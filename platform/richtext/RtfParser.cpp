#include "platform/richtext/RtfParser.h"

#include "platform/richtext/CodePages.h"
#include "platform/richtext/DocumentBuilder.h"
#include "platform/richtext/PictureBuilder.h"
#include "platform/richtext/RtfControlWords.h"
#include "platform/richtext/RtfLexer.h"
#include "platform/richtext/RtfTables.h"
#include "platform/richtext/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace varrow::rtf
{
namespace
{

constexpr int kMinHalfPoints = 4; // 2 point, the least that a super- or subscript still shows
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxIndentTwips = 31680;
constexpr int kMaxUnicodeSkip = 16;
constexpr std::string_view kUtf8ByteOrderMark{"\xEF\xBB\xBF"};

enum class Destination { Body, Skip, FontTable, ColourTable, Picture };

// The character properties of a group, with fonts and colours still as table numbers.
struct CharState {
    int font = -1; // -1: the document's default font
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    VerticalPosition vertical = VerticalPosition::Baseline;
    int colour = 0;
    int background = 0;
};

// What a group starts with, and "}" restores.
struct GroupState {
    Destination destination = Destination::Body;
    CharState chars;
    ParagraphFormat paragraph;
    int unicodeSkip = 1;
};

bool isHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Control characters, other than tab and line break, and non-characters never reach the model.
bool isShownCharacter(char32_t c)
{
    if (c == U'\t' || c == U'\n')
        return true;
    return c >= 0x20 && !(c >= 0x7F && c <= 0x9F) && c != 0xFEFF && c != 0xFFFE && c != 0xFFFF;
}

bool isShownByte(char c)
{
    return c == '\t' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
}

bool isBlank(std::string_view text)
{
    return text.find_first_not_of(std::string_view(" \t\0", 3)) == std::string_view::npos;
}

bool onOff(const RtfToken& token)
{
    return !token.hasParameter || token.parameter != 0;
}

int clampedTwips(const RtfToken& token, int low)
{
    return std::clamp(token.hasParameter ? token.parameter : 0, low, kMaxIndentTwips);
}

FontGeneric genericOfWord(std::string_view word)
{
    if (word == "froman")
        return FontGeneric::Serif;
    if (word == "fswiss")
        return FontGeneric::SansSerif;
    if (word == "fmodern")
        return FontGeneric::Monospace;
    if (word == "fscript")
        return FontGeneric::Script;
    if (word == "fdecor" || word == "ftech")
        return FontGeneric::Decorative;
    return FontGeneric::Unknown;
}

class RtfReader
{
public:
    explicit RtfReader(std::string_view input) : m_lexer(input) {}

    ParseResult read();

private:
    GroupState& state() { return m_groups.back(); }

    void handle(const RtfToken& token, bool afterStar);
    void openGroup();
    void closeGroup();
    void handleWord(const RtfToken& token, bool afterStar);
    bool handleDocumentWord(const RtfToken& token);
    bool handleCharWord(const RtfToken& token);
    bool handleParagraphWord(const RtfToken& token);
    void handleFontTableWord(const RtfToken& token);
    void handleColourTableWord(const RtfToken& token);
    void handleSymbol(char symbol);
    void handleText(std::string_view bytes);
    void handleUnicode(std::int32_t parameter);
    void appendCodePoint(char32_t c);
    // A high surrogate that no low one followed becomes U+FFFD.
    void replaceLoneSurrogate();
    void appendFontName(std::string_view bytes);
    void flushBytes();
    void endParagraph();
    void finishPicture();
    int codePageOf(int font) const;
    CharFormat charFormat() const;
    bool showsBody() const;
    void note(Problem problem);

    RtfLexer m_lexer;
    // m_groups[0] holds the properties outside every group; each "{" pushes a copy of the top.
    std::vector<GroupState> m_groups{GroupState{}};
    int m_droppedGroups = 0; // open groups beyond kMaxGroupDepth, skipped whole
    bool m_rootClosed = false;
    int m_fallbackToSkip = 0;
    char32_t m_highSurrogate = 0;
    std::string m_pendingBytes; // body bytes not yet decoded, all in the current state
    int m_documentCodePage = kWesternCodePage;
    int m_defaultFont = 0;
    int m_defaultTab = kDefaultTabTwips;
    FontTable m_fonts;
    ColourTable m_colours;
    std::optional<PictureBuilder> m_picture;
    std::size_t m_pictureDepth = 0; // m_groups.size() of the "\pict" group
    DocumentBuilder m_builder;
    std::vector<Problem> m_problems;
};

ParseResult RtfReader::read()
{
    bool afterStar = false;
    for (RtfToken token = m_lexer.next(); token.kind != RtfToken::Kind::End;
         token = m_lexer.next()) {
        const bool star = token.kind == RtfToken::Kind::ControlSymbol && token.symbol == '*';
        handle(token, afterStar);
        afterStar = star;
    }
    flushBytes();
    if (m_droppedGroups > 0 || m_groups.size() > 1)
        note(Problem::MissingGroupEnd);
    m_droppedGroups = 0;
    while (m_groups.size() > 1)
        closeGroup();
    replaceLoneSurrogate();
    if (m_lexer.binaryTruncated())
        note(Problem::TruncatedBinary);
    ParseResult result{m_builder.finish(), std::move(m_problems)};
    result.document.defaultTabTwips = m_defaultTab;
    return result;
}

void RtfReader::handle(const RtfToken& token, bool afterStar)
{
    using Kind = RtfToken::Kind;
    if (m_droppedGroups > 0) {
        if (token.kind == Kind::GroupStart)
            ++m_droppedGroups;
        else if (token.kind == Kind::GroupEnd)
            --m_droppedGroups;
        return;
    }
    if (token.kind != Kind::Text && token.kind != Kind::HexByte)
        flushBytes();
    if (m_groups.size() == 1 && token.kind == Kind::Text && isBlank(token.data))
        return; // blanks around the document
    if (m_rootClosed)
        note(Problem::UnbalancedBraces);

    std::string_view text = token.data;
    if (m_fallbackToSkip > 0) {
        if (token.kind == Kind::GroupStart || token.kind == Kind::GroupEnd) {
            m_fallbackToSkip = 0;
        } else if (token.kind == Kind::Text) {
            const auto skipped = std::min<std::size_t>(text.size(), std::size_t(m_fallbackToSkip));
            m_fallbackToSkip -= static_cast<int>(skipped);
            text.remove_prefix(skipped);
            if (text.empty())
                return;
        } else {
            --m_fallbackToSkip;
            return;
        }
    }

    switch (token.kind) {
    case Kind::GroupStart:
        openGroup();
        break;
    case Kind::GroupEnd:
        closeGroup();
        break;
    case Kind::ControlWord:
        handleWord(token, afterStar);
        break;
    case Kind::ControlSymbol:
        handleSymbol(token.symbol);
        break;
    case Kind::HexByte: {
        const char byte = static_cast<char>(token.byte);
        if (state().destination == Destination::Body ||
            state().destination == Destination::FontTable)
            handleText(std::string_view(&byte, 1));
        break;
    }
    case Kind::BadHex:
        note(Problem::BadHexEscape);
        break;
    case Kind::Text:
        handleText(text);
        break;
    case Kind::Binary:
        if (state().destination == Destination::Picture && m_picture)
            m_picture->appendBinary(token.data);
        break;
    case Kind::End:
        break;
    }
}

void RtfReader::openGroup()
{
    if (m_groups.size() > std::size_t(kMaxGroupDepth)) {
        note(Problem::TooDeeplyNested);
        m_droppedGroups = 1;
        return;
    }
    m_groups.push_back(m_groups.back());
}

void RtfReader::closeGroup()
{
    if (m_groups.size() == 1) {
        note(Problem::UnbalancedBraces);
        return;
    }
    if (m_picture && m_groups.size() == m_pictureDepth)
        finishPicture();
    m_groups.pop_back();
    if (m_groups.size() == 1)
        m_rootClosed = true;
}

void RtfReader::handleWord(const RtfToken& token, bool afterStar)
{
    const Destination destination = state().destination;
    if (destination == Destination::Skip)
        return;
    if (afterStar && token.word != "shppict") {
        state().destination = Destination::Skip;
        return;
    }
    switch (destination) {
    case Destination::FontTable:
        handleFontTableWord(token);
        return;
    case Destination::ColourTable:
        handleColourTableWord(token);
        return;
    case Destination::Picture:
        if (m_picture)
            m_picture->takeWord(token.word, token.hasParameter, token.parameter);
        return;
    case Destination::Skip:
    case Destination::Body:
        break;
    }

    const std::string_view word = token.word;
    if (isSkippedDestination(word)) {
        state().destination = Destination::Skip;
    } else if (word == "fonttbl") {
        state().destination = Destination::FontTable;
    } else if (word == "colortbl") {
        state().destination = Destination::ColourTable;
    } else if (word == "pict") {
        state().destination = Destination::Picture;
        m_picture.emplace();
        m_pictureDepth = m_groups.size();
    } else if (word == "u") {
        handleUnicode(token.hasParameter ? token.parameter : 0);
    } else if (word == "uc") {
        state().unicodeSkip =
            std::clamp(token.hasParameter ? token.parameter : 1, 0, kMaxUnicodeSkip);
    } else if (word == "par") {
        endParagraph();
    } else if (word == "row" || word == "nestrow") {
        m_builder.removeTrailingTab();
        endParagraph();
    } else if (word == "line") {
        appendCodePoint(U'\n');
    } else if (word == "cell" || word == "nestcell") {
        appendCodePoint(U'\t');
    } else if (const auto character = characterOfWord(word)) {
        appendCodePoint(*character);
    } else if (!handleDocumentWord(token) && !handleCharWord(token)) {
        handleParagraphWord(token);
    }
}

bool RtfReader::handleDocumentWord(const RtfToken& token)
{
    const std::string_view word = token.word;
    if (word == "ansi")
        m_documentCodePage = kWesternCodePage;
    else if (word == "mac")
        m_documentCodePage = 10000;
    else if (word == "pc")
        m_documentCodePage = 437;
    else if (word == "pca")
        m_documentCodePage = 850;
    else if (word == "ansicpg" && token.hasParameter && token.parameter > 0)
        m_documentCodePage = token.parameter;
    else if (word == "deff" && token.hasParameter)
        m_defaultFont = token.parameter;
    else if (word == "deftab" && token.hasParameter && token.parameter > 0)
        m_defaultTab = std::min(token.parameter, kMaxIndentTwips);
    else
        return false;
    return true;
}

bool RtfReader::handleCharWord(const RtfToken& token)
{
    const std::string_view word = token.word;
    CharState& chars = state().chars;
    const int value = token.hasParameter ? token.parameter : 0;
    if (word == "plain")
        chars = CharState{};
    else if (word == "b")
        chars.bold = onOff(token);
    else if (word == "i")
        chars.italic = onOff(token);
    else if (isUnderlineWord(word))
        chars.underline = onOff(token);
    else if (word == "ulnone")
        chars.underline = false;
    else if (word == "strike" || word == "striked")
        chars.strike = onOff(token);
    else if (word == "v")
        chars.hidden = onOff(token);
    else if (word == "f")
        chars.font = value;
    else if (word == "fs")
        chars.halfPoints = token.hasParameter ? std::clamp(value, kMinHalfPoints, kMaxHalfPoints)
                                              : kDefaultHalfPoints;
    else if (word == "cf")
        chars.colour = value;
    else if (word == "cb" || word == "highlight")
        chars.background = value;
    else if (word == "super")
        chars.vertical = VerticalPosition::Superscript;
    else if (word == "sub")
        chars.vertical = VerticalPosition::Subscript;
    else if (word == "nosupersub")
        chars.vertical = VerticalPosition::Baseline;
    else
        return false;
    return true;
}

bool RtfReader::handleParagraphWord(const RtfToken& token)
{
    const std::string_view word = token.word;
    ParagraphFormat& paragraph = state().paragraph;
    if (word == "pard")
        paragraph = ParagraphFormat{};
    else if (word == "ql")
        paragraph.alignment = Alignment::Left;
    else if (word == "qc")
        paragraph.alignment = Alignment::Centre;
    else if (word == "qr")
        paragraph.alignment = Alignment::Right;
    else if (word == "qj" || word == "qd")
        paragraph.alignment = Alignment::Justify;
    else if (word == "li")
        paragraph.leftIndent = clampedTwips(token, -kMaxIndentTwips);
    else if (word == "ri")
        paragraph.rightIndent = clampedTwips(token, -kMaxIndentTwips);
    else if (word == "fi")
        paragraph.firstLineIndent = clampedTwips(token, -kMaxIndentTwips);
    else if (word == "sb")
        paragraph.spaceBefore = clampedTwips(token, 0);
    else if (word == "sa")
        paragraph.spaceAfter = clampedTwips(token, 0);
    else
        return false;
    return true;
}

void RtfReader::handleFontTableWord(const RtfToken& token)
{
    const std::string_view word = token.word;
    const int value = token.hasParameter ? token.parameter : 0;
    if (word == "f") {
        m_fonts.begin(value);
        return;
    }
    if (word == "u") {
        handleUnicode(value);
        return;
    }
    FontEntry* entry = m_fonts.current();
    if (!entry)
        return;
    if (word == "fcharset") {
        entry->codePage = codePageOfCharset(value);
    } else if (word == "cpg" && value > 0) {
        entry->codePage = value;
    } else if (const FontGeneric generic = genericOfWord(word); generic != FontGeneric::Unknown) {
        entry->generic = generic;
    }
}

void RtfReader::handleColourTableWord(const RtfToken& token)
{
    const int value = token.hasParameter ? token.parameter : 0;
    if (token.word == "red")
        m_colours.setRed(value);
    else if (token.word == "green")
        m_colours.setGreen(value);
    else if (token.word == "blue")
        m_colours.setBlue(value);
}

void RtfReader::handleSymbol(char symbol)
{
    if (symbol == '\\' || symbol == '{' || symbol == '}') {
        handleText(std::string_view(&symbol, 1));
    } else if (const auto character = characterOfSymbol(symbol)) {
        if (state().destination == Destination::Body)
            appendCodePoint(*character);
    }
}

void RtfReader::handleText(std::string_view bytes)
{
    switch (state().destination) {
    case Destination::Body:
        if (showsBody())
            m_pendingBytes.append(bytes);
        break;
    case Destination::FontTable:
        appendFontName(bytes);
        break;
    case Destination::ColourTable:
        for (const char c : bytes) {
            if (c == ';')
                m_colours.endEntry();
        }
        break;
    case Destination::Picture:
        if (m_picture)
            m_picture->appendHex(bytes);
        break;
    case Destination::Skip:
        break;
    }
}

void RtfReader::handleUnicode(std::int32_t parameter)
{
    // RTF writes characters above U+7FFF as negative 16-bit numbers; some writers put code
    // points beyond U+FFFF directly.
    const std::int64_t value = parameter < 0 ? std::int64_t(parameter) + 65536 : parameter;
    appendCodePoint(value < 0 ? kReplacementCharacter : static_cast<char32_t>(value));
    m_fallbackToSkip = state().unicodeSkip;
}

void RtfReader::appendCodePoint(char32_t c)
{
    if (isHighSurrogate(c)) {
        replaceLoneSurrogate();
        m_highSurrogate = c;
        return;
    }
    if (isLowSurrogate(c)) {
        c = m_highSurrogate != 0 ? 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (c - 0xDC00)
                                 : kReplacementCharacter;
        m_highSurrogate = 0;
    } else {
        replaceLoneSurrogate();
    }
    if (!isShownCharacter(c))
        return;
    std::string utf8;
    appendUtf8(utf8, c);
    if (state().destination == Destination::FontTable) {
        m_fonts.appendToName(utf8);
    } else if (state().destination == Destination::Body && showsBody()) {
        m_builder.appendText(utf8, charFormat(), state().paragraph);
    }
}

void RtfReader::replaceLoneSurrogate()
{
    if (m_highSurrogate == 0)
        return;
    m_highSurrogate = 0;
    appendCodePoint(kReplacementCharacter);
}

void RtfReader::appendFontName(std::string_view bytes)
{
    FontEntry* entry = m_fonts.current();
    if (!entry || entry->nameComplete)
        return;
    const auto end = bytes.find(';');
    std::string shown;
    std::copy_if(bytes.begin(), end == std::string_view::npos ? bytes.end() : bytes.begin() + end,
                 std::back_inserter(shown), isShownByte);
    std::string name;
    appendDecoded(name, shown, entry->codePage != 0 ? entry->codePage : m_documentCodePage);
    m_fonts.appendToName(name);
    if (end != std::string_view::npos)
        entry->nameComplete = true;
}

void RtfReader::flushBytes()
{
    if (m_pendingBytes.empty())
        return;
    replaceLoneSurrogate();
    std::string shown;
    std::copy_if(m_pendingBytes.begin(), m_pendingBytes.end(), std::back_inserter(shown),
                 isShownByte);
    m_pendingBytes.clear();
    std::string text;
    appendDecoded(text, shown, codePageOf(state().chars.font));
    m_builder.appendText(text, charFormat(), state().paragraph);
}

void RtfReader::endParagraph()
{
    if (state().destination == Destination::Body && !state().chars.hidden)
        m_builder.endParagraph(state().paragraph);
}

void RtfReader::finishPicture()
{
    Picture picture;
    const auto outcome = m_picture->finish(picture);
    m_picture.reset();
    if (outcome == PictureBuilder::Outcome::Unreadable)
        note(Problem::UnreadablePicture);
    const GroupState& outer = m_groups[m_groups.size() - 2];
    if (outcome == PictureBuilder::Outcome::Picture && outer.destination == Destination::Body &&
        !outer.chars.hidden)
        m_builder.appendPicture(std::move(picture), outer.paragraph);
}

int RtfReader::codePageOf(int font) const
{
    const FontEntry* entry = m_fonts.find(font < 0 ? m_defaultFont : font);
    return entry && entry->codePage != 0 ? entry->codePage : m_documentCodePage;
}

CharFormat RtfReader::charFormat() const
{
    const CharState& chars = m_groups.back().chars;
    const int font = chars.font < 0 ? m_defaultFont : chars.font;
    CharFormat format;
    format.fontFamily = m_fonts.family(font);
    if (const FontEntry* entry = m_fonts.find(font))
        format.fontGeneric = entry->generic;
    format.halfPoints = chars.halfPoints;
    format.bold = chars.bold;
    format.italic = chars.italic;
    format.underline = chars.underline;
    format.strike = chars.strike;
    format.vertical = chars.vertical;
    format.colour = m_colours.at(chars.colour);
    if (chars.background != 0)
        format.background = m_colours.at(chars.background);
    return format;
}

bool RtfReader::showsBody() const
{
    return !m_groups.back().chars.hidden;
}

void RtfReader::note(Problem problem)
{
    if (std::find(m_problems.begin(), m_problems.end(), problem) == m_problems.end())
        m_problems.push_back(problem);
}

bool isRtf(std::string_view input)
{
    if (input.starts_with(kUtf8ByteOrderMark))
        input.remove_prefix(kUtf8ByteOrderMark.size());
    const auto start = input.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos)
        return false;
    input.remove_prefix(start);
    return input.starts_with("{\\rtf") || input.starts_with("{\\urtf");
}

Document readPlainText(std::string_view input)
{
    if (input.starts_with(kUtf8ByteOrderMark))
        input.remove_prefix(kUtf8ByteOrderMark.size());
    std::string shown;
    std::copy_if(input.begin(), input.end(), std::back_inserter(shown),
                 [](char c) { return isShownByte(c) || c == '\r' || c == '\n'; });
    std::string text;
    if (isValidUtf8(shown))
        text = std::move(shown);
    else
        appendDecoded(text, shown, kWesternCodePage);

    DocumentBuilder builder;
    const CharFormat format;
    const ParagraphFormat paragraph;
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto end = rest.find_first_of("\r\n");
        builder.appendText(rest.substr(0, end), format, paragraph);
        if (end == std::string_view::npos)
            break;
        builder.endParagraph(paragraph);
        const bool crLf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (crLf ? 2 : 1));
    }
    return builder.finish();
}

} // namespace

std::string_view describe(Problem problem)
{
    switch (problem) {
    case Problem::NotRtf:
        return "it is not an RTF document and is shown as plain text";
    case Problem::MissingGroupEnd:
        return "it ends before all of its groups are closed";
    case Problem::UnbalancedBraces:
        return "it has a closing brace too many, or content after its end";
    case Problem::TooDeeplyNested:
        return "its groups are nested too deeply; the innermost ones are left out";
    case Problem::BadHexEscape:
        return "it has a \\' escape without two hexadecimal digits";
    case Problem::TruncatedBinary:
        return "its binary data is cut short";
    case Problem::UnreadablePicture:
        return "it has a picture whose data is damaged; the picture is left out";
    }
    return "it is damaged";
}

ParseResult parseRtf(std::string_view input)
{
    if (!isRtf(input))
        return ParseResult{readPlainText(input), {Problem::NotRtf}};
    return RtfReader(input).read();
}

} // namespace varrow::rtf
