#include "windows/frmWebsite.h"

#include "shell/Program.h"

#include <QCloseEvent>

namespace varrow
{

frmWebsite::frmWebsite(Program& program) : m_program(program)
{
    setObjectName("frmWebsite");
    setAttribute(Qt::WA_DeleteOnClose);
}

void frmWebsite::Form_Load()
{
    setWindowTitle(m_program.identity().WebsiteText);
}

void frmWebsite::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_program.forgetWindow(this);
    if (m_program.MainWindowClosed)
        m_program.EndProgram();
}

} // namespace varrow
