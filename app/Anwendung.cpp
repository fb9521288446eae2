#include "app/Anwendung.h"

#include "app/Fehlerbox.h"

TAnwendung::TAnwendung(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Dubrinax"));
}

bool TAnwendung::notify(QObject* empfaenger, QEvent* ereignis)
{
    bool ergebnis = false;
    Abgesichert([&] { ergebnis = QApplication::notify(empfaenger, ereignis); });
    return ergebnis;
}
