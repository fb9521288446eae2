#include "fenster/Fehlerbox.h"

#include "util/Fehler.h"
#include "util/Speicher.h"

#include <exception>
#include <new>

std::string FehlerboxText(const std::string& meldung)
{
    if (meldung.empty())
        return meldung;
    const char letztes = meldung.back();
    if (letztes == '.' || letztes == '!' || letztes == '?')
        return meldung;
    return meldung + '.';
}

bool Abgesichert(const std::function<void()>& aufgabe, const std::function<void(const std::string& text)>& anzeige)
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
    anzeige(FehlerboxText(meldung));
    return false;
}
