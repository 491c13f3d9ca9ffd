#include "mainform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Globals globals;
    mainform window(globals);
    window.show();
    return app.exec();
}
