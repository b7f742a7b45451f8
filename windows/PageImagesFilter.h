#pragma once

#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QString>

namespace varrow
{

class PageImagesModel;

// The rows of a PageImagesModel that pass the filters, sorted by any column (numbers as
// numbers). A picture of unknown size passes no minimum size. An empty address pattern passes
// everything, and so does one that is not a valid regular expression.
class PageImagesFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit PageImagesFilter(PageImagesModel& pictures, QObject* parent = nullptr);

    void setMinimumSize(int width, int height);
    // Only pictures of this MIME type; an empty type passes every type.
    void setType(const QString& type);
    // Only pictures whose listed address contains `pattern` (ignoring case) or, with `regular`,
    // matches it as a regular expression. Returns false when `regular` and the pattern is no
    // valid expression.
    bool setAddressPattern(const QString& pattern, bool regular);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    PageImagesModel& m_pictures;
    int m_minimumWidth = 0;
    int m_minimumHeight = 0;
    QString m_type;
    QString m_text;
    QRegularExpression m_expression; // used when valid and not empty
};

} // namespace varrow
