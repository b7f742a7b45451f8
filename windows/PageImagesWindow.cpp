#include "windows/PageImagesWindow.h"

#include "extract/PageImageExport.h"
#include "platform/browser/BrowserControl.h"
#include "platform/textfile/TextFile.h"
#include "shell/pictures/PageImageFinder.h"
#include "windows/PageImagesFilter.h"
#include "windows/PageImagesModel.h"
#include "windows/PageImagesSaving.h"
#include "windows/PictureFolderChoice.h"
#include "windows/ThumbnailLoader.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <set>

namespace varrow
{
namespace
{

constexpr int kRowHeight = ThumbnailLoader::kEdge + 4;
constexpr int kLargestSize = 100000;
constexpr int kWindowWidth = 1040;
constexpr int kWindowHeight = 600;

// The columns' widths when the window opens, in pixels: "Found by" holds three or four labels,
// and the save state, which takes the rest, a file name or a reason.
constexpr int kColumnWidths[PageImagesModel::Columns] = {56, 220, 80, 100, 70, 80, 50, 140, 160};

QSpinBox* makeSizeBox(QWidget* parent, const char* name)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, kLargestSize);
    box->setSuffix(QObject::tr(" px"));
    box->setSpecialValueText(QObject::tr("any"));
    return box;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

PageImagesDialogs PageImagesDialogs::standard(SettingsStore* settings)
{
    PageImagesDialogs dialogs;
    dialogs.chooseFolder = [settings](QWidget* parent) {
        const QString folder = QFileDialog::getExistingDirectory(
            parent, QObject::tr("Save pictures into"), pictureFolderToOffer(settings));
        rememberPictureFolder(settings, folder);
        return folder;
    };
    dialogs.chooseFileToWrite = [](QWidget* parent, const QString& caption, const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
    };
    dialogs.showProblem = [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, QObject::tr("Page Images"), text);
    };
    return dialogs;
}

PageImagesWindow::PageImagesWindow(PageImagesSources sources, PageImagesDialogs dialogs,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_sources(std::move(sources)), m_dialogs(std::move(dialogs)),
      m_thumbnails(new ThumbnailLoader(this)), m_pictures(new PageImagesModel(*m_thumbnails, this)),
      m_shown(new PageImagesFilter(*m_pictures, this)),
      m_saving(new PageImagesSaving(*m_pictures, this))
{
    setObjectName("PageImagesWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Page Images"));
    setWindowIcon(QIcon(":/varrow/icon.png"));
    resize(kWindowWidth, kWindowHeight);
    createControls();

    if (m_sources.followLoads)
        m_sources.followLoads(this, [this] { listPage(); });
    if (m_sources.finder)
        connect(m_sources.finder, &PageImageFinder::pageChanged, this,
                &PageImagesWindow::handlePageChanged);
    connect(m_pictures, &PageImagesModel::typeSeen, this, [this](const QString& type) {
        if (m_typeFilter->findData(type) < 0)
            fillTypes();
    });
    connect(m_shown, &QAbstractItemModel::rowsInserted, this, &PageImagesWindow::updateStatus);
    connect(m_shown, &QAbstractItemModel::rowsRemoved, this, &PageImagesWindow::updateStatus);
    connect(m_shown, &QAbstractItemModel::modelReset, this, &PageImagesWindow::updateStatus);
    connect(m_shown, &QAbstractItemModel::layoutChanged, this, &PageImagesWindow::updateStatus);
    listPage();
}

PageImagesWindow::~PageImagesWindow() = default;

void PageImagesWindow::createControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(createFilterRow());
    layout->addLayout(createActionRow());
    layout->addWidget(createTable(), 1);
    m_status = new QLabel(this);
    m_status->setObjectName("status");
    layout->addWidget(m_status);
    connectControls();
}

QHBoxLayout* PageImagesWindow::createFilterRow()
{
    m_minimumWidth = makeSizeBox(this, "minimumWidth");
    m_minimumHeight = makeSizeBox(this, "minimumHeight");
    m_typeFilter = new QComboBox(this);
    m_typeFilter->setObjectName("typeFilter");
    m_typeFilter->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_addressFilter = new QLineEdit(this);
    m_addressFilter->setObjectName("addressFilter");
    m_addressFilter->setPlaceholderText(tr("Address contains"));
    m_addressFilter->setClearButtonEnabled(true);
    m_regularExpression = new QCheckBox(tr("Regular expression"), this);
    m_regularExpression->setObjectName("regularExpression");

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(tr("Width at least"), this));
    filters->addWidget(m_minimumWidth);
    filters->addWidget(new QLabel(tr("Height at least"), this));
    filters->addWidget(m_minimumHeight);
    filters->addWidget(m_typeFilter);
    filters->addWidget(m_addressFilter, 1);
    filters->addWidget(m_regularExpression);
    return filters;
}

QHBoxLayout* PageImagesWindow::createActionRow()
{
    m_copyButton = makeButton(this, "copyButton", tr("Copy addresses"));
    m_exportCsvButton = makeButton(this, "exportCsvButton", tr("Export CSV…"));
    m_exportJsonButton = makeButton(this, "exportJsonButton", tr("Export JSON…"));
    m_saveSelectedButton = makeButton(this, "saveSelectedButton", tr("Save selected…"));
    m_saveAllButton = makeButton(this, "saveAllButton", tr("Save all…"));
    m_cancelButton = makeButton(this, "cancelButton", tr("Cancel"));
    m_retryButton = makeButton(this, "retryButton", tr("Retry"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("progress");
    m_progress->setFormat(tr("%v of %m done"));
    m_progress->hide(); // until the first picture is saved

    auto* actions = new QHBoxLayout;
    actions->addWidget(m_copyButton);
    actions->addWidget(m_saveSelectedButton);
    actions->addWidget(m_saveAllButton);
    actions->addWidget(m_progress, 1);
    actions->addWidget(m_cancelButton);
    actions->addWidget(m_retryButton);
    actions->addStretch(1);
    actions->addWidget(m_exportCsvButton);
    actions->addWidget(m_exportJsonButton);
    return actions;
}

QTableView* PageImagesWindow::createTable()
{
    m_table = new QTableView(this);
    m_table->setObjectName("table");
    m_table->setModel(m_shown);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(-1, Qt::AscendingOrder); // first-found order until a header is clicked
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setIconSize({ThumbnailLoader::kEdge, ThumbnailLoader::kEdge});
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideMiddle);
    // Fixed row heights keep scrolling through many rows from measuring each of them.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < PageImagesModel::Columns; ++column)
        m_table->setColumnWidth(column, kColumnWidths[column]);
    return m_table;
}

void PageImagesWindow::connectControls()
{
    const auto filter = [this] { applyFilters(); };
    connect(m_minimumWidth, &QSpinBox::valueChanged, this, filter);
    connect(m_minimumHeight, &QSpinBox::valueChanged, this, filter);
    connect(m_typeFilter, &QComboBox::currentIndexChanged, this, filter);
    connect(m_addressFilter, &QLineEdit::textChanged, this, filter);
    connect(m_regularExpression, &QCheckBox::toggled, this, filter);
    connect(m_copyButton, &QPushButton::clicked, this, &PageImagesWindow::copyAddresses);
    connect(m_saveSelectedButton, &QPushButton::clicked, this, &PageImagesWindow::saveSelected);
    connect(m_saveAllButton, &QPushButton::clicked, this, &PageImagesWindow::saveAll);
    connect(m_cancelButton, &QPushButton::clicked, m_saving, &PageImagesSaving::cancel);
    connect(m_retryButton, &QPushButton::clicked, m_saving, &PageImagesSaving::retry);
    connect(m_saving, &PageImagesSaving::changed, this, &PageImagesWindow::updateSaveButtons);
    connect(m_saving, &PageImagesSaving::changed, this, &PageImagesWindow::updateProgressText);
    connect(m_saving, &PageImagesSaving::progress, this, [this](int done, int total) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
    });
    updateSaveButtons();
    connect(m_exportCsvButton, &QPushButton::clicked, this, &PageImagesWindow::exportCsv);
    connect(m_exportJsonButton, &QPushButton::clicked, this, &PageImagesWindow::exportJson);
}

void PageImagesWindow::listPage()
{
    const unsigned listing = ++m_listing;
    const QUrl page(m_sources.view->LocationURL());
    auto done = [window = QPointer(this), listing, page](PageImageInventory found,
                                                         const QString& problem) {
        if (!window || listing != window->m_listing)
            return;
        window->m_listProblem =
            problem.isEmpty() ? QString() : tr("Cannot list the page's pictures: %1").arg(problem);
        window->m_thumbnails->setPage(page);
        window->showImages(found.images());
    };
    if (m_sources.finder)
        m_sources.finder->find({}, std::move(done));
    else
        done({}, QString());
}

void PageImagesWindow::handlePageChanged()
{
    ++m_listing;
    if (!m_saving->running())
        m_progress->hide(); // the last save was another page's
    m_listProblem.clear();
    m_thumbnails->setPage(QUrl());
    showImages({});
}

void PageImagesWindow::showImages(std::vector<PageImage> images)
{
    m_pictures->setImages(std::move(images));
    fillTypes();
    updateStatus();
}

void PageImagesWindow::fillTypes()
{
    const QString chosen = m_typeFilter->currentData().toString();
    std::set<std::string> types;
    for (const PageImage& image : m_pictures->images())
        if (!image.type.empty())
            types.insert(image.type);
    const QSignalBlocker quiet(m_typeFilter);
    m_typeFilter->clear();
    m_typeFilter->addItem(tr("All types"), QString());
    for (const std::string& type : types)
        m_typeFilter->addItem(QString::fromStdString(type), QString::fromStdString(type));
    // A type that the new page no longer has still filters, so the person sees why nothing shows.
    if (!chosen.isEmpty() && m_typeFilter->findData(chosen) < 0)
        m_typeFilter->addItem(chosen, chosen);
    m_typeFilter->setCurrentIndex(std::max(0, m_typeFilter->findData(chosen)));
}

void PageImagesWindow::applyFilters()
{
    m_shown->setMinimumSize(m_minimumWidth->value(), m_minimumHeight->value());
    m_shown->setType(m_typeFilter->currentData().toString());
    const bool valid =
        m_shown->setAddressPattern(m_addressFilter->text(), m_regularExpression->isChecked());
    m_problem = valid ? QString() : tr("Not a valid regular expression");
    m_addressFilter->setStyleSheet(valid ? QString() : QStringLiteral("color: red;"));
    m_addressFilter->setToolTip(m_problem);
    updateStatus();
}

void PageImagesWindow::updateStatus()
{
    QString text =
        tr("%1 of %2 pictures shown").arg(m_shown->rowCount()).arg(m_pictures->rowCount());
    for (const QString& problem : {m_listProblem, m_problem})
        if (!problem.isEmpty())
            text += " — " + problem;
    m_status->setText(text);
}

std::vector<PageImage> PageImagesWindow::shownImages() const
{
    std::vector<PageImage> images;
    images.reserve(static_cast<std::size_t>(m_shown->rowCount()));
    for (int row = 0; row < m_shown->rowCount(); ++row)
        images.push_back(m_pictures->images().at(
            static_cast<std::size_t>(m_shown->mapToSource(m_shown->index(row, 0)).row())));
    return images;
}

std::vector<PageImage> PageImagesWindow::selectedImages() const
{
    QModelIndexList rows = m_table->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<PageImage> images;
    images.reserve(static_cast<std::size_t>(rows.size()));
    for (const QModelIndex& row : rows)
        images.push_back(
            m_pictures->images().at(static_cast<std::size_t>(m_shown->mapToSource(row).row())));
    return images;
}

void PageImagesWindow::copyAddresses()
{
    QStringList addresses;
    for (const PageImage& image : selectedImages())
        addresses += QString::fromStdString(image.url);
    if (!addresses.isEmpty())
        QGuiApplication::clipboard()->setText(addresses.join('\n'));
}

void PageImagesWindow::saveSelected()
{
    save(selectedImages());
}

void PageImagesWindow::saveAll()
{
    save(shownImages());
}

void PageImagesWindow::save(const std::vector<PageImage>& images)
{
    if (images.empty() || !m_sources.page)
        return;
    const QString folder = m_dialogs.chooseFolder(this);
    if (folder.isEmpty())
        return;
    QStringList urls;
    for (const PageImage& image : images)
        urls += QString::fromStdString(image.url);
    m_progress->show();
    m_saving->save(*m_sources.page, folder, urls);
}

void PageImagesWindow::updateSaveButtons()
{
    const bool running = m_saving->running();
    m_saveSelectedButton->setEnabled(m_sources.page && !running);
    m_saveAllButton->setEnabled(m_sources.page && !running);
    m_cancelButton->setEnabled(running);
    m_retryButton->setEnabled(!running && m_saving->retryable());
}

void PageImagesWindow::updateProgressText()
{
    m_progress->setFormat(m_saving->running() ? tr("%v of %m done") : m_saving->outcome());
}

void PageImagesWindow::exportCsv()
{
    std::string text = imagesCsv(shownImages());
    // The file ends with the last line's own CR LF, which the text writer adds.
    text.resize(text.size() - 2);
    exportText(tr("Export CSV"), tr("CSV files (*.csv)"), text);
}

void PageImagesWindow::exportJson()
{
    std::string text = "[";
    for (const PageImage& image : shownImages())
        text += (text.size() > 1 ? ",\r\n" : "\r\n") + imageJsonLine(image);
    text += "\r\n]";
    exportText(tr("Export JSON"), tr("JSON files (*.json)"), text);
}

void PageImagesWindow::exportText(const QString& caption, const QString& filter,
                                  const std::string& text)
{
    const QString path = m_dialogs.chooseFileToWrite(this, caption, filter);
    if (path.isEmpty())
        return;
    try {
        writeTextFile(pathFromUtf8(path.toStdString()), text);
        m_status->setText(tr("Written to %1").arg(path));
    } catch (const FileError& failed) {
        m_dialogs.showProblem(
            this, tr("Cannot write %1: %2").arg(path, QString::fromStdString(failed.reason())));
    }
}

} // namespace varrow
