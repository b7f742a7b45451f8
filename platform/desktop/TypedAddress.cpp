#include "platform/desktop/TypedAddress.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace varrow
{

TypedAddress::TypedAddress(QLineEdit& box, std::function<QString()> pageAddress)
    : QObject(&box), m_box(box), m_pageAddress(std::move(pageAddress))
{
    connect(&box, &QLineEdit::textEdited, this, [this] { m_editing = true; });
    box.installEventFilter(this);
}

void TypedAddress::follow(const QString& address)
{
    if (!m_editing)
        m_box.setText(address);
}

void TypedAddress::sent()
{
    m_editing = false;
}

bool TypedAddress::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_box && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_editing = false;
        m_box.setText(m_pageAddress());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace varrow
