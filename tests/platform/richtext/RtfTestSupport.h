#pragma once

#include "platform/richtext/RtfParser.h"
#include "platform/textfile/TextFile.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace varrow::rtf::test
{

inline std::string readData(std::string_view name)
{
    return readTextFile(std::string(VARROW_RTF_DATA_DIR) + "/" + std::string(name));
}

// The text of one paragraph; each picture shows as "[png]" or "[jpeg]".
inline std::string textOf(const Paragraph& paragraph)
{
    std::string text;
    for (const Inline& content : paragraph.content) {
        if (const auto* run = std::get_if<TextRun>(&content))
            text += run->text;
        else
            text += std::get<Picture>(content).format == PictureFormat::Png ? "[png]" : "[jpeg]";
    }
    return text;
}

inline std::vector<std::string> paragraphTexts(const Document& document)
{
    std::vector<std::string> texts;
    for (const Paragraph& paragraph : document.paragraphs)
        texts.push_back(textOf(paragraph));
    return texts;
}

// The paragraphs' texts joined by "|", for short documents.
inline std::string joinedText(const Document& document)
{
    std::string joined;
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i)
        joined += (i == 0 ? "" : "|") + textOf(document.paragraphs[i]);
    return joined;
}

inline std::string joinedText(std::string_view rtf)
{
    return joinedText(parseRtf(rtf).document);
}

// The first run of the document whose text contains `needle`; fails the test when none does.
inline const TextRun& runWith(const Document& document, std::string_view needle)
{
    for (const Paragraph& paragraph : document.paragraphs) {
        for (const Inline& content : paragraph.content) {
            const auto* run = std::get_if<TextRun>(&content);
            if (run && run->text.find(needle) != std::string::npos)
                return *run;
        }
    }
    static const TextRun kNone{"<no run with this text>", {}};
    ADD_FAILURE() << "no run contains \"" << needle << "\"";
    return kNone;
}

// The pictures of the document, in order.
inline std::vector<Picture> picturesOf(const Document& document)
{
    std::vector<Picture> pictures;
    for (const Paragraph& paragraph : document.paragraphs) {
        for (const Inline& content : paragraph.content) {
            if (const auto* picture = std::get_if<Picture>(&content))
                pictures.push_back(*picture);
        }
    }
    return pictures;
}

} // namespace varrow::rtf::test
