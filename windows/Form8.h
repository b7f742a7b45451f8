#pragma once

#include <QWidget>

namespace varrow
{

class Program;

// The help window: the help file in a rich-text view.
class Form8 : public QWidget
{
    Q_OBJECT

public:
    explicit Form8(Program& program);

    void Form_Load();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Program& m_program;
};

} // namespace varrow
