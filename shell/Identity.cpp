#include "shell/Identity.h"

namespace varrow
{

void LoadIdentity(Identity& identity, const VersionInfo& version)
{
    identity.ProductNameText = QString::fromStdString(version.productName);
    identity.CompanyNameText = QString::fromStdString(version.companyName);
    identity.WebsiteText = QString::fromStdString(version.comments);
    identity.UseSkin = false;
    identity.ShowBanner = true;
    identity.BannerAddress = QString::fromLatin1(kBannerAddress);
}

} // namespace varrow
