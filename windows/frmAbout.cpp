#include "windows/frmAbout.h"

#include "shell/Program.h"

#include <QCloseEvent>

namespace varrow
{

frmAbout::frmAbout(Program& program) : QWidget(nullptr, Qt::Window), m_program(program)
{
    setObjectName("frmAbout");
    setAttribute(Qt::WA_DeleteOnClose);
}

void frmAbout::Form_Load()
{
    setWindowTitle(tr("About"));
}

void frmAbout::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_program.forgetWindow(this);
}

} // namespace varrow
