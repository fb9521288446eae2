// bench_vergleich [options] TREE... [--zwei TREE]
//
// Times dubrinax-cli against fdupes, jdupes and rdfind on generated trees,
// side by side in one run: per tree one untimed warm-up run of each tool
// (which also fills the page cache), then N rounds in which every tool runs
// once, so that a change of the machine's load hits all of them alike.
// Reports medians of wall time and resident peak, and dubrinax's ratio to
// each peer. See bench/README.md.

#include "bench/Prozess.h"

#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const char* const Hilfe =
    "Usage: bench_vergleich [options] TREE... [--zwei TREE]\n"
    "  TREE           a generated tree, searched against itself\n"
    "  --zwei TREE    a generated 'zwei' tree: TREE/A against TREE/B\n"
    "  --wiederholungen N   timed runs per tool and tree (default 5)\n"
    "  --limit S      seconds one run may take before it is killed (default 120)\n"
    "  --csv FILE     also write the figures as CSV\n"
    "  --cli PATH     the dubrinax-cli to time (default: the one of this build)\n"
    "  --arbeit DIR   scratch directory for outputs and rdfind's results.txt\n"
    "  --ohne TOOL    leave out a tool (dubrinax, fdupes, jdupes, rdfind, boden)\n"
    "  --ohne-kopf    no header (date, machine, peers) before the tables\n"
    "  --kalt         cold cache: drop the page cache before every run (needs root;\n"
    "                 says so when it cannot) and leave out the warm-up\n"
    "A TREE.zwillinge list beside a tree (bench_baum writes it) adds the row\n"
    "'boden': one walk plus reading every file with a twin once.\n";

struct TWerkzeug {
    std::string name;
    std::vector<std::string> argv;
};

enum class TZustand { Gemessen, ZuLang, Fehlgeschlagen, Fehlt };

struct TErgebnis {
    std::string name;
    TZustand zustand = TZustand::Gemessen;
    std::string grund;             // why it failed
    std::vector<double> zeiten;
    std::vector<long> spitzen;     // KiB
    double median = 0;
    double minimum = 0;
    double maximum = 0;
    double spitze = 0;             // median KiB; for ZuLang the peak when it was killed
    long zwillinge = -1;           // files it reported as having a twin; -1: unknown
};

struct TBaum {
    std::string pfad;
    bool zwei = false;
};

struct TOptionen {
    int wiederholungen = 5;
    double limit = 120;
    std::string csv;
    std::string cli;
    std::string arbeit;
    std::vector<std::string> ohne;
    std::vector<TBaum> baeume;
    bool kopf = true;
    bool kalt = false;
    bool kaltMoeglich = false; // the page cache can be dropped here
};

[[noreturn]] void Abbruch(const std::string& text)
{
    throw std::runtime_error(text);
}

double Median(std::vector<double> werte)
{
    std::sort(werte.begin(), werte.end());
    const size_t n = werte.size();
    return n % 2 == 1 ? werte[n / 2] : (werte[n / 2 - 1] + werte[n / 2]) / 2;
}

std::string Verzeichnisteil(const std::string& pfad)
{
    const size_t schnitt = pfad.rfind('/');
    return schnitt == std::string::npos ? "." : pfad.substr(0, schnitt);
}

std::string Name(std::string pfad)
{
    while (pfad.size() > 1 && pfad.back() == '/')
        pfad.pop_back();
    const size_t schnitt = pfad.rfind('/');
    return schnitt == std::string::npos ? pfad : pfad.substr(schnitt + 1);
}

std::string OhneSchraegstrich(std::string pfad)
{
    while (pfad.size() > 1 && pfad.back() == '/')
        pfad.pop_back();
    return pfad;
}

bool Existiert(const std::string& pfad)
{
    struct stat info {};
    return ::stat(pfad.c_str(), &info) == 0;
}

bool IstVerzeichnis(const std::string& pfad)
{
    struct stat info {};
    return ::stat(pfad.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string EigenesVerzeichnis()
{
    char puffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", puffer, sizeof puffer - 1);
    if (n <= 0)
        return ".";
    return Verzeichnisteil(std::string(puffer, static_cast<size_t>(n)));
}

TOptionen OptionenLesen(int argc, char** argv)
{
    TOptionen o;
    auto wert = [&](int& i) -> std::string {
        if (i + 1 >= argc)
            Abbruch(std::string(argv[i]) + " needs a value");
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--wiederholungen")
            o.wiederholungen = std::atoi(wert(i).c_str());
        else if (a == "--limit")
            o.limit = std::atof(wert(i).c_str());
        else if (a == "--csv")
            o.csv = wert(i);
        else if (a == "--cli")
            o.cli = wert(i);
        else if (a == "--arbeit")
            o.arbeit = wert(i);
        else if (a == "--ohne")
            o.ohne.push_back(wert(i));
        else if (a == "--ohne-kopf")
            o.kopf = false;
        else if (a == "--kalt")
            o.kalt = true;
        else if (a == "--zwei")
            o.baeume.push_back({OhneSchraegstrich(wert(i)), true});
        else if (!a.empty() && a[0] == '-')
            Abbruch("unknown option '" + a + "' (see --help)");
        else
            o.baeume.push_back({OhneSchraegstrich(a), false});
    }
    if (o.wiederholungen < 1)
        Abbruch("--wiederholungen must be at least 1");
    if (o.baeume.empty())
        Abbruch("no tree given (see --help)");
    const std::string hier = EigenesVerzeichnis();
    if (o.cli.empty())
        o.cli = hier + "/../cli/dubrinax-cli";
    return o;
}

bool Ausgelassen(const TOptionen& o, const std::string& name)
{
    return std::find(o.ohne.begin(), o.ohne.end(), name) != o.ohne.end();
}

std::vector<TWerkzeug> WerkzeugeFuer(const TOptionen& o, const TBaum& baum)
{
    std::vector<TWerkzeug> liste;
    const std::string& t = baum.pfad;
    const std::string zwillinge = t + ".zwillinge";
    const std::string boden = EigenesVerzeichnis() + "/bench_boden";
    if (baum.zwei) {
        const std::string a = t + "/A";
        const std::string b = t + "/B";
        liste.push_back({"dubrinax", {o.cli, a, b}});
        liste.push_back({"jdupes", {"jdupes", "-r", "-I", a, b}});
        if (Existiert(zwillinge))
            liste.push_back({"boden", {boden, zwillinge, t, a, b}});
    } else {
        liste.push_back({"dubrinax", {o.cli, t, t}});
        liste.push_back({"fdupes", {"fdupes", "-r", t}});
        liste.push_back({"jdupes", {"jdupes", "-r", t}});
        liste.push_back({"rdfind", {"rdfind", "-dryrun", "true", t}});
        if (Existiert(zwillinge))
            liste.push_back({"boden", {boden, zwillinge, t, t}});
    }
    std::vector<TWerkzeug> ohne;
    for (TWerkzeug& w : liste)
        if (!Ausgelassen(o, w.name))
            ohne.push_back(std::move(w));
    return ohne;
}

// Writes back what is dirty and drops the page cache, dentries and inodes,
// so that the next run reads from the disk. False when that is not allowed.
bool CacheLeeren()
{
    ::sync();
    std::ofstream datei("/proc/sys/vm/drop_caches");
    if (!datei)
        return false;
    datei << "3\n";
    datei.flush();
    return static_cast<bool>(datei);
}

std::string ErsteZeile(const std::string& befehl)
{
    std::unique_ptr<FILE, int (*)(FILE*)> rohr(::popen(befehl.c_str(), "r"), ::pclose);
    if (!rohr)
        return "?";
    char puffer[256] = {};
    if (!std::fgets(puffer, sizeof puffer, rohr.get()))
        return "?";
    std::string zeile = puffer;
    while (!zeile.empty() && (zeile.back() == '\n' || zeile.back() == '\r'))
        zeile.pop_back();
    return zeile;
}

std::string Maschine()
{
    std::string modell = "?";
    std::ifstream cpu("/proc/cpuinfo");
    for (std::string zeile; std::getline(cpu, zeile);) {
        if (zeile.rfind("model name", 0) == 0) {
            modell = zeile.substr(zeile.find(':') + 2);
            break;
        }
    }
    long speicherKiB = 0;
    std::ifstream mem("/proc/meminfo");
    for (std::string zeile; std::getline(mem, zeile);) {
        if (zeile.rfind("MemTotal:", 0) == 0) {
            speicherKiB = std::atol(zeile.c_str() + 9);
            break;
        }
    }
    utsname uts {};
    ::uname(&uts);
    char text[512];
    std::snprintf(text, sizeof text, "%s, %ld cores, %.0f GiB, Linux %s", modell.c_str(),
                  ::sysconf(_SC_NPROCESSORS_ONLN), speicherKiB / 1048576.0, uts.release);
    return text;
}

std::string Jetzt()
{
    const std::time_t t = std::time(nullptr);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", std::localtime(&t));
    return text;
}

// The ratio dubrinax / peer as text; a run past the limit makes it a bound.
std::string Verhaeltnis(const TErgebnis& d, const TErgebnis& p, double limit, bool speicher)
{
    char text[32];
    auto wert = [&](const TErgebnis& e) { return speicher ? e.spitze : e.median; };
    const bool dOk = d.zustand == TZustand::Gemessen;
    const bool pOk = p.zustand == TZustand::Gemessen;
    if (speicher) {
        // The peak at a kill is where the run had got to: a lower bound.
        const bool dDa = dOk || d.zustand == TZustand::ZuLang;
        if (!dDa || !pOk || p.spitze <= 0)
            return "-";
        std::snprintf(text, sizeof text, dOk ? "%.2f" : ">=%.2f", d.spitze / p.spitze);
        return text;
    }
    if (dOk && pOk)
        std::snprintf(text, sizeof text, "%.2f", wert(d) / wert(p));
    else if (d.zustand == TZustand::ZuLang && pOk)
        std::snprintf(text, sizeof text, ">%.2f", limit / wert(p));
    else if (dOk && p.zustand == TZustand::ZuLang)
        std::snprintf(text, sizeof text, "<%.3f", wert(d) / limit);
    else
        return "-";
    return text;
}

// How many distinct files a tool's output names as having an identical
// twin: a cross-check that every tool found the same thing. Each tool has
// its own format; all of them list one path a line.
long ZwillingeZaehlen(const std::string& werkzeug, const std::string& ausgabe,
                      const std::string& arbeit)
{
    std::ifstream ein(werkzeug == "rdfind" ? arbeit + "/results.txt" : ausgabe);
    if (!ein)
        return -1;
    std::set<std::string> pfade;
    for (std::string zeile; std::getline(ein, zeile);) {
        if (werkzeug == "dubrinax") {
            // "! " + path heads a group, "+     " + path is a member; "- " has none.
            if (zeile.rfind("! ", 0) == 0)
                pfade.insert(zeile.substr(2));
            else if (zeile.rfind("+     ", 0) == 0)
                pfade.insert(zeile.substr(6));
        } else if (werkzeug == "rdfind") {
            // "DUPTYPE_... id depth size device inode priority name"
            if (zeile.empty() || zeile[0] == '#')
                continue;
            size_t stelle = 0;
            for (int feld = 0; feld < 7 && stelle != std::string::npos; ++feld)
                stelle = zeile.find(' ', stelle + (feld > 0 ? 1 : 0));
            if (stelle != std::string::npos)
                pfade.insert(zeile.substr(stelle + 1));
        } else if (werkzeug == "fdupes" || werkzeug == "jdupes") {
            if (!zeile.empty())
                pfade.insert(zeile);
        } else {
            return -1;
        }
    }
    return static_cast<long>(pfade.size());
}

long ZeilenZaehlen(const std::string& pfad)
{
    std::ifstream ein(pfad);
    if (!ein)
        return -1;
    long n = 0;
    for (std::string zeile; std::getline(ein, zeile);)
        ++n;
    return n;
}

std::string Sekunden(const TErgebnis& e, double wert, double limit)
{
    char text[32];
    if (e.zustand == TZustand::ZuLang)
        std::snprintf(text, sizeof text, ">%g", limit);
    else if (e.zustand != TZustand::Gemessen)
        return "-";
    else
        std::snprintf(text, sizeof text, "%.3f", wert);
    return text;
}

std::string Zustandstext(const TErgebnis& e)
{
    switch (e.zustand) {
    case TZustand::Gemessen: return "ok";
    case TZustand::ZuLang: return "over limit";
    case TZustand::Fehlgeschlagen: return e.grund;
    case TZustand::Fehlt: return "not installed";
    }
    return "?";
}

// Records one run; false when the tool is out of the race from now on.
bool Eintragen(TErgebnis& e, const bench::TMessung& m, bool zaehlt)
{
    if (!m.gestartet) {
        e.zustand = TZustand::Fehlgeschlagen;
        e.grund = "could not start";
        return false;
    }
    if (m.zuLang) {
        e.zustand = TZustand::ZuLang;
        e.spitze = static_cast<double>(m.spitzeKiB);
        return false;
    }
    if (m.signal != 0 || m.exitCode != 0) {
        e.zustand = TZustand::Fehlgeschlagen;
        e.grund = m.signal != 0 ? "signal " + std::to_string(m.signal)
                                : "exit code " + std::to_string(m.exitCode);
        return false;
    }
    if (zaehlt) {
        e.zeiten.push_back(m.sekunden);
        e.spitzen.push_back(m.spitzeKiB);
    }
    return true;
}

std::vector<TErgebnis> BaumMessen(const TOptionen& o, const TBaum& baum)
{
    const std::vector<TWerkzeug> werkzeuge = WerkzeugeFuer(o, baum);
    std::vector<TErgebnis> ergebnisse(werkzeuge.size());
    std::vector<bool> dabei(werkzeuge.size(), true);
    const std::string name = Name(baum.pfad);

    auto laufen = [&](size_t i, const char* wann) {
        const TWerkzeug& w = werkzeuge[i];
        std::fprintf(stderr, "  %s: %s %s ...", name.c_str(), w.name.c_str(), wann);
        std::fflush(stderr);
        if (o.kaltMoeglich && !CacheLeeren())
            std::fprintf(stderr, " (page cache NOT dropped)");
        const std::string basis = o.arbeit + "/" + name + "." + w.name;
        const bench::TMessung m = bench::Messen(w.argv, o.arbeit, basis + ".out",
                                                basis + ".err", o.limit);
        std::fprintf(stderr, " %.3f s, %.1f MiB%s\n", m.sekunden, m.spitzeKiB / 1024.0,
                     m.zuLang ? " (limit)" : "");
        return m;
    };

    for (size_t i = 0; i < werkzeuge.size(); ++i) {
        ergebnisse[i].name = werkzeuge[i].name;
        if (bench::ProgrammFinden(werkzeuge[i].argv[0]).empty()) {
            ergebnisse[i].zustand = TZustand::Fehlt;
            dabei[i] = false;
            continue;
        }
        // Cold runs need no warm-up: each starts from an empty cache anyway.
        if (!o.kalt)
            dabei[i] = Eintragen(ergebnisse[i], laufen(i, "warm-up"), false);
    }
    for (int runde = 0; runde < o.wiederholungen; ++runde) {
        char wann[32];
        std::snprintf(wann, sizeof wann, "run %d", runde + 1);
        for (size_t i = 0; i < werkzeuge.size(); ++i)
            if (dabei[i])
                dabei[i] = Eintragen(ergebnisse[i], laufen(i, wann), true);
    }
    for (TErgebnis& e : ergebnisse) {
        if (e.zustand != TZustand::Gemessen)
            continue;
        e.median = Median(e.zeiten);
        e.minimum = *std::min_element(e.zeiten.begin(), e.zeiten.end());
        e.maximum = *std::max_element(e.zeiten.begin(), e.zeiten.end());
        e.spitze = Median(std::vector<double>(e.spitzen.begin(), e.spitzen.end()));
    }
    for (TErgebnis& e : ergebnisse) {
        if (e.zustand != TZustand::Gemessen)
            continue;
        e.zwillinge = e.name == "boden"
                          ? ZeilenZaehlen(baum.pfad + ".zwillinge")
                          : ZwillingeZaehlen(e.name, o.arbeit + "/" + name + "." + e.name + ".out",
                                             o.arbeit);
    }
    return ergebnisse;
}

void TabelleDrucken(const TOptionen& o, const TBaum& baum, const std::vector<TErgebnis>& erg,
                    FILE* csv)
{
    const std::string name = Name(baum.pfad);
    const char* cache = !o.kalt ? "warm cache" : o.kaltMoeglich ? "cold cache" : "cold requested, cache NOT dropped";
    std::printf("\n%s  (%s, %s: %s)\n", name.c_str(),
                baum.zwei ? "two trees, A against B" : "same-directory mode", cache,
                baum.pfad.c_str());
    std::printf("  %-9s %10s %10s %10s %10s %12s %12s %8s   (ratios: dubrinax / tool)\n",
                "tool", "median s", "min s", "max s", "peak MiB", "time ratio", "memory ratio",
                "twins");
    const TErgebnis* dub = nullptr;
    for (const TErgebnis& e : erg)
        if (e.name == "dubrinax")
            dub = &e;
    const TErgebnis* schnellster = nullptr;
    for (const TErgebnis& e : erg) {
        char spitze[32] = "-";
        if (e.zustand == TZustand::Gemessen || (e.zustand == TZustand::ZuLang && e.spitze > 0))
            std::snprintf(spitze, sizeof spitze, "%s%.1f",
                          e.zustand == TZustand::ZuLang ? ">=" : "", e.spitze / 1024.0);
        std::string zeit = "", speicher = "";
        if (dub && &e != dub) {
            zeit = Verhaeltnis(*dub, e, o.limit, false);
            speicher = e.name == "boden" ? "" : Verhaeltnis(*dub, e, o.limit, true);
        }
        const bool gelaufen = e.zustand == TZustand::Gemessen || e.zustand == TZustand::ZuLang;
        const std::string zwillinge = e.zwillinge >= 0 ? std::to_string(e.zwillinge) : "-";
        const bool gemessen = e.zustand == TZustand::Gemessen;
        std::printf("  %-9s %10s %10s %10s %10s %12s %12s %8s   %s\n", e.name.c_str(),
                    Sekunden(e, e.median, o.limit).c_str(),
                    gemessen ? Sekunden(e, e.minimum, o.limit).c_str() : "-",
                    gemessen ? Sekunden(e, e.maximum, o.limit).c_str() : "-", spitze, zeit.c_str(),
                    speicher.c_str(), zwillinge.c_str(), gelaufen ? "" : Zustandstext(e).c_str());
        if (e.name != "dubrinax" && e.name != "boden" && e.zustand == TZustand::Gemessen &&
            (!schnellster || e.median < schnellster->median))
            schnellster = &e;
        if (csv) {
            std::fprintf(csv, "%s,%s,%s,%s,%s,%zu,%.4f,%.4f,%.4f,%.0f,%s,%s,%ld\n", name.c_str(),
                         baum.zwei ? "two" : "same", !o.kalt ? "warm" : o.kaltMoeglich ? "cold" : "not-cold",
                         e.name.c_str(), Zustandstext(e).c_str(),
                         e.zeiten.size(), e.median, e.minimum, e.maximum, e.spitze,
                         dub && &e != dub ? Verhaeltnis(*dub, e, o.limit, false).c_str() : "",
                         dub && &e != dub && e.name != "boden"
                             ? Verhaeltnis(*dub, e, o.limit, true).c_str()
                             : "",
                         e.zwillinge);
        }
    }
    if (dub && schnellster) {
        std::printf("  dubrinax against the fastest peer (%s): time %s, memory %s\n",
                    schnellster->name.c_str(), Verhaeltnis(*dub, *schnellster, o.limit, false).c_str(),
                    Verhaeltnis(*dub, *schnellster, o.limit, true).c_str());
    }
    std::fflush(stdout);
}

int Ausfuehren(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(Hilfe, stdout);
        return 0;
    }
    TOptionen o = OptionenLesen(argc, argv);
    for (const TBaum& b : o.baeume) {
        if (!IstVerzeichnis(b.pfad))
            Abbruch("'" + b.pfad + "' is not a directory");
        if (b.zwei && (!IstVerzeichnis(b.pfad + "/A") || !IstVerzeichnis(b.pfad + "/B")))
            Abbruch("'" + b.pfad + "' has no directories A and B");
    }
    if (bench::ProgrammFinden(o.cli).empty() && !Ausgelassen(o, "dubrinax"))
        Abbruch("no dubrinax-cli at '" + o.cli + "' (build it, or give --cli)");
    std::string eigeneArbeit;
    if (o.arbeit.empty()) {
        char muster[] = "/tmp/bench_vergleich.XXXXXX";
        if (!::mkdtemp(muster))
            Abbruch(std::string("cannot create a scratch directory: ") + std::strerror(errno));
        o.arbeit = muster;
    } else if (!IstVerzeichnis(o.arbeit) && ::mkdir(o.arbeit.c_str(), 0755) != 0) {
        Abbruch("cannot create '" + o.arbeit + "': " + std::strerror(errno));
    }

    if (o.kalt) {
        o.kaltMoeglich = CacheLeeren();
        if (!o.kaltMoeglich)
            std::fprintf(stderr, "bench_vergleich: cannot drop the page cache (writing "
                                 "/proc/sys/vm/drop_caches needs root): the runs are NOT cold\n");
    }
    bench::ProzesseVorbereiten();
    // Whether what the runner has resident at fork counts into a child's
    // peak depends on the kernel; the peak of /bin/true, measured the same
    // way, is the smallest figure this method can report here.
    const bench::TMessung leer =
        bench::Messen({"true"}, o.arbeit, "/dev/null", "/dev/null", 10);

    if (o.kopf) {
        std::printf("Duplicate search benchmark, %s\n", Jetzt().c_str());
        std::printf("Machine: %s\n", Maschine().c_str());
        std::printf("Peers: %s; %s; %s\n", ErsteZeile("fdupes --version 2>&1").c_str(),
                    ErsteZeile("jdupes --version 2>&1").c_str(),
                    ErsteZeile("rdfind --version 2>&1").c_str());
        if (o.kalt)
            std::printf("Cold cache: %s.\n", o.kaltMoeglich ? "page cache, dentries and inodes dropped before every run, no warm-up"
                                                              : "requested, but the page cache could NOT be dropped (not root?)");
        std::printf("%d timed runs per tool%s, limit %g s per run; "
                    "medians. Peak of /bin/true measured this way: %.1f MiB.\n",
                    o.wiederholungen, o.kalt ? "" : " after one warm-up run", o.limit, leer.spitzeKiB / 1024.0);
        std::printf("Outputs of the last run of each tool: %s\n", o.arbeit.c_str());
    }
    std::fflush(stdout);

    std::unique_ptr<FILE, int (*)(FILE*)> csv(nullptr, std::fclose);
    if (!o.csv.empty()) {
        csv.reset(std::fopen(o.csv.c_str(), "w"));
        if (!csv)
            Abbruch("cannot create '" + o.csv + "': " + std::strerror(errno));
        std::fprintf(csv.get(), "tree,mode,cache,tool,status,runs,median_s,min_s,max_s,"
                                "median_peak_kib,time_ratio,memory_ratio,twins\n");
    }
    for (const TBaum& b : o.baeume) {
        std::fprintf(stderr, "%s\n", b.pfad.c_str());
        const std::vector<TErgebnis> erg = BaumMessen(o, b);
        TabelleDrucken(o, b, erg, csv.get());
        if (csv)
            std::fflush(csv.get());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Ausfuehren(argc, argv);
    } catch (const std::exception& fehler) {
        std::fprintf(stderr, "bench_vergleich: %s\n", fehler.what());
        return 2;
    }
}
