#pragma once

#include "platform/textfile/DeferredTextFiles.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace varrow
{

// The six working files of the program directory.
class WorkFiles
{
public:
    static constexpr std::string_view kBrowser = "browser.txt";
    static constexpr std::string_view kSourcePage = "source.htm";
    static constexpr std::string_view kImages = "images.htm";
    static constexpr std::string_view kMarkup = "checkImages.txt";
    static constexpr std::string_view kScratch = "checkImagesClean.txt";
    static constexpr std::string_view kImagePage = "imagepage.html";

    // The order in which start-up makes sure that they exist.
    static constexpr std::array<std::string_view, 6> kAll{kBrowser, kSourcePage, kImages,
                                                          kMarkup,  kScratch,    kImagePage};

    explicit WorkFiles(std::filesystem::path programDirectory)
        : m_directory(std::move(programDirectory))
    {
    }

    const std::filesystem::path& directory() const { return m_directory; }
    std::filesystem::path pathOf(std::string_view name) const { return m_directory / name; }

    // Rewrites "checkImages.txt", "checkImagesClean.txt", "browser.txt" and "images.htm", in that
    // order, each as one empty line, through `store`. Stops at the first file that cannot be
    // written (FileError). Nothing here reads the last two; they are kept, and emptied, on
    // purpose: start-up makes all six, and whoever looks into the program directory after a
    // capture finds each of them in one known state.
    void ResetWorkFiles(DeferredTextFiles& store) const;

private:
    std::filesystem::path m_directory;
};

} // namespace varrow
