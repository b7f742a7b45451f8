#include "integration/ControlType.h"
#include "integration/SkinLabel.h"
#include "integration/modSkin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace varrow::testing
{
namespace
{

constexpr QRgb kFirst = 0xff102030;
constexpr QRgb kSecond = 0xff405060;
constexpr QRgb kThird = 0xff708090;

// A window with one named control of every kind the colour table knows, and some it does not.
class ColourControlsTest : public ::testing::Test
{
protected:
    template <typename Control> Control* add(const char* name, QWidget* parent = nullptr)
    {
        auto* control = new Control(parent ? parent : &window);
        control->setObjectName(name);
        return control;
    }

    QWidget window;
    QToolButton* toolButton = add<QToolButton>("toolButton");
    QPushButton* pushButton = add<QPushButton>("pushButton");
    QGroupBox* frame = add<QGroupBox>("frame");
    QLineEdit* textBox = add<QLineEdit>("textBox", frame); // inside a container
    QComboBox* comboBox = add<QComboBox>("comboBox");
    QListWidget* listBox = add<QListWidget>("listBox");
    QTreeWidget* listView = add<QTreeWidget>("listView");
    QLabel* picture = add<QLabel>("picture");
    QLabel* label = add<QLabel>("label");
    QCheckBox* checkBox = add<QCheckBox>("checkBox");
    QTextEdit* richText = add<QTextEdit>("richText");

    void SetUp() override { setControlTypeName(*picture, "PictureBox"); }
};

TEST_F(ColourControlsTest, TypeNamesFollowTheWidgetKind)
{
    const std::vector<std::pair<QWidget*, QString>> expected{
        {toolButton, "CommandButton"}, {pushButton, "CommandButton"}, {frame, "Frame"},
        {textBox, "TextBox"},          {comboBox, "ComboBox"},        {listBox, "ListBox"},
        {listView, "ListView"},        {picture, "PictureBox"},       {label, "Label"},
        {checkBox, "CheckBox"},        {richText, "RichTextBox"}};
    for (const auto& [control, name] : expected)
        EXPECT_EQ(controlTypeName(*control), name) << control->objectName().toStdString();
    EXPECT_EQ(controlTypeName(*SkinLabel::createTemplate(window)), "SkinLabel");
}

TEST_F(ColourControlsTest, OnlyNamedWidgetsAreControls)
{
    new QLabel(&window); // a widget's own part, without a design name
    const std::vector<QWidget*> controls = windowControls(window);
    EXPECT_EQ(controls.size(), 11u);
    EXPECT_EQ(controls.front(), toolButton);
    for (const QWidget* control : controls)
        EXPECT_FALSE(control->objectName().startsWith("qt_"));
}

TEST_F(ColourControlsTest, ColoursLandOnTheirControlKinds)
{
    const auto unskinned = [](const QWidget* control) { return control->palette(); };
    const QPalette labelBefore = unskinned(label);
    const QPalette checkBefore = unskinned(checkBox);
    const QPalette richBefore = unskinned(richText);
    const QPalette frameBefore = unskinned(frame);
    const QColor buttonText = toolButton->palette().color(QPalette::ButtonText);

    ColourControls(window, kFirst, kSecond, kThird);

    for (const QWidget* button : std::vector<QWidget*>{toolButton, pushButton}) {
        EXPECT_EQ(button->palette().color(QPalette::Button).rgba(), kFirst);
        EXPECT_EQ(button->palette().color(QPalette::ButtonText), buttonText);
    }
    for (const QWidget* box : std::vector<QWidget*>{textBox, comboBox, listBox, listView}) {
        EXPECT_EQ(box->palette().color(QPalette::Base).rgba(), kFirst)
            << box->objectName().toStdString();
        EXPECT_EQ(box->palette().color(QPalette::Text).rgba(), kSecond)
            << box->objectName().toStdString();
    }
    EXPECT_EQ(picture->palette().color(QPalette::Window).rgba(), kThird);
    EXPECT_TRUE(picture->autoFillBackground());
    EXPECT_EQ(label->palette(), labelBefore);
    EXPECT_EQ(checkBox->palette(), checkBefore);
    EXPECT_EQ(richText->palette(), richBefore);
    EXPECT_EQ(frame->palette(), frameBefore);
}

TEST_F(ColourControlsTest, SkinLabelsCopyTheLabelsOfTheirScope)
{
    label->setText("Caption");
    label->setGeometry(10, 20, 120, 18);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    add<QLabel>("framed", frame)->setText("In the frame");

    SkinLabel::createTemplate(*frame);
    LoadSkinLabels(window, SkinLabelScope::TemplateContainer);
    std::vector<SkinLabel*> elements = skinLabels(window);
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[1]->text(), "In the frame");
    EXPECT_EQ(elements[1]->parentWidget(), frame);

    LoadSkinLabels(window, SkinLabelScope::AllLabels);
    elements = skinLabels(window);
    ASSERT_EQ(elements.size(), 4u); // picture boxes and skin labels are no labels
    EXPECT_EQ(elements[2]->text(), "In the frame");
    const SkinLabel& copy = *elements[3];
    EXPECT_EQ(copy.Index(), 3);
    EXPECT_EQ(copy.text(), "Caption");
    EXPECT_EQ(copy.parentWidget(), frame); // beside the template
    EXPECT_EQ(copy.geometry(), QRect(10, 20, 120, 18));
    EXPECT_TRUE(copy.font().bold());
    EXPECT_FALSE(copy.isHidden());
}

TEST_F(ColourControlsTest, LabelsWithoutATemplateAreAnError)
{
    EXPECT_THROW(LoadSkinLabels(window, SkinLabelScope::AllLabels), SkinError);
    QWidget empty;
    EXPECT_NO_THROW(LoadSkinLabels(empty, SkinLabelScope::AllLabels));
}

} // namespace
} // namespace varrow::testing
