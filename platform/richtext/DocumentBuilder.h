#pragma once

#include "platform/richtext/RtfDocument.h"

#include <string_view>

namespace varrow::rtf
{

// Collects runs and pictures into paragraphs. Text in the same format as the run before it joins
// that run. A paragraph takes the format it has when it ends; the last one, left open by the
// input, takes the format in force when its last content arrived.
class DocumentBuilder
{
public:
    // Appends UTF-8 text; empty text is ignored.
    void appendText(std::string_view text, const CharFormat& format,
                    const ParagraphFormat& paragraph);
    void appendPicture(Picture picture, const ParagraphFormat& paragraph);

    // Ends the current paragraph, also an empty one, which stays as an empty line.
    void endParagraph(const ParagraphFormat& paragraph);

    // Removes one tab at the end of the current paragraph, if it ends with one.
    void removeTrailingTab();

    // The document so far, with an open paragraph added when it has content. The builder is then
    // empty.
    Document finish();

private:
    Document m_document;
    Paragraph m_current;
};

} // namespace varrow::rtf
