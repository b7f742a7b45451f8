#pragma once

#include "platform/desktop/DesignGeometry.h"

#include <QWidget>

class QLabel;

namespace varrow
{

class WindowContext;

// The About window: product name, version, maker and website from the version information, read
// when the window loads. The website label opens the site window.
class frmAbout : public QWidget
{
    Q_OBJECT

public:
    explicit frmAbout(WindowContext& context);

    void Form_Load();
    void lblWebsite_Click();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* lblVersion;
    QLabel* Label3;
    QLabel* lblCompany;
    QLabel* Label4;
    QLabel* lblWebsite;
    QLabel* Picture1;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* makeLabel(const char* name, const QString& caption, const TwipsRect& twips);

    WindowContext& m_context;
    DesignGeometry m_design;
};

} // namespace varrow
