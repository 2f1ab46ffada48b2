#include "play/playpainter.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    play::registerFonts();
    return 0;
}
