// Every window as a person sees it: pictures present, captions that fit, controls inside their
// window. With VARROW_SCREENSHOTS set to a directory, each window is also saved there as a PNG.
#include "platform/textfile/TextFile.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/Controls.h"
#include "windows/AboutWindow.h"
#include "windows/HelpWindow.h"
#include "windows/SiteWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>

namespace varrow::testing
{
namespace
{

class WindowsLookTest : public ShellFixture
{
protected:
    static void keepScreenshot(QWidget& window, const QString& name)
    {
        const QString directory = qEnvironmentVariable("VARROW_SCREENSHOTS");
        if (!directory.isEmpty()) {
            EXPECT_TRUE(window.grab().save(QDir(directory).filePath(name + ".png")));
        }
    }

    static void expectPicturedButtons(const QWidget& window)
    {
        const QList<QToolButton*> buttons = window.findChildren<QToolButton*>();
        ASSERT_FALSE(buttons.isEmpty());
        for (const QToolButton* button : buttons) {
            if (qobject_cast<const QTabBar*>(button->parentWidget()))
                continue; // the tab bar's own scroll arrows
            EXPECT_FALSE(button->icon().pixmap(button->iconSize()).isNull())
                << button->objectName().toStdString();
        }
    }

    static void expectLabelsFit(const QWidget& window)
    {
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            if (label->isHidden() || label->text().isEmpty())
                continue;
            const QRect inside = window.rect();
            EXPECT_TRUE(inside.contains(label->geometry())) << label->objectName().toStdString();
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << label->objectName().toStdString();
        }
    }
};

TEST_F(WindowsLookTest, SplashAndMainWindowShowTheirPictures)
{
    program->start();
    SplashWindow& splash = *program->splashWindow();
    EXPECT_FALSE(control<QLabel>(splash, "Image1").pixmap().isNull());
    keepScreenshot(splash, "splash");
    for (int tick = 0; tick < 75; ++tick)
        splash.tick();
    MainWindow& main = *program->mainWindow();
    expectPicturedButtons(main);
    keepScreenshot(main, "main");
}

TEST_F(WindowsLookTest, SiteWindowButtonsHavePictures)
{
    SiteWindow& site = program->showSiteWindow();
    site.setWindowState(Qt::WindowNoState);
    expectPicturedButtons(site);
    EXPECT_FALSE(site.windowIcon().isNull());
    keepScreenshot(site, "site");
}

TEST_F(WindowsLookTest, AboutWindowCaptionsFit)
{
    version = {"Varrow", "Varrow Project", "varrow.example", 1, 0};
    AboutWindow& about = program->showAboutWindow();
    EXPECT_FALSE(control<QLabel>(about, "Picture1").pixmap().isNull());
    expectLabelsFit(about);
    keepScreenshot(about, "about");
}

TEST_F(WindowsLookTest, HelpWindowKeepsItsControlsInside)
{
    writeTextFile(directory() / "Help.rtf", "{\\rtf1 Varrow help}");
    HelpWindow& help = program->showHelpWindow();
    EXPECT_TRUE(help.rect().contains(control<QCheckBox>(help, "Check1").geometry()));
    EXPECT_TRUE(help.rect().contains(control<QTextEdit>(help, "rtf1").geometry()));
    EXPECT_LE(control<QCheckBox>(help, "Check1").sizeHint().width(),
              control<QCheckBox>(help, "Check1").width());
    keepScreenshot(help, "help");
}

} // namespace
} // namespace varrow::testing
