#pragma once

#include "extract/ImageLists.h"
#include "integration/ToolsMenu.h"
#include "platform/desktop/DesignGeometry.h"
#include "shell/LastCapture.h"
#include "shell/MainLayout.h"

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
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
//
// Each control's objectName is its design name ("cmbBack", "txtUrl", "wb0", "mnuGoItem5", ...),
// by which tests find it.
class MainWindow : public QMainWindow, private ToolsMenu
{
    Q_OBJECT

public:
    // The three views, in the order of their tabs.
    enum View : std::int16_t { BrowserView, SourceView, GalleryView };

    explicit MainWindow(WindowContext& context);
    ~MainWindow() override;

    void load();

    // Shows `view` alone and selects its tab.
    void selectView(View view);
    // Shows `view` alone, leaving the tabs as they are.
    void showView(View view);
    // Captures the browser view's page now, and shows the source and gallery pages.
    void capture();

    // Commands; a menu item runs the same command as its button.
    void goBack();
    void goForward();
    void stop();
    void refresh();
    void goUpDirectory();
    // Takes the address of the view on show into the address box and opens it in the browser
    // view, so that a picture or the source page can be browsed from there.
    void sendToIe();
    void go();
    void openFile();

    // A message that matters (a refused request, an incomplete capture, a Tools menu result): it
    // stays in panel 1 until the next page load or the next command.
    void showMessage(const QString& text);

    BrowserControl& browserView() const { return *m_views[BrowserView]; }
    // What the last capture found.
    const ImageLists& imageLists() const { return m_imageLists; }

    // Design geometry in twips, kept as the controls' own properties are.
    TwipsRect geometryOf(const QWidget* control) const;
    // The window's outer size in twips: frame, title bar and menu bar included.
    QSize outerSizeInTwips() const;

signals:
    // The browser view completed a load and this window has captured it. Whatever else follows
    // the view's loads follows this, so the source and gallery are made first.
    void pageLoadHandled();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createButtons();
    void createAddressRow();
    void createViews();
    void createStatusBar();
    void connectCommands();
    void createMenus();
    // Adds one menu item per entry of `items` to `menu`, named `designName` and its index.
    void addMenuItems(QMenu* menu, const char* designName,
                      const std::vector<std::pair<QString, std::function<void()>>>& items);
    // The menu item by its design name, as created by addMenuItems.
    QAction* menuItem(const char* designName, int index) const;

    void setGeometryOf(QWidget* control, const TwipsRect& twips);
    void arrangeControls();
    // The view the user is looking at: the last visible one, if any.
    std::optional<View> visibleView() const;
    void stopAllViews();
    void createMissingWorkFiles();
    // Ends a lasting message before each command of a button or of Enter runs; the menu items
    // end it as they are made.
    void endMessagesOnCommands();
    // Runs a request whose refusal the user should hear about, in the status bar.
    void reportRefusal(const std::function<void()>& request);
    // Captures the browser view's snapshot unless the last capture already wrote what it would.
    void captureIfChanged();
    // Shows a generated page in `view` as `reload` says; a view that has since left the page
    // loads it afresh.
    void showGeneratedPage(BrowserControl& view, const std::filesystem::path& page,
                           LastCapture::Reload reload);

    // The views' notifications, with each view's index.
    void showStatusText(std::int16_t view, const QString& text);
    void showProgress(std::int16_t view, int progress, int progressMax);
    void followTitle(std::int16_t view, const QString& title);
    void notePageLoadBegan(std::int16_t view);
    void capturePageOf(std::int16_t view);

    // The Tools menu's items and the status bar, as the toolbar entry's commands see them.
    void setItemEnabled(int index, bool enabled) override;
    void showStatus(const std::string& text) override;

    WindowContext& m_context;
    QWidget* m_client;
    DesignGeometry m_design;

    QToolButton* m_backButton;
    QToolButton* m_forwardButton;
    QToolButton* m_stopButton;
    QToolButton* m_refreshButton;
    QToolButton* m_upDirectoryButton;
    QToolButton* m_sendToIeButton;
    QToolButton* m_websiteButton;
    QToolButton* m_goButton;
    QLineEdit* m_addressLabel;
    QLineEdit* m_addressBox;
    TypedAddress* m_typedAddress;
    BrowserControl* m_bannerView;
    QLabel* m_bannerPicture;
    TabStrip* m_tabStrip;
    std::array<BrowserControl*, 3> m_views;
    ViewArray* m_viewNotifications;
    StatusBar* m_statusBar;
    ProgressMeter* m_progressMeter;
    std::unique_ptr<StatusMessages> m_messages;

    ImageLists m_imageLists;
    LastCapture m_lastCapture;
};

} // namespace varrow
