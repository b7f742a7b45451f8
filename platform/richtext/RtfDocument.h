#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// What the RTF reader makes of a document: paragraphs of formatted text runs and pictures, free of
// any RTF syntax and of any toolkit. Lengths are in twips (1/1440 inch), font sizes in half points.
namespace varrow::rtf
{

inline constexpr int kDefaultHalfPoints = 24; // 12 point, RTF's own default
// Pictures are shown at most this size (22 inches, a page of the largest common paper).
inline constexpr int kMaxPictureTwips = 31680;
// Sizes given in pixels count 96 of them to the inch.
inline constexpr int kTwipsPerPixel = 15;

enum class Alignment { Left, Centre, Right, Justify };

// The kind of typeface a font table entry asks for, so that a reader without the named font can
// pick a similar one.
enum class FontGeneric { Unknown, Serif, SansSerif, Monospace, Script, Decorative };

enum class VerticalPosition { Baseline, Superscript, Subscript };

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Colour&) const = default;
};

struct CharFormat {
    std::string fontFamily; // empty: the reader's default font
    FontGeneric fontGeneric = FontGeneric::Unknown;
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    VerticalPosition vertical = VerticalPosition::Baseline;
    std::optional<Colour> colour;     // none: the reader's text colour
    std::optional<Colour> background; // none: no highlight

    bool operator==(const CharFormat&) const = default;
};

struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0; // relative to the left indent; negative for a hanging indent
    int spaceBefore = 0;
    int spaceAfter = 0;

    bool operator==(const ParagraphFormat&) const = default;
};

// Text in one format, as UTF-8. A tab is '\t', a line break inside the paragraph is '\n'; the
// text holds no other control characters.
struct TextRun {
    std::string text;
    CharFormat format;

    bool operator==(const TextRun&) const = default;
};

enum class PictureFormat { Png, Jpeg };

// An embedded picture: the image file's bytes as stored in the document (they begin with the
// format's signature) and the size it is shown at; a size of 0 means the image's own size.
struct Picture {
    PictureFormat format = PictureFormat::Png;
    std::string data;
    int widthTwips = 0;
    int heightTwips = 0;

    bool operator==(const Picture&) const = default;
};

using Inline = std::variant<TextRun, Picture>;

struct Paragraph {
    ParagraphFormat format;
    std::vector<Inline> content; // neighbouring runs always differ in format
};

inline constexpr int kDefaultTabTwips = 720; // half an inch, RTF's own default

struct Document {
    std::vector<Paragraph> paragraphs;
    int defaultTabTwips = kDefaultTabTwips; // distance between the tab stops of every paragraph
};

} // namespace varrow::rtf
