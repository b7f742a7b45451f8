#include "capture/cli/CaptureJournal.h"

#include "capture/PictureFileNames.h"
#include "platform/textfile/TextFile.h"

#include <cerrno>
#include <cstring>
#include <nlohmann/json.hpp>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace varrow
{
namespace
{

// A journal line is an address and its folder name: a few times the list at most.
constexpr std::size_t kMaxJournalBytes = std::size_t{256} << 20;

std::string lastError()
{
    return std::strerror(errno);
}

} // namespace

std::map<std::string, std::string> parseCaptureJournal(const std::string& text)
{
    std::map<std::string, std::string> finished;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        const auto line = nlohmann::json::parse(text.begin() + std::ptrdiff_t(start),
                                                text.begin() + std::ptrdiff_t(end), nullptr,
                                                /*allow_exceptions=*/false);
        if (!line.is_object() || !line.contains("address") || !line.contains("folder") ||
            !line["address"].is_string() || !line["folder"].is_string())
            continue;
        const std::string folder = line["folder"];
        // A folder that is not a name of its own in the output directory is never trusted.
        if (folder.empty() || safeFileName(folder) != folder)
            continue;
        finished[line["address"]] = folder;
    }
    return finished;
}

CaptureJournal::CaptureJournal(const std::filesystem::path& directory)
    : m_path(directory / kCaptureJournalName)
{
    std::error_code code;
    std::string text;
    if (std::filesystem::exists(m_path, code))
        text = readTextFile(m_path, kMaxJournalBytes);
    m_finished = parseCaptureJournal(text);
    const std::size_t whole = text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1;
    if (whole < text.size()) {
        std::filesystem::resize_file(m_path, whole, code);
        if (code)
            throw FileError(m_path, code.message());
    }
    m_file = std::fopen(m_path.string().c_str(), "ab");
    if (!m_file)
        throw FileError(m_path, lastError());
}

CaptureJournal::~CaptureJournal()
{
    std::fclose(m_file);
}

void CaptureJournal::record(const std::string& address, const std::string& folder)
{
    const std::string line = nlohmann::json{{"address", address}, {"folder", folder}}.dump(
                                 -1, ' ', false, nlohmann::json::error_handler_t::replace) +
                             "\n";
    if (std::fwrite(line.data(), 1, line.size(), m_file) != line.size() || std::fflush(m_file) != 0)
        throw FileError(m_path, lastError());
#ifdef _WIN32
    const bool synced = _commit(_fileno(m_file)) == 0;
#else
    const bool synced = fsync(fileno(m_file)) == 0;
#endif
    if (!synced)
        throw FileError(m_path, lastError());
}

bool syncToDisk(const std::filesystem::path& path)
{
#ifdef _WIN32
    (void)path; // a file renamed into place on NTFS is journaled by the file system
    return true;
#else
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool synced = fsync(descriptor) == 0;
    close(descriptor);
    return synced;
#endif
}

} // namespace varrow
