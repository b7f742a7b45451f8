#include "windows/PageImagesModel.h"

#include "windows/ThumbnailLoader.h"

#include <QLocale>

namespace varrow
{
namespace
{

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString foundText(const PageImage& image)
{
    QStringList labels;
    for (const std::string_view label : image.found.labels())
        labels += QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size()));
    return labels.join(' ');
}

} // namespace

PageImagesModel::PageImagesModel(ThumbnailLoader& thumbnails, QObject* parent)
    : QAbstractTableModel(parent), m_thumbnails(thumbnails)
{
    connect(&m_thumbnails, &ThumbnailLoader::loaded, this, &PageImagesModel::thumbnailLoaded);
    connect(&m_thumbnails, &ThumbnailLoader::fetched, this, &PageImagesModel::pictureFetched);
}

void PageImagesModel::setImages(std::vector<PageImage> images)
{
    beginResetModel();
    m_images = std::move(images);
    m_rowByUrl.clear();
    m_rowByUrl.reserve(static_cast<qsizetype>(m_images.size()));
    for (std::size_t row = 0; row < m_images.size(); ++row)
        m_rowByUrl.insert(fromUtf8(m_images[row].url), static_cast<int>(row));
    m_saveStates = QStringList(static_cast<qsizetype>(m_images.size()), QString());
    endResetModel();
}

int PageImagesModel::rowOf(const QString& url) const
{
    return m_rowByUrl.value(url, -1);
}

void PageImagesModel::setSaveState(int row, const QString& state)
{
    if (row < 0 || row >= m_saveStates.size())
        return;
    m_saveStates[row] = state;
    emit dataChanged(index(row, SaveState), index(row, SaveState));
}

void PageImagesModel::thumbnailLoaded(const QString& url)
{
    const int row = rowOf(url);
    if (row >= 0)
        emit dataChanged(index(row, Thumbnail), index(row, Thumbnail), {Qt::DecorationRole});
}

void PageImagesModel::pictureFetched(const QString& url, const QString& type, qint64 bytes)
{
    const int row = rowOf(url);
    if (row < 0)
        return;
    PageImage& image = m_images[static_cast<std::size_t>(row)];
    image.type = type.toStdString();
    image.bytes = bytes;
    emit dataChanged(index(row, Type), index(row, Bytes));
    emit typeSeen(type);
}

int PageImagesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_images.size());
}

int PageImagesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant PageImagesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const PageImage& image = m_images[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return display(image, index.row(), index.column());
    case Qt::ToolTipRole:
        return index.column() == Address ? fromUtf8(image.listedUrl())
                                         : display(image, index.row(), index.column());
    case Qt::DecorationRole:
        if (index.column() == Thumbnail)
            return m_thumbnails.thumbnail(fromUtf8(image.url));
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == Size || index.column() == Bytes || index.column() == Count)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case kSortRole:
        return sortKey(image, index.row(), index.column());
    case kUrlRole:
        return fromUtf8(image.url);
    default:
        return {};
    }
}

QVariant PageImagesModel::display(const PageImage& image, int row, int column) const
{
    switch (column) {
    case Address:
        return fromUtf8(image.listedUrl());
    case Type:
        return fromUtf8(image.type);
    case Size:
        if (image.width == 0 && image.height == 0)
            return QString();
        return QStringLiteral("%1 × %2").arg(image.width).arg(image.height);
    case Bytes:
        return image.bytes ? QLocale().toString(static_cast<qlonglong>(*image.bytes)) : QString();
    case Alt:
        return fromUtf8(image.alt);
    case Count:
        return image.count;
    case Found:
        return foundText(image);
    case SaveState:
        return m_saveStates.value(row);
    default:
        return {};
    }
}

QVariant PageImagesModel::sortKey(const PageImage& image, int row, int column) const
{
    switch (column) {
    case Thumbnail:
    case Size:
        // By area, then by width; unknown sizes first.
        return static_cast<qlonglong>(image.width) * image.height * 100000 + image.width;
    case Bytes:
        return image.bytes ? static_cast<qlonglong>(*image.bytes) : qlonglong(-1);
    case Count:
        return image.count;
    default:
        return display(image, row, column);
    }
}

QVariant PageImagesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Thumbnail:
        return tr("Picture");
    case Address:
        return tr("Address");
    case Type:
        return tr("Type");
    case Size:
        return tr("Width × height");
    case Bytes:
        return tr("Bytes");
    case Alt:
        return tr("Alt text");
    case Count:
        return tr("Count");
    case Found:
        return tr("Found by");
    case SaveState:
        return tr("Saved");
    default:
        return {};
    }
}

} // namespace varrow
