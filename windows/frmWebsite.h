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
class frmWebsite : public QWidget
{
    Q_OBJECT

public:
    explicit frmWebsite(WindowContext& context);

    void Form_Load();
    // Sizes the status panels, the frame, the address box, the browse button and the browser to
    // the window; runs on every paint and resize.
    void ArrangeSiteWindow();

    void Command3_Click(); // browse to the address in Text1
    // Back, forward, stop and refresh ignore every error.
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();

    void WebBrowser1_StatusTextChange(const QString& text);
    void WebBrowser1_DownloadBegin();
    void WebBrowser1_DownloadComplete();

    // The window's size in twips, frame and title bar included.
    QSize outerSizeInTwips() const;
    const DesignGeometry& design() const { return m_design; }

    QGroupBox* frmBrowser;
    QLabel* Label5;
    QLineEdit* Text1;
    QToolButton* Command3;
    QToolButton* Command4;
    QToolButton* Command5;
    QToolButton* Command6;
    QToolButton* Command7;
    BrowserControl* WebBrowser1;
    StatusBar* StatusBar1;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A picture button in the browser frame, its picture fitted to it.
    void makeButton(const ControlDesign& control);
    // Navigates WebBrowser1 to `address` as typed; a refusal shows in panel 1.
    void browse(const QString& address);
    void setPanelWidth(int panel, int twips);

    WindowContext& m_context;
    DesignGeometry m_design;
    TypedAddress* m_typedAddress;
};

} // namespace varrow
