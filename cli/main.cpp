// dubrinax-cli DIR1 DIR2: the duplicate search on a terminal.

#include "cli/Konsole.h"
#include "cli/Konsolenfenster.h"
#include "cli/Suchoptionen.h"
#include "util/Fehler.h"
#include "util/Plattform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const Hilfe =
    "Usage: dubrinax-cli DIR1 DIR2\n"
    "       dubrinax-cli [-0 | --json] [--exclude GLOB]... [--min-size N[KMG]]\n"
    "                    [--] DIR1 DIR2\n"
    "Compares every file below DIR1 byte for byte with the files below DIR2 of\n"
    "the same size and prints the result list on stdout:\n"
    "  \"! \" path       a file of DIR1 that has identical files,\n"
    "  \"+     \" path   one of its identical files below DIR2,\n"
    "  \"- \" path       a file of DIR1 without identical files.\n"
    "When DIR1 and DIR2 are the same text, each group of identical files is\n"
    "listed once. No file is listed under itself, also where the trees overlap,\n"
    "nor under another of its names (hard links, links to it).\n"
    "The last line on stderr counts the lines: +: N -: N !: N.\n"
    "A directory or file that could not be read is named on stderr with the\n"
    "reason, and the exit code is then 3: the list may know less than the trees.\n"
    "Ctrl-C, SIGTERM and SIGHUP stop the search and print what was found, in\n"
    "whole lines (exit code 128 + the signal's number: 130 for Ctrl-C).\n"
    "\n"
    "  -0, --null  end every list line with a NUL byte instead of a newline,\n"
    "              as find -print0 does and xargs -0 reads; the prefixes stay.\n"
    "  --json      write the list as one JSON object, a group per line (its\n"
    "              schema: man dubrinax-cli); not together with -0.\n"
    "  --exclude GLOB  leave out every file and directory whose name, or whose\n"
    "              path below DIR1 or DIR2, matches GLOB (* ? [...]; a final /\n"
    "              for directories only); may be given several times.\n"
    "  --min-size N[KMG]  leave out files smaller than N bytes (K, M, G: 1024,\n"
    "              1024^2, 1024^3) and anything that is no regular file, with\n"
    "              0 too; N at most 9223372036854775807 bytes (8589934591G).\n"
    "  --          every word after it is a directory, whatever its name.\n";

const char* const Optionen[] = {"-0", "--null", "-h", "--help", "--version"};

int Fehler(const std::string& text)
{
    std::fprintf(stderr, "dubrinax-cli: %s\n", text.c_str());
    return 2;
}

// What was printed must have arrived: a full disk or a closed pipe is
// reported and ends the program with 1, as the system's own tools do (a
// closed pipe mostly ends it before, by SIGPIPE).
int AusgabeAbschliessen(int code, int fehler = 0)
{
    if (fehler == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        fehler = errno != 0 ? errno : EIO;
    if (fehler == 0)
        return code;
    std::fprintf(stderr, "dubrinax-cli: write error: %s\n", std::strerror(fehler));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> argumente = KonsoleArgumente(argc, argv);
    TSuchoptionen optionen;
    std::string optionsfehler;
    if (!SuchoptionenNehmen(argumente, optionen, optionsfehler))
        return Fehler(optionsfehler);
    // Options stand anywhere before "--"; after it every word is a
    // directory, so a directory called "-0" can be named as it is.
    const auto optionenEnde = std::find(argumente.begin(), argumente.end(), std::string("--"));
    const bool optionenBeendet = optionenEnde != argumente.end();
    // A word before "--" that looks like an option is one: a mistyped or
    // unknown option named as such, rather than taken for a directory.
    for (auto a = argumente.begin(); a != optionenEnde; ++a)
        if (a->size() > 1 && (*a)[0] == '-'
            && std::find(std::begin(Optionen), std::end(Optionen), *a) == std::end(Optionen))
            return Fehler("unknown option " + *a);
    // A name may hold a newline, never a NUL: scripts ask for NUL-ended lines.
    const auto istNull = [](const std::string& a) { return a == "-0" || a == "--null"; };
    const char zeilenende = std::any_of(argumente.begin(), optionenEnde, istNull) ? '\0' : '\n';
    argumente.erase(std::remove_if(argumente.begin(), optionenEnde, istNull),
                    optionenBeendet ? optionenEnde + 1 : optionenEnde);
    // JSON keeps every name whole already; NUL bytes would break it.
    if (optionen.json && zeilenende == '\0')
        return Fehler("--json and -0 cannot be combined");
    const bool einzigeOption = argumente.size() == 1 && !optionenBeendet;
    if (einzigeOption && (argumente[0] == "--help" || argumente[0] == "-h")) {
        std::fputs(Hilfe, stdout);
        return AusgabeAbschliessen(0);
    }
    if (einzigeOption && argumente[0] == "--version") {
        std::puts("dubrinax-cli 1.0");
        return AusgabeAbschliessen(0);
    }
    if (argumente.size() != 2)
        return Fehler("expected two directories (see --help)");

    std::string verzeichnisse[2];
    for (int i = 0; i < 2; ++i) {
        std::string pfad = argumente[i];
        if (pfad.empty() || !plattform::IstVerzeichnis(pfad))
            return Fehler("'" + pfad + "' is not a directory");
        // "x" and "x/" are one and the same text, as the window always has it.
        if (!plattform::BeendetVerzeichnisteil(pfad.back()))
            pfad += plattform::Trenner;
        verzeichnisse[i] = pfad;
    }

    UnterbrechungAbfangen(TKonsolenFenster::UnterbrechungMelden);
    // A named directory we may not list is said like any other (the search
    // names it with the system's reason) and gives exit code 3.
    TKonsolenFenster fenster(stdout, stderr, KonsoleEinrichten(), zeilenende);
    fenster.Filter() = optionen.filter;
    TListenexport json(TExportFormat::Json);
    if (optionen.json)
        fenster.ExportSetzen(&json);
    try {
        fenster.Suchen(verzeichnisse[0], verzeichnisse[1]);
    } catch (const EFehler& fehler) {
        std::fflush(stdout);
        std::fprintf(stderr, "dubrinax-cli: %s\n", fehler.what());
        return 1;
    }
    if (fenster.Schreibfehler() != 0)
        return AusgabeAbschliessen(1, fenster.Schreibfehler());
    std::fprintf(stderr, "%s\n", fenster.ZaehlerZeile().c_str());
    if (fenster.Unterbrochen())
        return AusgabeAbschliessen(128 + TKonsolenFenster::UnterbrechungsSignal());
    return AusgabeAbschliessen(fenster.Uebersprungen().empty() ? 0 : 3);
}
