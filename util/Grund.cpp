#include "util/Grund.h"

#include <cerrno>
#include <system_error>

namespace {

struct TText {
    int fehler;
    const char* text;
};

// The error numbers a file command or the search meets, in the words of a
// German system (mostly glibc's), the user's own where those are stilted.
// A table, not a switch: some numbers are one on some systems (EAGAIN and
// EWOULDBLOCK, ENOTSUP and EOPNOTSUPP), and some are missing on Windows.
constexpr TText SystemDeutsch[] = {
    {EACCES, "Zugriff verweigert"},
    {EPERM, "Vorgang nicht erlaubt"},
    {ENOENT, "Datei oder Verzeichnis nicht gefunden"},
    {ENOSPC, "Kein Speicherplatz mehr auf dem Gerät"},
    {EROFS, "Dateisystem nur lesbar"},
    {EXDEV, "Verschieben über Dateisystemgrenzen nicht möglich"},
    {EEXIST, "Datei existiert bereits"},
    {ENAMETOOLONG, "Dateiname zu lang"},
#ifdef ELOOP
    {ELOOP, "Zu viele Ebenen symbolischer Verknüpfungen"},
#endif
    {EIO, "Ein-/Ausgabefehler"},
    {ENOTDIR, "Ist kein Verzeichnis"},
    {EISDIR, "Ist ein Verzeichnis"},
    {EMFILE, "Zu viele offene Dateien"},
    {ENFILE, "Zu viele offene Dateien im System"},
    {EBUSY, "Gerät oder Ressource belegt"},
    {ENOTEMPTY, "Verzeichnis nicht leer"},
    {EINVAL, "Ungültiges Argument"},
    {ENOMEM, "Nicht genügend Hauptspeicher"},
    {EFBIG, "Datei zu groß"},
    {EMLINK, "Zu viele Verknüpfungen"},
    {EAGAIN, "Ressource vorübergehend nicht verfügbar"},
    {EINTR, "Unterbrochener Systemaufruf"},
    {EBADF, "Ungültiger Dateideskriptor"},
    {ENXIO, "Kein solches Gerät oder keine solche Adresse"},
    {ENODEV, "Kein solches Gerät"},
#ifdef ETXTBSY
    {ETXTBSY, "Programmdatei wird gerade ausgeführt"},
#endif
#ifdef EOVERFLOW
    {EOVERFLOW, "Wert zu groß für den Datentyp"},
#endif
#ifdef ENOTSUP
    {ENOTSUP, "Vorgang nicht unterstützt"},
#endif
#ifdef EOPNOTSUPP
    {EOPNOTSUPP, "Vorgang nicht unterstützt"},
#endif
#ifdef EDQUOT
    {EDQUOT, "Speicherkontingent überschritten"},
#endif
#ifdef ESTALE
    {ESTALE, "Veraltete Dateizugriffsnummer (NFS)"},
#endif
#ifdef ETIMEDOUT
    {ETIMEDOUT, "Zeitüberschreitung"},
#endif
#ifdef ENOSYS
    {ENOSYS, "Funktion nicht implementiert"},
#endif
#ifdef EUCLEAN
    {EUCLEAN, "Dateisystem beschädigt"},
#endif
#ifdef ENODATA
    {ENODATA, "Keine Daten verfügbar"},
#endif
};

std::string SystemtextDeutsch(int fehler)
{
    if (fehler > 0)
        for (const TText& t : SystemDeutsch)
            if (t.fehler == fehler)
                return t.text;
    return "Systemfehler " + std::to_string(fehler < 0 ? -fehler : fehler);
}

std::string SystemtextEnglisch(int fehler)
{
    // Minus a code of the system's own (Windows) is told in its words.
    return fehler < 0 ? std::system_category().message(-fehler) : std::generic_category().message(fehler);
}

// ort: reason, where the reason is about another path than the line's.
std::string MitOrt(const std::string& ort, const std::string& text)
{
    return ort.empty() ? text : ort + ": " + text;
}

} // namespace

std::string GrundDeutsch(const TGrund& g)
{
    switch (g.art) {
    case TGrundArt::Keiner: return {};
    case TGrundArt::System: return MitOrt(g.ort, SystemtextDeutsch(g.fehler));
    case TGrundArt::UngueltigerName: return MitOrt(g.ort, "kein gültiger Name");
    case TGrundArt::NichtLesbar: return "nicht lesbar (nicht mehr da, geändert oder Zugriff verweigert)";
    case TGrundArt::ZuWenigDeskriptoren: return "zu wenige Dateideskriptoren, um sie zu öffnen";
    case TGrundArt::BeimLesenGeaendert: return "beim Lesen geändert";
    case TGrundArt::KeineZeile: return "keine Zeile der Liste";
    case TGrundArt::SeitDerSucheGeaendert: return "seit der Suche geändert oder nicht mehr da";
    case TGrundArt::KeineGewoehnlicheDatei: return "keine gewöhnliche Datei";
    case TGrundArt::EinzigeKopie: return "keine gleiche Datei: die einzige Kopie";
    case TGrundArt::LetzteKopie: return "die letzte unveränderte Kopie";
    case TGrundArt::BehalteneKopieGeaendert: return "die Kopie, die bleiben sollte, hat sich inzwischen geändert";
    case TGrundArt::KeinPapierkorb: return "kein Papierkorb auf dem Dateisystem der Datei";
    case TGrundArt::PapierkorbAnderesDateisystem:
        return MitOrt(g.ort, "Papierkorb auf einem anderen Dateisystem oder Einhängepunkt");
    case TGrundArt::PapierkorbOffen:
        return "Papierkorb " + g.ort + " ist für andere Benutzer zugänglich und wird nicht benutzt";
    case TGrundArt::PapierkorbVerweis:
        return "Papierkorb " + g.ort + " ist ein Verweis oder enthält einen statt eines Verzeichnisses";
    case TGrundArt::PapierkorbFremd: return "Papierkorb " + g.ort + " gehört einem anderen Benutzer";
    case TGrundArt::KeinFreierName: return MitOrt(g.ort, "kein freier Name im Papierkorb");
    case TGrundArt::PapierkorbFehlernummer: return "Papierkorb: Fehler " + std::to_string(g.fehler);
    case TGrundArt::ZielAnders: return "am Ziel steht schon eine andere Datei";
    case TGrundArt::ZielIstQuelle: return "das Ziel ist die Quelle selbst";
    case TGrundArt::SchonVerschoben: return "diese Datei hat der Befehl schon unter einer anderen Zeile verschoben";
    case TGrundArt::StehtFuerAndere: return "diese Datei steht schon für eine andere verschobene Zeile";
    case TGrundArt::OrtGeleert: return "dieser Befehl hat von diesem Ort schon eine Datei verschoben";
    case TGrundArt::BeimKopierenGeaendert: return "beim Kopieren geändert";
    case TGrundArt::ZielVerweis: return MitOrt(g.ort, "ein Verweis oder eine Datei statt eines Verzeichnisses");
    case TGrundArt::QuelleGeaendert: return "nach dem Kopieren geändert: die Quelle bleibt";
    case TGrundArt::ZielGeaendert: return "das Ziel hat sich geändert, bevor die Quelle gelöscht wurde: die Quelle bleibt";
    }
    return "unbekannter Grund";
}

std::string GrundEnglisch(const TGrund& g)
{
    switch (g.art) {
    case TGrundArt::Keiner: return {};
    case TGrundArt::System: return MitOrt(g.ort, SystemtextEnglisch(g.fehler));
    case TGrundArt::UngueltigerName: return MitOrt(g.ort, "not a valid name");
    case TGrundArt::NichtLesbar: return "not readable (gone, changed or access denied)";
    case TGrundArt::ZuWenigDeskriptoren: return "too few file descriptors to open it";
    case TGrundArt::BeimLesenGeaendert: return "changed while it was read";
    case TGrundArt::KeineZeile: return "no line of the list";
    case TGrundArt::SeitDerSucheGeaendert: return "changed since the search, or gone";
    case TGrundArt::KeineGewoehnlicheDatei: return "not a regular file";
    case TGrundArt::EinzigeKopie: return "no identical file: the only copy";
    case TGrundArt::LetzteKopie: return "the last unchanged copy";
    case TGrundArt::BehalteneKopieGeaendert: return "the copy that was to stay has changed meanwhile";
    case TGrundArt::KeinPapierkorb: return "no trash on the file's file system";
    case TGrundArt::PapierkorbAnderesDateisystem: return MitOrt(g.ort, "trash on another file system or mount");
    case TGrundArt::PapierkorbOffen: return "trash " + g.ort + " is open to other users and not used";
    case TGrundArt::PapierkorbVerweis: return "trash " + g.ort + " is or holds a link instead of a directory";
    case TGrundArt::PapierkorbFremd: return "trash " + g.ort + " belongs to another user";
    case TGrundArt::KeinFreierName: return MitOrt(g.ort, "no free name in the trash");
    case TGrundArt::PapierkorbFehlernummer: return "recycle bin: error " + std::to_string(g.fehler);
    case TGrundArt::ZielAnders: return "another file stands at the target";
    case TGrundArt::ZielIstQuelle: return "the target is the source itself";
    case TGrundArt::SchonVerschoben: return "this command moved the file already, under another line";
    case TGrundArt::StehtFuerAndere: return "the file stands in for another moved line already";
    case TGrundArt::OrtGeleert: return "this command moved a file away from this place already";
    case TGrundArt::BeimKopierenGeaendert: return "changed while it was copied";
    case TGrundArt::ZielVerweis: return MitOrt(g.ort, "a link or a file where a directory should be");
    case TGrundArt::QuelleGeaendert: return "changed after it was copied: the source stays";
    case TGrundArt::ZielGeaendert: return "the target changed before the source was deleted: the source stays";
    }
    return "unknown reason";
}

std::vector<std::pair<std::string, std::string>> AbgelehntDeutsch(const TAbgelehnt& abgelehnt)
{
    std::vector<std::pair<std::string, std::string>> texte;
    texte.reserve(abgelehnt.size());
    for (const auto& [pfad, grund] : abgelehnt)
        texte.emplace_back(pfad, GrundDeutsch(grund));
    return texte;
}
