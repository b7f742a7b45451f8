#include "shell/Identity.h"

#include <QUrl>

namespace varrow
{

QString bannerAddress(const std::filesystem::path& programDirectory, int tip)
{
    QUrl address =
        QUrl::fromLocalFile(QString::fromStdString((programDirectory / kBannerPage).string()));
    address.setFragment(QString("tip%1").arg(tip));
    return address.toString();
}

void LoadIdentity(Identity& identity, const VersionInfo& version, const QString& banner)
{
    identity.ProductNameText = QString::fromStdString(version.productName);
    identity.CompanyNameText = QString::fromStdString(version.companyName);
    identity.WebsiteText = QString::fromStdString(version.comments);
    identity.UseSkin = false;
    identity.ShowBanner = true;
    identity.BannerAddress = banner;
}

} // namespace varrow
