#pragma once

#include "extract/PageImages.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QWebEnginePage;

namespace varrow
{

class BrowserControl;
class PageImageFinder;
class PageImagesFilter;
class PageImagesModel;
class PageImagesSaving;
class SettingsStore;
class ThumbnailLoader;

// What the window lists: the browser view it follows and the finder of the pictures its live
// page uses; and the engine page whose downloads save them.
struct PageImagesSources {
    BrowserControl* view = nullptr;
    QWebEnginePage* page = nullptr;    // without one, nothing can be saved
    PageImageFinder* finder = nullptr; // without one, nothing is listed
    // Has `listPage` called, for as long as `receiver` lives, after each completed load of the
    // view once the view's own window has handled it; without it the window lists on request.
    std::function<void(QObject* receiver, std::function<void()> listPage)> followLoads;
};

// How the window asks the person; tests replace each of them.
struct PageImagesDialogs {
    // The folder to save pictures into, or an empty text when cancelled.
    std::function<QString(QWidget* parent)> chooseFolder;
    // The file to write, or an empty text when cancelled.
    std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>
        chooseFileToWrite;
    // Tells the person what went wrong.
    std::function<void(QWidget* parent, const QString& text)> showProblem;

    // The standard file dialogs and message boxes. The folder dialog opens where
    // pictureFolderToOffer says and remembers the folder chosen in `settings`.
    static PageImagesDialogs standard(SettingsStore* settings = nullptr);
};

// "Page Images": every picture of the page in a browser view, in a table with thumbnails that
// sorts by any column and filters by minimum size, type and address; copies the selected
// addresses, saves the selected pictures or those shown into a folder, and exports the rows shown
// as CSV or JSON. It lists the page again after every
// completed download of the view it follows.
class PageImagesWindow : public QWidget
{
    Q_OBJECT

public:
    PageImagesWindow(PageImagesSources sources, PageImagesDialogs dialogs,
                     QWidget* parent = nullptr);
    ~PageImagesWindow() override;

    // Lists the pictures of the page the view shows now.
    void listPage();
    // The view began another page: the rows of the old one go.
    void handlePageChanged();
    // Shows these pictures in place of the rows before.
    void showImages(std::vector<PageImage> images);

    void copyAddresses();
    void saveSelected();
    void saveAll(); // the pictures shown
    void exportCsv();
    void exportJson();

    PageImagesModel& pictures() const { return *m_pictures; }
    PageImagesFilter& shown() const { return *m_shown; }

private:
    // Makes the filter row, the action row, the table and the status line, and connects them.
    void createControls();
    QHBoxLayout* createFilterRow();
    QHBoxLayout* createActionRow();
    QTableView* createTable();
    void connectControls();
    void applyFilters();
    void fillTypes();
    void updateStatus();
    // The pictures of the rows shown, in the order shown.
    std::vector<PageImage> shownImages() const;
    // The pictures of the selected rows, in the order shown.
    std::vector<PageImage> selectedImages() const;
    void save(const std::vector<PageImage>& images);
    void updateSaveButtons();
    // The progress bar's text: pictures done while the job runs, then what became of them.
    void updateProgressText();
    void exportText(const QString& caption, const QString& filter, const std::string& text);

    // Each control's objectName is its name here without "m_".
    QSpinBox* m_minimumWidth;
    QSpinBox* m_minimumHeight;
    QComboBox* m_typeFilter;
    QLineEdit* m_addressFilter;
    QCheckBox* m_regularExpression;
    QTableView* m_table;
    QLabel* m_status;
    QPushButton* m_copyButton;
    QPushButton* m_saveSelectedButton;
    QPushButton* m_saveAllButton;
    QPushButton* m_cancelButton;
    QPushButton* m_retryButton;
    QProgressBar* m_progress;
    QPushButton* m_exportCsvButton;
    QPushButton* m_exportJsonButton;

    PageImagesSources m_sources;
    PageImagesDialogs m_dialogs;
    ThumbnailLoader* m_thumbnails;
    PageImagesModel* m_pictures;
    PageImagesFilter* m_shown;
    PageImagesSaving* m_saving;
    QString m_problem;     // the filters' complaint, shown in the status line
    QString m_listProblem; // why the page's pictures could not all be listed, shown there too
    // Counts listings, so that a late answer for an earlier page is dropped.
    unsigned m_listing = 0;
};

} // namespace varrow
