#include "windows/PageImagesFilter.h"

#include "windows/PageImagesModel.h"

namespace varrow
{

PageImagesFilter::PageImagesFilter(PageImagesModel& pictures, QObject* parent)
    : QSortFilterProxyModel(parent), m_pictures(pictures)
{
    setSourceModel(&pictures);
    setSortRole(PageImagesModel::kSortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

void PageImagesFilter::setMinimumSize(int width, int height)
{
    m_minimumWidth = width;
    m_minimumHeight = height;
    invalidateFilter();
}

void PageImagesFilter::setType(const QString& type)
{
    m_type = type;
    invalidateFilter();
}

bool PageImagesFilter::setAddressPattern(const QString& pattern, bool regular)
{
    m_text.clear();
    m_expression = QRegularExpression();
    bool valid = true;
    if (regular) {
        QRegularExpression expression(pattern, QRegularExpression::CaseInsensitiveOption);
        valid = expression.isValid();
        if (valid && !pattern.isEmpty())
            m_expression = std::move(expression);
    } else {
        m_text = pattern;
    }
    invalidateFilter();
    return valid;
}

bool PageImagesFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const PageImage& image = m_pictures.images().at(static_cast<std::size_t>(sourceRow));
    if ((m_minimumWidth > 0 && image.width < m_minimumWidth) ||
        (m_minimumHeight > 0 && image.height < m_minimumHeight))
        return false;
    if (!m_type.isEmpty() && QString::fromStdString(image.type) != m_type)
        return false;
    if (m_text.isEmpty() && m_expression.pattern().isEmpty())
        return true;
    const QString address = QString::fromStdString(image.listedUrl());
    if (!m_text.isEmpty())
        return address.contains(m_text, Qt::CaseInsensitive);
    return m_expression.match(address).hasMatch();
}

} // namespace varrow
