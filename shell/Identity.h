#pragma once

#include "platform/versioninfo/VersionInfo.h"

#include <QString>

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

// The host that serves the banner strip's page.
inline constexpr const char* kBannerAddress = "http://banner.varrow.invalid/browserbanner.html";

// Assigns the identity strings from `version` and the switches and banner address.
void LoadIdentity(Identity& identity, const VersionInfo& version);

} // namespace varrow
