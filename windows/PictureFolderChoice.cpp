#include "windows/PictureFolderChoice.h"

#include "platform/desktop/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace varrow
{
namespace
{

const QString kApplication = QStringLiteral("Varrow");
const QString kSection = QStringLiteral("PageImages");
const QString kKey = QStringLiteral("LastFolder");

} // namespace

QString pictureFolderToOffer(const SettingsStore* settings)
{
    if (settings) {
        const QString last = settings->GetSetting(kApplication, kSection, kKey, QString());
        if (!last.isEmpty() && QFileInfo(last).isDir())
            return last;
    }
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return pictures.isEmpty() ? QDir::homePath() : pictures;
}

void rememberPictureFolder(SettingsStore* settings, const QString& folder)
{
    if (settings && !folder.isEmpty())
        settings->SaveSetting(kApplication, kSection, kKey, folder);
}

} // namespace varrow
