// Where the folder dialog for saving pictures opens.
#include "windows/PictureFolderChoice.h"

#include "platform/desktop/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace varrow::testing
{
namespace
{

// A home of its own whose XDG user folders name `pictures` as the pictures folder.
class PictureFolderChoiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        QDir(home.path()).mkpath("config");
        QDir(home.path()).mkpath("Bilder");
        QFile dirs(home.filePath("config/user-dirs.dirs"));
        ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_PICTURES_DIR=\"" + pictures.toUtf8() + "\"\n");
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_oldConfig); }

    QTemporaryDir home;
    const QString pictures = home.filePath("Bilder");
    SettingsStore settings{home.filePath("settings").toStdString()};

private:
    QByteArray m_oldConfig;
};

TEST_F(PictureFolderChoiceTest, OpensInThePicturesFolderThenInTheLastFolderWhileItIsOne)
{
    EXPECT_EQ(pictureFolderToOffer(&settings), pictures);
    EXPECT_EQ(pictureFolderToOffer(nullptr), pictures);

    QTemporaryDir chosen;
    rememberPictureFolder(&settings, chosen.path());
    EXPECT_EQ(pictureFolderToOffer(&settings), chosen.path());
    rememberPictureFolder(&settings, QString()); // a cancelled dialog
    EXPECT_EQ(pictureFolderToOffer(&settings), chosen.path());

    const QString gone = chosen.path();
    chosen.remove();
    EXPECT_EQ(pictureFolderToOffer(&settings), pictures) << gone.toStdString();
}

} // namespace
} // namespace varrow::testing
