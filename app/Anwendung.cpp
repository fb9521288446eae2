#include "app/Anwendung.h"

#include "app/Fehlerfenster.h"
#include "app/Logo.h"
#include "fenster/Fehlerbox.h"

#include <QLibraryInfo>
#include <QLocale>

TAnwendung::TAnwendung(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Dubrinax"));
    // Tells a desktop which menu entry, and so which icon, the window is;
    // the title bar shows the same picture where no desktop looks it up.
    setDesktopFileName(QStringLiteral("de.dubrinax.dubrinax"));
    setWindowIcon(LogoSymbol());
    // The program speaks German; Qt's own dialogs (the file dialog, the
    // buttons of the message boxes) do so too where its translations are
    // installed, and stay English where they are not.
    if (uebersetzung_.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&uebersetzung_);
}

bool TAnwendung::notify(QObject* empfaenger, QEvent* ereignis)
{
    bool ergebnis = false;
    Abgesichert([&] { ergebnis = QApplication::notify(empfaenger, ereignis); }, FehlerfensterZeigen);
    return ergebnis;
}
