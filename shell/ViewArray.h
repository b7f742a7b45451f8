#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <vector>

namespace varrow
{

class BrowserControl;

// The main window's browser views as one control array: each view's notifications come out
// again with the view's index, so the window connects to the array once. The views stay owned
// by their parent widget.
class ViewArray : public QObject
{
    Q_OBJECT

public:
    explicit ViewArray(QObject* parent = nullptr);

    // Gives `view` the next index and forwards its notifications under that index.
    std::int16_t add(BrowserControl* view);

signals:
    void StatusTextChange(std::int16_t index, const QString& text);
    void ProgressChange(std::int16_t index, int progress, int progressMax);
    void TitleChange(std::int16_t index, const QString& text);
    void DownloadBegin(std::int16_t index);
    void DocumentReady(std::int16_t index);
    void DownloadComplete(std::int16_t index);

private:
    std::int16_t m_count = 0;
};

} // namespace varrow
