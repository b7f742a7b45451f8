#include "platform/richtext/DocumentBuilder.h"

#include <utility>

namespace varrow::rtf
{

void DocumentBuilder::appendText(std::string_view text, const CharFormat& format,
                                 const ParagraphFormat& paragraph)
{
    if (text.empty())
        return;
    m_current.format = paragraph;
    if (!m_current.content.empty()) {
        auto* last = std::get_if<TextRun>(&m_current.content.back());
        if (last && last->format == format) {
            last->text.append(text);
            return;
        }
    }
    m_current.content.emplace_back(TextRun{std::string(text), format});
}

void DocumentBuilder::appendPicture(Picture picture, const ParagraphFormat& paragraph)
{
    m_current.format = paragraph;
    m_current.content.emplace_back(std::move(picture));
}

void DocumentBuilder::endParagraph(const ParagraphFormat& paragraph)
{
    m_current.format = paragraph;
    m_document.paragraphs.push_back(std::move(m_current));
    m_current = {};
}

void DocumentBuilder::removeTrailingTab()
{
    if (m_current.content.empty())
        return;
    auto* last = std::get_if<TextRun>(&m_current.content.back());
    if (!last || last->text.empty() || last->text.back() != '\t')
        return;
    last->text.pop_back();
    if (last->text.empty())
        m_current.content.pop_back();
}

Document DocumentBuilder::finish()
{
    if (!m_current.content.empty())
        m_document.paragraphs.push_back(std::move(m_current));
    m_current = {};
    return std::exchange(m_document, {});
}

} // namespace varrow::rtf
