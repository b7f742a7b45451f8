#include "windows/Form8.h"

#include "shell/Program.h"

#include <QCloseEvent>

namespace varrow
{

Form8::Form8(Program& program) : QWidget(nullptr, Qt::Window), m_program(program)
{
    setObjectName("Form8");
    setAttribute(Qt::WA_DeleteOnClose);
}

void Form8::Form_Load()
{
    setWindowTitle(tr("Readme/Help"));
}

void Form8::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_program.forgetWindow(this);
}

} // namespace varrow
