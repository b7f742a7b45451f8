// Parses the input and checks what the document model promises its users; a broken promise
// aborts, so libFuzzer reports it like a crash.
#include "platform/richtext/RtfParser.h"
#include "platform/richtext/Utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace
{

using namespace varrow::rtf;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool hasOnlyShownControls(std::string_view text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n') || byte == 0x7F)
            return false;
    }
    return true;
}

void checkPicture(const Picture& picture)
{
    const std::string_view signature = picture.format == PictureFormat::Png
                                           ? std::string_view("\x89PNG\r\n\x1a\n", 8)
                                           : std::string_view("\xFF\xD8\xFF", 3);
    require(picture.data.starts_with(signature));
    require(picture.widthTwips >= 0 && picture.widthTwips <= kMaxPictureTwips);
    require(picture.heightTwips >= 0 && picture.heightTwips <= kMaxPictureTwips);
}

void checkParagraph(const Paragraph& paragraph)
{
    const TextRun* previous = nullptr;
    for (const Inline& content : paragraph.content) {
        if (const auto* run = std::get_if<TextRun>(&content)) {
            require(!run->text.empty());
            require(isValidUtf8(run->text));
            require(hasOnlyShownControls(run->text));
            require(isValidUtf8(run->format.fontFamily));
            require(run->format.halfPoints > 0);
            require(!previous || !(previous->format == run->format));
            previous = run;
        } else {
            checkPicture(std::get<Picture>(content));
            previous = nullptr;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ParseResult result =
        parseRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const Paragraph& paragraph : result.document.paragraphs)
        checkParagraph(paragraph);
    for (const Problem problem : result.problems)
        require(!describe(problem).empty());
    return 0;
}
