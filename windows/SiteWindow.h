#pragma once

#include "platform/desktop/DesignGeometry.h"
#include "platform/desktop/WindowChrome.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace varrow
{

class BrowserControl;
class WindowContext;
class StatusBar;
class TypedAddress;

// The site window: a small second browser that opens on the product website, with its own
// address box, browse, back, forward, stop and refresh buttons and a two-panel status bar. It can
// outlive the main window; the program then ends when it closes.
class SiteWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SiteWindow(WindowContext& context);

    void load();

    // Browses to the address in the address box.
    void browseTyped();
    // Back, forward, stop and refresh ignore every error.
    void goBack();
    void goForward();
    void stop();
    void refresh();

    // The window's size in twips, frame and title bar included.
    QSize outerSizeInTwips() const;
    const DesignGeometry& design() const { return m_design; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A picture button in the browser frame, its picture fitted to it.
    QToolButton* makeButton(const ControlDesign& control);
    // Sizes the status panels, the frame, the address box, the browse button and the browser to
    // the window; runs on every paint and resize.
    void arrangeControls();
    // Navigates the browser to `address` as typed; a refusal shows in panel 1.
    void browse(const QString& address);
    void setPanelWidth(int panel, int twips);

    void showStatusText(const QString& text);
    void showOpening();
    void showCompleted();

    WindowContext& m_context;
    DesignGeometry m_design;
    // Design names: frmBrowser the frame around the rest, Text1 the address box, Command3 the
    // browse button, Command4 to Command7 back, forward, stop and refresh, WebBrowser1 the
    // browser, StatusBar1 the status bar.
    QGroupBox* m_browserFrame;
    QLineEdit* m_addressBox;
    QToolButton* m_browseButton;
    QToolButton* m_backButton;
    QToolButton* m_forwardButton;
    QToolButton* m_stopButton;
    QToolButton* m_refreshButton;
    BrowserControl* m_browser;
    StatusBar* m_statusBar;
    TypedAddress* m_typedAddress;
};

} // namespace varrow
