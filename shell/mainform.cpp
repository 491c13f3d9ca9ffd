#include "mainform.h"

#include "palette.h"

mainform::mainform(Globals &globals, QWidget *parent) : QMainWindow(parent), m_globals(globals)
{
    Initialize_Colors(m_globals);
    m_globals.applyStartupValues();
    setWindowTitle(QStringLiteral("Quelmar Kavora"));
    resize(800, 600);
}
