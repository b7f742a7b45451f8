#pragma once

#include "platform/desktop/DesignGeometry.h"

#include <QWidget>

class QLabel;

namespace varrow
{

class WindowContext;

// The About window: product name, version, maker and website from the version information, read
// when the window loads. The website label opens the site window.
class AboutWindow : public QWidget
{
    Q_OBJECT

public:
    explicit AboutWindow(WindowContext& context);

    void load();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* makeLabel(const char* name, const QString& caption, const TwipsRect& twips);

    WindowContext& m_context;
    DesignGeometry m_design;
    // Design names: Picture1 the picture, Label1 the product name, lblVersion, lblCompany and
    // lblWebsite the values beside the captions Label2 to Label4.
    QLabel* m_picture;
    QLabel* m_productName;
    QLabel* m_version;
    QLabel* m_company;
    QLabel* m_website;
};

} // namespace varrow
