#include "shell/ViewArray.h"

#include "platform/browser/BrowserControl.h"

namespace varrow
{

ViewArray::ViewArray(QObject* parent) : QObject(parent) {}

std::int16_t ViewArray::add(BrowserControl* view)
{
    const std::int16_t index = m_count++;
    connect(view, &BrowserControl::StatusTextChange, this,
            [this, index](const QString& text) { emit StatusTextChange(index, text); });
    connect(view, &BrowserControl::ProgressChange, this,
            [this, index](int progress, int max) { emit ProgressChange(index, progress, max); });
    connect(view, &BrowserControl::TitleChange, this,
            [this, index](const QString& text) { emit TitleChange(index, text); });
    connect(view, &BrowserControl::DownloadBegin, this,
            [this, index] { emit DownloadBegin(index); });
    connect(view, &BrowserControl::DocumentReady, this,
            [this, index] { emit DocumentReady(index); });
    connect(view, &BrowserControl::DownloadComplete, this,
            [this, index] { emit DownloadComplete(index); });
    return index;
}

} // namespace varrow
