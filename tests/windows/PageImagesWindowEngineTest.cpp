// The Page Images window on the real browser engine, following the main window's browser view
// through pages served from 127.0.0.1.
#include "app/PageImagesSources.h"
#include "tests/shell/EngineFixture.h"
#include "tests/support/Controls.h"
#include "tests/support/PageScript.h"
#include "tests/support/ServedFolder.h"
#include "windows/PageImagesFilter.h"
#include "windows/PageImagesModel.h"
#include "windows/PageImagesWindow.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

namespace varrow::testing
{
namespace
{

// A picture of one colour, with a palette of two colours at one bit a pixel, the way small
// pictures often come.
QByteArray png(QColor colour, QSize size)
{
    QImage picture(size, QImage::Format_Mono);
    picture.setColorTable({colour.rgb(), qRgb(0, 0, 0)});
    picture.fill(0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

// The table's cells of one column, in the order shown.
QStringList column(const QTableView& table, int column, int role = Qt::DisplayRole)
{
    QStringList cells;
    for (int row = 0; row < table.model()->rowCount(); ++row)
        cells += table.model()->index(row, column).data(role).toString();
    return cells;
}

class PageImagesWindowEngineTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        server.serve("/red.png", png(Qt::red, {300, 200}), "image/png");
        server.serve("/blue.png", png(Qt::blue, {20, 30}), "image/png");
        server.serve("/pictures.html",
                     "<html><body><img src='/red.png' alt='Red'>"
                     "<a href='/big.jpg'>big</a><a href='/archive/a,b.gif'>gif</a>"
                     "</body></html>");
        server.serve("/other.html", "<html><body><img src='blue.png'></body></html>");
        dialogs.chooseFileToWrite = [this](QWidget*, const QString&, const QString&) {
            return chosenFile;
        };
        dialogs.showProblem = [this](QWidget*, const QString& text) { problems += text; };
        dialogs.chooseFolder = [this](QWidget*) { return saveFolder.path(); };
    }

    PageImagesWindow& openOn(const QString& path, int rows)
    {
        go(server.address(path));
        EXPECT_TRUE(browserShows(server.address(path)));
        images = std::make_unique<PageImagesWindow>(program->pageImagesSources(), dialogs);
        images->show();
        EXPECT_TRUE(waitForRows(rows)) << images->pictures().rowCount();
        return *images;
    }
    bool waitForRows(int rows)
    {
        return QTest::qWaitFor([&] { return images->pictures().rowCount() == rows; }, kPatienceMs);
    }
    QString address(const QString& path) const { return server.address(path); }

    // Waits until the window's save job has ended, and gives the save states of the rows shown.
    QStringList savedStates()
    {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !control<QPushButton>(*images, "cancelButton").isEnabled(); },
            kPatienceMs));
        return column(control<QTableView>(*images, "table"), PageImagesModel::SaveState);
    }
    QByteArray savedFile(const QString& name) const
    {
        QFile file(saveFolder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    PageImagesDialogs dialogs;
    QTemporaryDir saveFolder;
    QString chosenFile;
    QStringList problems;
    std::unique_ptr<PageImagesWindow> images;
};

TEST_F(PageImagesWindowEngineTest, ViewMenuEndsWithPageImagesWhichOpensTheWindowOnce)
{
    QMenu* view = nullptr;
    for (QAction* action : window->menuBar()->actions())
        if (action->text() == "View")
            view = action->menu();
    ASSERT_NE(view, nullptr);
    const QList<QAction*> items = view->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items.last()->text(), "Page Images");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(items[i], &control<QAction>(*window, QString("mnuViewItem%1").arg(i)));

    go(address("/pictures.html"));
    ASSERT_TRUE(browserShows(address("/pictures.html")));
    items.last()->trigger();
    PageImagesWindow* opened = program->pageImagesWindow();
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(opened->windowTitle(), "Page Images");
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened->pictures().rowCount() == 3; }, kPatienceMs));
    items.last()->trigger();
    EXPECT_EQ(program->pageImagesWindow(), opened);
}

TEST_F(PageImagesWindowEngineTest, ListsEveryKindOfPictureOfTheFixtureSite)
{
    serveFolder(server, VARROW_PAGE_IMAGES_SITE);
    PageImagesWindow& shown = openOn("/index.html", 24);
    EXPECT_EQ(control<QLabel>(shown, "status").text(), "24 of 24 pictures shown");
    const QString inline_ =
        "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAIAAAASFvFNAAAAEE"
        "lEQVR42mM4IScHQQxwFgBBAAYZ1ETuGQAAAABJRU5ErkJggg==";
    struct Row {
        QString url;
        QStringList cells; // address, size, bytes, alt, count, found (the type: see below)
    };
    const Row rows[] = {
        {address("/pictures/img.png"),
         {address("/pictures/img.png"), "10 × 11", "75", "plain", "1", "img network"}},
        {address("/pictures/w_424,c_limit/srcset-2x.png"),
         {address("/pictures/w_424,c_limit/srcset-2x.png"), "", "", "with srcset", "1", "srcset"}},
        {inline_,
         {"data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAA… (122 chars)", "3 × 2", "73", "inline",
          "1", "img data"}},
        {address("/pictures/frame.png"),
         {address("/pictures/frame.png"), "50 × 51", "118", "in the frame", "1",
          "img frame network"}},
        {address("/pictures/network.png"),
         {address("/pictures/network.png"), "", "121", "", "0", "network"}},
    };
    for (const Row& expected : rows) {
        const int row = shown.pictures().rowOf(expected.url);
        ASSERT_GE(row, 0) << expected.url.toStdString();
        QStringList cells;
        for (int column = PageImagesModel::Address; column <= PageImagesModel::Found; ++column)
            if (column != PageImagesModel::Type)
                cells += control<QTableView>(shown, "table")
                             .model()
                             ->index(row, column)
                             .data()
                             .toString();
        EXPECT_EQ(cells, expected.cells) << cells.join(" | ").toStdString();
    }
}

// The type is the picture's own: neither its name nor the server's word, and nothing for what is
// no picture; the type filter offers the types seen.
TEST_F(PageImagesWindowEngineTest, TypeAndBytesComeFromThePicturesOwnBytesOnceFetched)
{
    const QByteArray gif =
        QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7");
    server.serve("/named.png", gif, "image/png");
    server.serve("/page.jpg", "<html><body>no picture</body></html>", "image/jpeg");
    const QString inlineGif = "data:image/png;base64," + gif.toBase64();
    server.serve("/kinds.html", "<html><body><img src='/named.png'><a href='/page.jpg'>x</a>"
                                "<img src='" +
                                    inlineGif.toUtf8() + "'></body></html>");
    PageImagesWindow& shown = openOn("/kinds.html", 3);
    const auto typeOf = [&](const QString& url) {
        return shown.pictures()
            .index(shown.pictures().rowOf(url), PageImagesModel::Type)
            .data()
            .toString();
    };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            control<QTableView>(shown, "table")
                .viewport()
                ->repaint(); // thumbnails load for the rows painted
            return typeOf(address("/named.png")) == "image/gif";
        },
        kPatienceMs));
    EXPECT_EQ(shown.pictures()
                  .index(shown.pictures().rowOf(address("/named.png")), PageImagesModel::Bytes)
                  .data()
                  .toString(),
              QString::number(gif.size()));
    EXPECT_EQ(typeOf(inlineGif), "image/gif");
    QTest::qWait(500); // the page under a picture's name has been fetched too
    EXPECT_EQ(typeOf(address("/page.jpg")), "");
    QStringList offered;
    for (int item = 0; item < control<QComboBox>(shown, "typeFilter").count(); ++item)
        offered += control<QComboBox>(shown, "typeFilter").itemText(item);
    EXPECT_EQ(offered, (QStringList{"All types", "image/gif"}));
}

TEST_F(PageImagesWindowEngineTest, SortingAndFilteringChangeTheRowsShown)
{
    PageImagesWindow& shown = openOn("/pictures.html", 3);
    control<QTableView>(shown, "table")
        .horizontalHeader()
        ->setSortIndicator(PageImagesModel::Address, Qt::DescendingOrder);
    EXPECT_EQ(column(control<QTableView>(shown, "table"), PageImagesModel::Address),
              (QStringList{address("/red.png"), address("/big.jpg"), address("/archive/a,b.gif")}));
    control<QTableView>(shown, "table")
        .horizontalHeader()
        ->setSortIndicator(PageImagesModel::Address, Qt::AscendingOrder);
    EXPECT_EQ(column(control<QTableView>(shown, "table"), PageImagesModel::Address),
              (QStringList{address("/archive/a,b.gif"), address("/big.jpg"), address("/red.png")}));

    control<QLineEdit>(shown, "addressFilter").setText("PNG");
    EXPECT_EQ(column(control<QTableView>(shown, "table"), PageImagesModel::Address),
              QStringList{address("/red.png")});
    EXPECT_EQ(control<QLabel>(shown, "status").text(), "1 of 3 pictures shown");
    control<QCheckBox>(shown, "regularExpression").setChecked(true);
    control<QLineEdit>(shown, "addressFilter").setText("/(big|red)\\.");
    EXPECT_EQ(column(control<QTableView>(shown, "table"), PageImagesModel::Address),
              (QStringList{address("/big.jpg"), address("/red.png")}));
    control<QLineEdit>(shown, "addressFilter").setText("([");
    EXPECT_EQ(control<QTableView>(shown, "table").model()->rowCount(), 3);
    EXPECT_TRUE(control<QLabel>(shown, "status").text().contains("Not a valid regular expression"));
    control<QLineEdit>(shown, "addressFilter").clear();
    // The engine knows the size of the picture it shows, once the page has loaded.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return column(control<QTableView>(shown, "table"), PageImagesModel::Size)
                .contains("300 × 200");
        },
        kPatienceMs));
    control<QSpinBox>(shown, "minimumWidth").setValue(250);
    EXPECT_EQ(column(control<QTableView>(shown, "table"), PageImagesModel::Address),
              QStringList{address("/red.png")});
    control<QSpinBox>(shown, "minimumHeight").setValue(250);
    EXPECT_EQ(control<QTableView>(shown, "table").model()->rowCount(), 0);
    EXPECT_TRUE(control<QLabel>(shown, "status").text().startsWith("0 of "))
        << control<QLabel>(shown, "status").text().toStdString();
}

TEST_F(PageImagesWindowEngineTest, ExportedFilesHoldTheRowsShown)
{
    PageImagesWindow& shown = openOn("/pictures.html", 3);
    control<QLineEdit>(shown, "addressFilter").setText("r");
    const QStringList addresses =
        column(control<QTableView>(shown, "table"), PageImagesModel::Address);
    ASSERT_EQ(addresses, (QStringList{address("/red.png"), address("/archive/a,b.gif")}));

    QTemporaryDir folder;
    chosenFile = folder.filePath("pictures.json");
    control<QPushButton>(shown, "exportJsonButton").click();
    const QJsonDocument json =
        QJsonDocument::fromJson(QByteArray::fromStdString(readTextFile(chosenFile.toStdString())));
    ASSERT_TRUE(json.isArray());
    ASSERT_EQ(json.array().size(), 2);
    for (int row = 0; row < 2; ++row) {
        const QJsonObject object = json.array()[row].toObject();
        const auto cell = [&](int column) {
            return control<QTableView>(shown, "table").model()->index(row, column).data();
        };
        EXPECT_EQ(object.keys().size(), 8);
        EXPECT_EQ(object["url"].toString(), addresses[row]);
        EXPECT_EQ(object["found"].toVariant().toStringList().join(' '),
                  cell(PageImagesModel::Found).toString());
        const int width = object["width"].toInt();
        const int height = object["height"].toInt();
        EXPECT_EQ(width == 0 && height == 0 ? ""
                                            : QString::fromUtf8("%1 × %2").arg(width).arg(height),
                  cell(PageImagesModel::Size).toString());
        EXPECT_EQ(object["alt"].toString(), cell(PageImagesModel::Alt).toString());
        EXPECT_EQ(object["count"].toInt(), cell(PageImagesModel::Count).toInt());
    }

    chosenFile = folder.filePath("pictures.csv");
    control<QPushButton>(shown, "exportCsvButton").click();
    const QStringList lines =
        QString::fromStdString(readTextFile(chosenFile.toStdString())).split("\r\n");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "url,found,width,height,type,bytes,alt,count");
    EXPECT_TRUE(lines[1].startsWith(
        addresses[0] + ',' +
        column(control<QTableView>(shown, "table"), PageImagesModel::Found)[0] + ','))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith('"' + addresses[1] + "\",linked,0,0,"))
        << lines[2].toStdString();
    EXPECT_EQ(lines[3], "");
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_F(PageImagesWindowEngineTest, AFileThatCannotBeWrittenIsNamedWithTheReason)
{
    PageImagesWindow& shown = openOn("/pictures.html", 3);
    QTemporaryDir folder;
    chosenFile = folder.filePath("missing/pictures.csv");
    control<QPushButton>(shown, "exportCsvButton").click();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(chosenFile)) << problems[0].toStdString();
    EXPECT_TRUE(problems[0].contains("No such file or directory")) << problems[0].toStdString();
    EXPECT_FALSE(QFile::exists(chosenFile));
}

TEST_F(PageImagesWindowEngineTest, CopyPutsTheSelectedWholeAddressesOnTheClipboard)
{
    PageImagesWindow& shown = openOn("/pictures.html", 3);
    control<QTableView>(shown, "table").selectRow(2);
    control<QTableView>(shown, "table")
        .selectionModel()
        ->select(control<QTableView>(shown, "table").model()->index(0, 0),
                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
    control<QPushButton>(shown, "copyButton").click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              address("/red.png") + '\n' + address("/archive/a,b.gif"));
}

TEST_F(PageImagesWindowEngineTest, TheThumbnailShowsThePicture)
{
    PageImagesWindow& shown = openOn("/pictures.html", 3);
    const QModelIndex cell =
        control<QTableView>(shown, "table").model()->index(0, PageImagesModel::Thumbnail);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            control<QTableView>(shown, "table").viewport()->repaint();
            return !cell.data(Qt::DecorationRole).value<QPixmap>().isNull();
        },
        kPatienceMs));
    const QImage painted = control<QTableView>(shown, "table").viewport()->grab().toImage();
    const QRect place = control<QTableView>(shown, "table").visualRect(cell);
    EXPECT_EQ(QColor(painted.pixel(place.center())), QColor(Qt::red));
}

TEST_F(PageImagesWindowEngineTest, SavesThePicturesShownOrSelectedAndRetriesWhatFailed)
{
    PageImagesWindow& shown = openOn("/pictures.html", 3);
    control<QLineEdit>(shown, "addressFilter").setText("red");
    control<QPushButton>(shown, "saveAllButton").click();
    EXPECT_EQ(savedStates(), QStringList{"Saved as red.png"});
    EXPECT_EQ(savedFile("red.png"), png(Qt::red, {300, 200}));
    EXPECT_EQ(control<QProgressBar>(shown, "progress").value(), 1);
    EXPECT_EQ(control<QProgressBar>(shown, "progress").maximum(), 1);
    EXPECT_EQ(control<QProgressBar>(shown, "progress").text(), "1 saved, 0 failed");
    EXPECT_FALSE(control<QPushButton>(shown, "retryButton").isEnabled());

    // The other two are not served: they fail, and saving them again once they are works.
    control<QLineEdit>(shown, "addressFilter").clear();
    control<QTableView>(shown, "table").selectRow(1);
    control<QPushButton>(shown, "saveSelectedButton").click();
    const QStringList states = savedStates();
    EXPECT_EQ(states[0], "Saved as red.png"); // from the first job
    EXPECT_TRUE(states[1].startsWith("Failed: ")) << states[1].toStdString();
    EXPECT_EQ(states[2], "");
    EXPECT_EQ(control<QProgressBar>(shown, "progress").text(), "0 saved, 1 failed");
    ASSERT_TRUE(control<QPushButton>(shown, "retryButton").isEnabled());
    server.serve("/big.jpg", png(Qt::green, {50, 40}), "image/jpeg");
    control<QPushButton>(shown, "retryButton").click();
    EXPECT_EQ(savedStates()[1], "Saved as big.jpg");
    EXPECT_EQ(savedFile("big.jpg"), png(Qt::green, {50, 40}));

    control<QPushButton>(shown, "saveAllButton").click();
    EXPECT_EQ(savedStates().mid(0, 2),
              (QStringList{"Saved as red (2).png", "Saved as big (2).jpg"}));
    EXPECT_EQ(savedFile("red.png"), png(Qt::red, {300, 200}));
    EXPECT_EQ(control<QProgressBar>(shown, "progress").value(),
              control<QTableView>(shown, "table").model()->rowCount());
    EXPECT_EQ(control<QProgressBar>(shown, "progress").text(), "2 saved, 1 failed");

    // The next page starts without the last save's progress.
    go(address("/other.html"));
    ASSERT_TRUE(browserShows(address("/other.html")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return control<QProgressBar>(shown, "progress").isHidden(); },
                                kPatienceMs));
}

TEST_F(PageImagesWindowEngineTest, CancelStopsTheSaveAndLeavesNoFile)
{
    server.serveSlowly("/slow.png", png(Qt::red, {300, 200}), 100, -1, "image/png");
    server.serve("/slow.html", "<html><body><img src='/slow.png'></body></html>");
    PageImagesWindow& shown = openOn("/slow.html", 1);
    control<QPushButton>(shown, "saveAllButton").click();
    ASSERT_TRUE(control<QPushButton>(shown, "cancelButton").isEnabled());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return column(control<QTableView>(shown, "table"), PageImagesModel::SaveState)[0] ==
                   "Saving…";
        },
        kPatienceMs));
    control<QPushButton>(shown, "cancelButton").click();
    EXPECT_EQ(savedStates(), QStringList{"Cancelled"});
    EXPECT_TRUE(control<QPushButton>(shown, "retryButton").isEnabled());
    EXPECT_TRUE(control<QPushButton>(shown, "saveAllButton").isEnabled());
    EXPECT_EQ(QDir(saveFolder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(PageImagesWindowEngineTest, ClosingTheWindowStopsTheSaveAndLeavesNoFile)
{
    server.serveSlowly("/slow.png", png(Qt::red, {300, 200}), 100, -1, "image/png");
    server.serve("/slow.html", "<html><body><img src='/slow.png'></body></html>");
    PageImagesWindow& shown = openOn("/slow.html", 1);
    control<QPushButton>(shown, "saveAllButton").click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return !QDir(saveFolder.path())
                        .entryList({"*.download"}, QDir::Files | QDir::Hidden)
                        .isEmpty();
        },
        kPatienceMs));
    images.release()->close(); // the window deletes itself
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return QDir(saveFolder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty(); },
        kPatienceMs))
        << QDir(saveFolder.path()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();
}

TEST_F(PageImagesWindowEngineTest, AListingThatFailsIsSaidInTheStatusLine)
{
    PageImagesWindow& shown = openOn("/pictures.html", 3);
    // Something in the application's world that the finder's script cannot work with.
    runInPage(control<BrowserControl>(*window, "wb0").view(), "window.__varrowFindings = 1");
    shown.listPage();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return control<QLabel>(shown, "status")
                .text()
                .contains("Cannot list the page's pictures: TypeError");
        },
        kPatienceMs))
        << control<QLabel>(shown, "status").text().toStdString();
}

TEST_F(PageImagesWindowEngineTest, FollowsTheBrowserViewToTheNextPage)
{
    PageImagesWindow& shown = openOn("/pictures.html", 3);
    // At once: the first page may still be loading, and its late requests must not count for
    // the next one.
    go(address("/other.html"));
    ASSERT_TRUE(browserShows(address("/other.html")));
    const auto addresses = [&] {
        return column(control<QTableView>(shown, "table"), PageImagesModel::Address);
    };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !addresses().isEmpty() && addresses().first() == address("/blue.png"); },
        kPatienceMs))
        << addresses().join(' ').toStdString();
    // Only its picture, listed again once the engine has asked for the site's icon by itself:
    // that request is none of the page's.
    QTest::qWait(1000);
    shown.listPage();
    QTest::qWait(1000); // for an answer that would list more
    EXPECT_EQ(addresses(), QStringList{address("/blue.png")})
        << addresses().join(' ').toStdString();
}

} // namespace
} // namespace varrow::testing
