// Tavlin Solitaire: the main window is the whole start-up; the program ends with its last window.
#include "application.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tavlin::installApplicationDetails();
    auto *main = new tavlin::frmMain;
    main->show();
    return app.exec();
}
