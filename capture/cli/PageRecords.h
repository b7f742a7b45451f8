#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The records that varrow-capture and varrow-load-page exchange in list mode, over the loader's
// standard input and output. A record is a header line "KIND INDEX LENGTH\n" and LENGTH bytes of
// payload, so that markup of any bytes (line feeds and NULs included) passes unchanged.
namespace varrow
{

// One record: what it is, which page of the list it belongs to, and its bytes.
struct PageRecord {
    std::string kind; // lower-case letters only
    std::size_t index = 0;
    std::string payload;
};

// The record as it is written.
std::string encodePageRecord(std::string_view kind, std::size_t index, std::string_view payload);

// Takes bytes as they come and gives back whole records. A header that is not "KIND INDEX
// LENGTH\n", or a LENGTH beyond `maxPayload(kind)`, is a broken stream: next() then throws
// std::runtime_error, and so does every later call.
class PageRecordReader
{
public:
    // The longest header line: a kind, and two numbers of at most 20 digits.
    static constexpr std::size_t kMaxHeaderBytes = 64;

    explicit PageRecordReader(std::function<std::size_t(std::string_view kind)> maxPayload);

    void add(std::string_view bytes);
    // The next whole record, or nothing until more bytes come.
    std::optional<PageRecord> next();
    // Whether bytes of an unfinished record are waiting: at the end of the stream, a torn record.
    bool holdsPartialRecord() const { return m_start < m_buffer.size(); }

private:
    std::function<std::size_t(std::string_view)> m_maxPayload;
    std::string m_buffer;
    std::size_t m_start = 0; // where the next record begins in m_buffer
    std::string m_broken;
};

} // namespace varrow
