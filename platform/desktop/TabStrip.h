#pragma once

#include <QFrame>
#include <QString>

class QTabBar;

namespace varrow
{

// A row of tabs over a framed area; the pages themselves are separate widgets that the window
// places over the area. Tabs are numbered from 1.
class TabStrip : public QFrame
{
    Q_OBJECT

public:
    explicit TabStrip(QWidget* parent = nullptr);

    void addTab(const QString& caption, const QString& toolTip);
    int selectedTab() const;
    void selectTab(int tab);

signals:
    // The user, or selectTab, selected another tab.
    void Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* m_tabs;
};

} // namespace varrow
