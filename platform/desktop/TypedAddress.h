#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;

namespace varrow
{

// Keeps what a person types in an address box. While the box holds text the person has edited
// and not yet sent, the page's notifications leave it alone; Escape puts back the page's address.
// Sending it (Enter, Go) makes the box follow the page again.
class TypedAddress : public QObject
{
    Q_OBJECT

public:
    // `pageAddress` gives the address of the page on show, for Escape.
    TypedAddress(QLineEdit& box, std::function<QString()> pageAddress);

    // Shows `address` in the box, unless the person is editing it.
    void follow(const QString& address);
    // The box's text has been sent or replaced by a command: notifications update it again.
    void sent();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit& m_box;
    std::function<QString()> m_pageAddress;
    bool m_editing = false;
};

} // namespace varrow
