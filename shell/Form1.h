#pragma once

#include "extract/ImageLists.h"
#include "platform/desktop/DesignGeometry.h"
#include "shell/LastCapture.h"
#include "shell/MainLayout.h"

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QToolButton;

namespace varrow
{

class BrowserControl;
class WindowContext;
class ProgressMeter;
class StatusBar;
class StatusMessages;
class TabStrip;
class TypedAddress;
class ViewArray;

// The main window: navigation buttons, address row, banner strip, three browser views under a
// tab strip, and a status bar with a progress bar. As soon as the browser view's document has been
// parsed, and again when its download completes, it captures the page (the second time only when
// the body changed) and shows the source and gallery pages in the other views.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(WindowContext& context);
    ~Form1() override;

    void Form_Load();

    void ResizeControls();
    void ShowView(std::int16_t index);
    void SelectView(std::int16_t index);
    bool CapturePage();

    // Commands; a menu item runs the same command as its button.
    void cmbBack_Click();
    void cmdForward_Click();
    void cmdStop_Click();
    void cmdRefresh_Click();
    void cmdBackDir_Click();
    void Command1_Click();
    void cmdGo_Click();
    void cmdWebsite_Click();
    void TabStrip1_Click();
    void mnuFileOpen_Click();
    void mnuFileExit_Click();
    void mnuViewBrowser_Click();
    void mnuViewSource_Click();
    void mnuViewImages_Click();
    void mnuViewPageImages_Click();
    void mnuToolsAdd_Click();
    void mnuToolsRemove_Click();
    void mnuHelpView_Click();
    void mnuAboutThis_Click();

    // Notifications of the three views.
    void wb_StatusTextChange(std::int16_t index, const QString& text);
    void wb_ProgressChange(std::int16_t index, int progress, int progressMax);
    void wb_TitleChange(std::int16_t index, const QString& text);
    void wb_DownloadBegin(std::int16_t index);
    void wb_DocumentReady(std::int16_t index);
    void wb_DownloadComplete(std::int16_t index);

    // A message that matters (a refused request, an incomplete capture, a Tools menu result): it
    // stays in panel 1 until the next page load or the next command.
    void showMessage(const QString& text);

    // Controls, by their design names.
    QToolButton* cmbBack;
    QToolButton* cmdForward;
    QToolButton* cmdStop;
    std::array<QToolButton*, 1> cmdRefresh;
    QToolButton* cmdBackDir;
    QToolButton* Command1;
    QToolButton* cmdWebsite;
    QLineEdit* Text1;
    QLineEdit* txtUrl;
    QToolButton* cmdGo;
    BrowserControl* wbBanner;
    QLabel* wbPicture;
    TabStrip* TabStrip1;
    std::array<BrowserControl*, 3> wb;
    StatusBar* sb1;
    ProgressMeter* pb1;
    ImageLists lists; // frmList and Links

    std::array<QAction*, 2> mnuFileItem;
    std::array<QAction*, 6> mnuGoItem;
    std::array<QAction*, 4> mnuViewItem;
    QAction* mnuViewPageImages;
    std::array<QAction*, 2> mnuToolsItem;
    std::array<QAction*, 1> mnuHelpItem;
    std::array<QAction*, 1> mnuAboutItem;

    // Design geometry in twips, kept as the controls' own properties are.
    TwipsRect geometryOf(const QWidget* control) const;
    void setGeometryOf(QWidget* control, const TwipsRect& twips);
    // The window's outer size in twips: frame, title bar and menu bar included.
    QSize outerSizeInTwips() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void createMenus();
    // Connects the views' notifications, forwarded with each view's index, to the wb_ handlers.
    void connectViews();
    // The view the user is looking at: the last visible one, or 3 when none is.
    std::int16_t visibleView() const;
    void stopAllViews();
    void createMissingWorkFiles();
    // Ends a lasting message before each command of a button or of Enter runs; the menu items
    // end it as they are made.
    void endMessagesOnCommands();
    // Runs a request whose refusal the user should hear about, in the status bar.
    void reportRefusal(const std::function<void()>& request);
    // Captures view 0's snapshot unless the last capture already wrote what it would write.
    void captureIfChanged();
    // Shows a generated page in `view` as `reload` says; a view that has since left the page
    // loads it afresh.
    void showGeneratedPage(BrowserControl& view, const std::filesystem::path& page,
                           LastCapture::Reload reload);

    WindowContext& m_context;
    QWidget* m_client;
    DesignGeometry m_design;
    std::unique_ptr<StatusMessages> m_messages;
    TypedAddress* m_typedUrl;
    ViewArray* m_views;
    LastCapture m_lastCapture;
};

} // namespace varrow
