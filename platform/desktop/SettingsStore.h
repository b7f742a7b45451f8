#pragma once

#include <QString>
#include <filesystem>

namespace varrow
{

// Per-user text settings addressed by application name, section and key.
class SettingsStore
{
public:
    // Settings live in the user's configuration directory, or below `directory` when given.
    explicit SettingsStore(std::filesystem::path directory = {});

    QString GetSetting(const QString& appName, const QString& section, const QString& key,
                       const QString& defaultValue) const;
    void SaveSetting(const QString& appName, const QString& section, const QString& key,
                     const QString& value);

private:
    std::filesystem::path m_directory;
};

} // namespace varrow
