#pragma once

#include "extract/PageImages.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <vector>

namespace varrow
{

class ThumbnailLoader;

// A page's pictures as a table: thumbnail, address, type, size, bytes, alt text, count, how each
// was found, and how saving it went. A picture's type and byte count are those of the bytes the
// thumbnail loader fetched for it, once it has. Numbers sort as numbers through kSortRole;
// thumbnails come from the loader only for the rows a view paints.
class PageImagesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Thumbnail, Address, Type, Size, Bytes, Alt, Count, Found, SaveState, Columns };
    // The value a column sorts by: numbers for the numeric columns, text for the others.
    static constexpr int kSortRole = Qt::UserRole;
    // The whole address (data: addresses are listed in short form).
    static constexpr int kUrlRole = Qt::UserRole + 1;

    explicit PageImagesModel(ThumbnailLoader& thumbnails, QObject* parent = nullptr);

    // Replaces the rows; save states start empty.
    void setImages(std::vector<PageImage> images);
    const std::vector<PageImage>& images() const { return m_images; }
    // The row of the picture with this whole address, or -1.
    int rowOf(const QString& url) const;
    void setSaveState(int row, const QString& state);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // A picture of this MIME type was fetched: the types offered for filtering may grow.
    void typeSeen(const QString& type);

private:
    QVariant display(const PageImage& image, int row, int column) const;
    QVariant sortKey(const PageImage& image, int row, int column) const;
    void thumbnailLoaded(const QString& url);
    // The picture's type and byte count come from its fetched bytes.
    void pictureFetched(const QString& url, const QString& type, qint64 bytes);

    ThumbnailLoader& m_thumbnails;
    std::vector<PageImage> m_images;
    QHash<QString, int> m_rowByUrl;
    QStringList m_saveStates;
};

} // namespace varrow
