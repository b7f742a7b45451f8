// The skinned path of every window, turned on through the theming facility; and the shipped
// configuration, in which nothing is skinned.
#include "integration/Skin.h"

#include "integration/ControlType.h"
#include "integration/SkinLabel.h"
#include "integration/modSkin.h"
#include "platform/desktop/TickTimer.h"
#include "platform/textfile/TextFile.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/Controls.h"
#include "windows/AboutWindow.h"
#include "windows/HelpWindow.h"
#include "windows/SiteWindow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QToolTip>

namespace varrow::testing
{
namespace
{

class SkinTest : public ShellFixture
{
protected:
    void TearDown() override
    {
        Skin::setTurnedOn(false);
        SkinGlobal::Release();
        // Unloaded windows go too, and with the splash window its skin.
        program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(skinObject(), nullptr);
    }

    MainWindow& startProgram()
    {
        program->start();
        for (int tick = 0; tick < 75; ++tick)
            program->splashWindow()->tick();
        return *program->mainWindow();
    }
    QRgb first() const { return program->skin().firstColour(); }

    static QRgb colour(const QWidget* control, QPalette::ColorRole role)
    {
        return control->palette().color(role).rgba();
    }
    // Labels copied by the skin-label step, without the template.
    static int loadedSkinLabels(const QWidget& window)
    {
        return static_cast<int>(skinLabels(window).size()) - 1;
    }
};

TEST_F(SkinTest, ShippedConfigurationSkinsNothing)
{
    EXPECT_FALSE(program->identity().UseSkin);
    writeTextFile(directory() / "Help.rtf", "{\\rtf1 help}");
    MainWindow& main = startProgram();
    const Skin skin;
    EXPECT_NE(colour(&control<QLineEdit>(main, "txtUrl"), QPalette::Base), skin.firstColour());
    EXPECT_FALSE(control<QToolButton>(main, "cmbBack").testAttribute(Qt::WA_SetPalette));
    EXPECT_EQ(skinObject(), nullptr);

    // Each loaded window's controls have the palettes of a window that never loaded.
    AboutWindow& about = program->showAboutWindow();
    AboutWindow designed(*program);
    for (QWidget* control : windowControls(designed)) {
        const auto* loaded = about.findChild<QWidget*>(control->objectName());
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->palette(), control->palette()) << control->objectName().toStdString();
    }
    EXPECT_EQ(about.palette(), designed.palette());
    EXPECT_EQ(loadedSkinLabels(about), 0);
    EXPECT_EQ(loadedSkinLabels(program->showSiteWindow()), 0);
    EXPECT_FALSE(program->showHelpWindow().testAttribute(Qt::WA_SetPalette));
}

TEST_F(SkinTest, TurnedOnEveryWindowTakesTheSkinsColours)
{
    Skin::setTurnedOn(true);
    writeTextFile(directory() / "Help.rtf", "{\\rtf1 help}");
    MainWindow& main = startProgram();
    const Skin& skin = program->skin();
    EXPECT_EQ(skinObject(), &skin);
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase).rgba(), skin.firstColour());

    EXPECT_EQ(colour(&control<QToolButton>(main, "cmbBack"), QPalette::Button), skin.firstColour());
    EXPECT_EQ(colour(&control<QLineEdit>(main, "txtUrl"), QPalette::Base), skin.firstColour());
    EXPECT_EQ(colour(&control<QLineEdit>(main, "txtUrl"), QPalette::Text), skin.secondColour());
    EXPECT_EQ(colour(&control<QLabel>(main, "wbPicture"), QPalette::Window), skin.thirdColour());
    EXPECT_EQ(colour(&main, QPalette::Window), skin.thirdColour());
    EXPECT_EQ(loadedSkinLabels(main), -1); // no labels, so no array was needed

    AboutWindow& about = program->showAboutWindow();
    EXPECT_EQ(loadedSkinLabels(about), 7);
    EXPECT_EQ(skinLabels(about).back()->text(), "varrow.example");
    EXPECT_EQ(colour(&control<QLabel>(about, "Picture1"), QPalette::Window), skin.thirdColour());

    SiteWindow& site = program->showSiteWindow();
    ASSERT_EQ(loadedSkinLabels(site), 1); // only the labels beside the template
    EXPECT_EQ(skinLabels(site)[1]->text(), "URL:");
    EXPECT_EQ(colour(&control<QLineEdit>(site, "Text1"), QPalette::Base), skin.firstColour());
    EXPECT_EQ(colour(&control<QToolButton>(site, "Command3"), QPalette::Button),
              skin.firstColour());

    HelpWindow& help = program->showHelpWindow();
    EXPECT_EQ(colour(&help, QPalette::Window), skin.thirdColour());
    EXPECT_FALSE(control<QCheckBox>(help, "Check1").testAttribute(Qt::WA_SetPalette));

    site.hide();
    main.close(); // the program ends: tooltips get their own colours back
    EXPECT_EQ(programEnds, 1);
    EXPECT_NE(QToolTip::palette().color(QPalette::ToolTipBase).rgba(), skin.firstColour());
}

TEST_F(SkinTest, WithoutASkinTheSplashWindowIsLoadedForItsSkin)
{
    Skin::setTurnedOn(true);
    AboutWindow& about = program->showAboutWindow();
    SplashWindow* splash = program->splashWindow();
    ASSERT_NE(splash, nullptr);
    EXPECT_FALSE(control<TickTimer>(*splash, "Timer2")
                     .isEnabled()); // it does not go on to open the main window
    EXPECT_TRUE(splash->isHidden());
    EXPECT_EQ(program->mainWindow(), nullptr);
    EXPECT_EQ(skinObject(), &program->skin());
    EXPECT_EQ(colour(&about, QPalette::Window), program->skin().thirdColour());
}

TEST_F(SkinTest, ASplashWindowLoadedUnskinnedStillLendsItsSkin)
{
    MainWindow& main = startProgram();
    Skin::setTurnedOn(true);
    AboutWindow& about = program->showAboutWindow();
    EXPECT_EQ(colour(&about, QPalette::Window), program->skin().thirdColour());
    EXPECT_EQ(program->mainWindow(), &main);
}

} // namespace
} // namespace varrow::testing
