#include "app/Fehlerbox.h"

#include "util/Fehler.h"
#include "util/Speicher.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <exception>
#include <new>

namespace {

void Standardbox(const std::string& text)
{
    // The active window is the parent, so the box stays in front of the
    // window the user was working in; without one it stands alone.
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Dubrinax"), QString::fromUtf8(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace

std::string FehlerboxText(const std::string& meldung)
{
    if (meldung.empty())
        return meldung;
    const char letztes = meldung.back();
    if (letztes == '.' || letztes == '!' || letztes == '?')
        return meldung;
    return meldung + '.';
}

std::function<void(const std::string& text)>& FehlerAnzeige()
{
    static std::function<void(const std::string&)> anzeige = Standardbox;
    return anzeige;
}

bool Abgesichert(const std::function<void()>& aufgabe)
{
    std::string meldung;
    try {
        aufgabe();
        return true;
    } catch (const EFehler& fehler) {
        meldung = fehler.what();
    } catch (const std::bad_alloc&) {
        meldung = SpeicherFehlerText;
    } catch (const std::exception& fehler) {
        meldung = fehler.what();
    }
    // Shown outside the handler, so that the box does not run with the
    // failed command's stack still in the middle of unwinding.
    FehlerAnzeige()(FehlerboxText(meldung));
    return false;
}
