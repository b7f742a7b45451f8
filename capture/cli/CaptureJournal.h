#pragma once

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

// The journal of a list capture: one line per page whose results are complete in its folder, so
// that the same command run again skips it.
namespace varrow
{

// The journal's name in the output directory; safe folder names never start with a dot.
inline constexpr const char* kCaptureJournalName = ".varrow-capture-journal";

// Appends to the journal in `directory`, each line on disk before record() returns.
class CaptureJournal
{
public:
    // Opens (creates) the journal; a torn last line, of a run that ended while writing it, is cut
    // off first. Throws FileError when it cannot be opened.
    explicit CaptureJournal(const std::filesystem::path& directory);
    ~CaptureJournal();
    CaptureJournal(const CaptureJournal&) = delete;
    CaptureJournal& operator=(const CaptureJournal&) = delete;

    // The pages finished so far (address to folder), read when the journal was opened: whole
    // lines that are a JSON object with an "address" and a "folder" that is a safe folder name;
    // anything else is ignored.
    const std::map<std::string, std::string>& finished() const { return m_finished; }

    // Notes the page at `address` as finished into `folder`, flushed and synced to the disk.
    // Throws FileError when it cannot be written.
    void record(const std::string& address, const std::string& folder);

private:
    std::filesystem::path m_path;
    std::FILE* m_file = nullptr;
    std::map<std::string, std::string> m_finished;
};

// The finished pages of the journal text `text`, as CaptureJournal::finished() holds them.
std::map<std::string, std::string> parseCaptureJournal(const std::string& text);

// Syncs the file or folder at `path` to the disk, so that it outlives a power cut; false when it
// could not be.
bool syncToDisk(const std::filesystem::path& path);

} // namespace varrow
