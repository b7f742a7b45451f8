#pragma once

#include "platform/versioninfo/VersionInfo.h"

#include <QString>
#include <filesystem>

namespace varrow
{

// The product identity read from the executable's version information, and the fixed
// configuration switches. Filled by LoadIdentity; every call gives the same values.
struct Identity {
    QString ProductNameText; // "ProductName"
    QString CompanyNameText; // "CompanyName"
    QString WebsiteText;     // "Comments": the product website's host name, without scheme
    bool UseSkin = false;
    bool ShowBanner = true;
    QString BannerAddress;

    // ProductNameText + " by " + CompanyNameText: the start of every main-window caption.
    QString productByCompany() const { return ProductNameText + " by " + CompanyNameText; }
};

// The banner strip's page among the program's files. It shows the product and one of
// kBannerTips tips, the one whose number the address's fragment names ("#tip3").
inline constexpr const char* kBannerPage = "browserbanner.html";
inline constexpr int kBannerTips = 8;

// The address of the banner page in `programDirectory` showing tip number `tip`.
QString bannerAddress(const std::filesystem::path& programDirectory, int tip);

// Assigns the identity strings from `version`, the switches and `banner` as the banner address.
void LoadIdentity(Identity& identity, const VersionInfo& version, const QString& banner);

} // namespace varrow
