#include "platform/desktop/SettingsStore.h"

#include <QSettings>
#include <memory>

namespace varrow
{
namespace
{

std::unique_ptr<QSettings> openSettings(const std::filesystem::path& directory,
                                        const QString& appName)
{
    if (directory.empty())
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, appName,
                                           appName);
    const auto file = directory / (appName.toStdString() + ".ini");
    return std::make_unique<QSettings>(QString::fromStdString(file.string()), QSettings::IniFormat);
}

QString keyOf(const QString& section, const QString& key)
{
    return section + '/' + key;
}

} // namespace

SettingsStore::SettingsStore(std::filesystem::path directory) : m_directory(std::move(directory)) {}

QString SettingsStore::GetSetting(const QString& appName, const QString& section,
                                  const QString& key, const QString& defaultValue) const
{
    return openSettings(m_directory, appName)->value(keyOf(section, key), defaultValue).toString();
}

void SettingsStore::SaveSetting(const QString& appName, const QString& section, const QString& key,
                                const QString& value)
{
    openSettings(m_directory, appName)->setValue(keyOf(section, key), value);
}

} // namespace varrow
