#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace varrow
{

// A status bar of side-by-side text panels whose widths the window sets; panels wider than the
// bar are clipped. Panels are numbered from 1.
class StatusBar : public QWidget
{
    Q_OBJECT

public:
    explicit StatusBar(QWidget* parent = nullptr);

    void addPanel();
    int panelCount() const { return static_cast<int>(m_panels.size()); }

    void setPanelWidth(int panel, int pixels);
    int panelWidth(int panel) const;
    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Panel {
        int width = 96;
        QString text;
    };
    std::vector<Panel> m_panels{Panel{}}; // a new bar has one panel
};

} // namespace varrow
