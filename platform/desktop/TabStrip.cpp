#include "platform/desktop/TabStrip.h"

#include <QTabBar>

namespace varrow
{

TabStrip::TabStrip(QWidget* parent) : QFrame(parent), m_tabs(new QTabBar(this))
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    connect(m_tabs, &QTabBar::currentChanged, this, &TabStrip::Click);
}

void TabStrip::addTab(const QString& caption, const QString& toolTip)
{
    const QSignalBlocker quiet(m_tabs); // adding the first tab selects it
    const int index = m_tabs->addTab(caption);
    m_tabs->setTabToolTip(index, toolTip);
}

int TabStrip::selectedTab() const
{
    return m_tabs->currentIndex() + 1;
}

void TabStrip::selectTab(int tab)
{
    m_tabs->setCurrentIndex(tab - 1);
}

void TabStrip::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    m_tabs->setGeometry(2, 2, width() - 4, m_tabs->sizeHint().height());
}

} // namespace varrow
