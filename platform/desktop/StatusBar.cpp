#include "platform/desktop/StatusBar.h"

#include <QPainter>
#include <QStyleOption>

namespace varrow
{

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {}

void StatusBar::addPanel()
{
    m_panels.emplace_back();
    update();
}

void StatusBar::setPanelWidth(int panel, int pixels)
{
    m_panels.at(static_cast<size_t>(panel - 1)).width = pixels;
    update();
}

int StatusBar::panelWidth(int panel) const
{
    return m_panels.at(static_cast<size_t>(panel - 1)).width;
}

void StatusBar::setPanelText(int panel, const QString& text)
{
    m_panels.at(static_cast<size_t>(panel - 1)).text = text;
    update();
}

QString StatusBar::panelText(int panel) const
{
    return m_panels.at(static_cast<size_t>(panel - 1)).text;
}

void StatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    int left = 0;
    for (const Panel& panel : m_panels) {
        const QRect box(left + 1, 1, panel.width - 2, height() - 2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(palette().color(QPalette::WindowText));
        const QString text = fontMetrics().elidedText(panel.text, Qt::ElideRight, box.width() - 8);
        painter.drawText(box.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
        left += panel.width;
    }
}

} // namespace varrow
