#include "extract/PageImageExport.h"

#include <nlohmann/json.hpp>

namespace varrow
{
namespace
{

std::string joinedLabels(FoundSet found)
{
    std::string text;
    for (const std::string_view label : found.labels()) {
        if (!text.empty())
            text += ' ';
        text += label;
    }
    return text;
}

std::string csvField(const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

std::string imageJsonLine(const PageImage& image)
{
    nlohmann::ordered_json found = nlohmann::ordered_json::array();
    for (const std::string_view label : image.found.labels())
        found.push_back(label);
    const nlohmann::ordered_json object{
        {"url", image.listedUrl()},
        {"found", std::move(found)},
        {"width", image.width},
        {"height", image.height},
        {"type", image.type},
        {"bytes", image.bytes ? nlohmann::ordered_json(*image.bytes) : nullptr},
        {"alt", image.alt},
        {"count", image.count},
    };
    // Page text need not be valid UTF-8; a bad byte becomes U+FFFD rather than failing the list.
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string imagesCsv(const std::vector<PageImage>& images)
{
    std::string text = "url,found,width,height,type,bytes,alt,count\r\n";
    for (const PageImage& image : images) {
        text += csvField(image.listedUrl()) + ',' + joinedLabels(image.found) + ',' +
                std::to_string(image.width) + ',' + std::to_string(image.height) + ',' +
                csvField(image.type) + ',' +
                (image.bytes ? std::to_string(*image.bytes) : std::string()) + ',' +
                csvField(image.alt) + ',' + std::to_string(image.count) + "\r\n";
    }
    return text;
}

} // namespace varrow
