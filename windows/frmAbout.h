#pragma once

#include <QWidget>

namespace varrow
{

class Program;

// The About window: the product identity from the version information.
class frmAbout : public QWidget
{
    Q_OBJECT

public:
    explicit frmAbout(Program& program);

    void Form_Load();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Program& m_program;
};

} // namespace varrow
