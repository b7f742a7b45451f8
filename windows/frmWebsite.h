#pragma once

#include <QMainWindow>

namespace varrow
{

class Program;

// The site window: a small second browser that opens on the product website.
class frmWebsite : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmWebsite(Program& program);

    void Form_Load();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Program& m_program;
};

} // namespace varrow
