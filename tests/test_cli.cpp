// Runs the built dubrinax-cli as a user would.

#include "Testbaum.h"
#include "cli/Konsolenfenster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <chrono>
#include <fcntl.h>
#include <csignal>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <vector>
#include <unistd.h>

extern char** environ;

namespace {

struct TLauf {
    int code = -1;
    std::string aus;
    std::string fehler;
};

// Starts the front end with the given arguments; stdout and stderr go to files.
class TProzess {
public:
    // ausgabe: where stdout goes (a file of the tree when empty).
    TProzess(const TTestbaum& baum, std::vector<std::string> argumente, const std::string& ausgabe = "") : baum_(baum)
    {
        argumente.insert(argumente.begin(), DUBRINAX_CLI);
        std::vector<char*> argv;
        for (auto& a : argumente)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t aktionen;
        posix_spawn_file_actions_init(&aktionen);
        posix_spawn_file_actions_addopen(&aktionen, 0, "/dev/null", O_RDONLY, 0);
        const std::string aus = ausgabe.empty() ? baum.Wurzel() + ".aus" : ausgabe;
        posix_spawn_file_actions_addopen(&aktionen, 1, aus.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&aktionen, 2, (baum.Wurzel() + ".fehler").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (posix_spawn(&pid_, DUBRINAX_CLI, &aktionen, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&aktionen);
    }

    void Signal(int nummer) const { ::kill(pid_, nummer); }

    TLauf Warten()
    {
        TLauf lauf;
        int status = 0;
        if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status))
            lauf.code = WEXITSTATUS(status);
        lauf.aus = TTestbaum::Lesen(baum_.Wurzel() + ".aus");
        lauf.fehler = TTestbaum::Lesen(baum_.Wurzel() + ".fehler");
        return lauf;
    }

private:
    const TTestbaum& baum_;
    pid_t pid_ = -1;
};

TLauf Starten(const TTestbaum& baum, std::vector<std::string> argumente)
{
    return TProzess(baum, std::move(argumente)).Warten();
}

std::string LetzteZeile(const std::string& text)
{
    std::string ohneEnde = text.substr(0, text.find_last_not_of('\n') + 1);
    return ohneEnde.substr(ohneEnde.find_last_of('\n') + 1);
}

} // namespace

TEST(Kommandozeile, PrintsTheResultListAndCounters)
{
    TTestbaum baum;
    baum.Datei("A/x", "abc");
    baum.Datei("A/sub/y", "abd");
    baum.Datei("B/z", "abc");
    baum.Datei("B/\xff\xfe", "abd"); // not UTF-8: printed as the file system has it
    const std::string a = baum.Wurzel() + "A", b = baum.Wurzel() + "B/";

    const TLauf lauf = Starten(baum, {a, b});
    EXPECT_EQ(lauf.code, 0);
    EXPECT_EQ(lauf.aus, "! " + a + "/x\n+     " + b + "z\n! " + a + "/sub/y\n+     " + b + "\xff\xfe\n");
    EXPECT_EQ(LetzteZeile(lauf.fehler), "+: 2 -: 0 !: 2");
    // Not a terminal: no progress display in the way.
    EXPECT_EQ(lauf.fehler.find('\r'), std::string::npos);
}

TEST(Kommandozeile, NullEndsEveryLineSoANewlineInANameReadsBack)
{
    TTestbaum baum;
    baum.Datei("A/zwei\nzeilen", "gleich");
    baum.Datei("B/kopie\n", "gleich");
    const std::string a = baum.Wurzel() + "A/", b = baum.Wurzel() + "B/";
    for (const char* null : {"-0", "--null"}) {
        const TLauf lauf = Starten(baum, {null, a, b});
        EXPECT_EQ(lauf.code, 0);
        std::vector<std::string> zeilen;
        for (size_t anfang = 0, ende; (ende = lauf.aus.find('\0', anfang)) != std::string::npos; anfang = ende + 1)
            zeilen.push_back(lauf.aus.substr(anfang, ende - anfang));
        EXPECT_EQ(zeilen, (std::vector<std::string>{"! " + a + "zwei\nzeilen", "+     " + b + "kopie\n"}));
        EXPECT_EQ(LetzteZeile(lauf.fehler), "+: 1 -: 0 !: 1");
    }
    EXPECT_NE(Starten(baum, {"--help"}).aus.find("-0, --null"), std::string::npos);
    // After "--" a word is a directory, even one that reads as an option.
    EXPECT_EQ(Starten(baum, {"-0", "--", a, b}).aus, Starten(baum, {"-0", a, b}).aus);
    const TLauf nachEnde = Starten(baum, {"--", "-0", b});
    EXPECT_EQ(nachEnde.code, 2);
    EXPECT_NE(nachEnde.fehler.find("'-0' is not a directory"), std::string::npos) << nachEnde.fehler;
}

TEST(Kommandozeile, WithAndWithoutFinalSeparatorIsTheSameDirectory)
{
    TTestbaum baum;
    baum.Datei("A/x", "gleich");
    baum.Datei("A/s/y", "gleich");
    const std::string a = baum.Wurzel() + "A";
    const TLauf lauf = Starten(baum, {a, a + "/"});
    EXPECT_EQ(lauf.code, 0);
    EXPECT_EQ(lauf.aus, "! " + a + "/x\n+     " + a + "/s/y\n");
    EXPECT_EQ(LetzteZeile(lauf.fehler), "+: 1 -: 0 !: 1");
}

TEST(Kommandozeile, OverlappingTreesNeverListAFileUnderItself)
{
    TTestbaum baum;
    baum.Datei("T/x", "gleich");
    baum.Datei("T/s/y", "gleich");
    baum.Datei("T/s/t/z", "allein");
    const std::string t = baum.Wurzel() + "T/", punktT = baum.Wurzel() + "./T/";
    const TLauf zweimal = Starten(baum, {baum.Wurzel() + "T", baum.Wurzel() + "./T"});
    EXPECT_EQ(zweimal.aus, "! " + t + "x\n+     " + punktT + "s/y\n! " + t + "s/y\n+     " + punktT + "x\n- " + t + "s/t/z\n");
    EXPECT_EQ(LetzteZeile(zweimal.fehler), "+: 2 -: 1 !: 2");

    const TLauf teil = Starten(baum, {baum.Wurzel() + "T", baum.Wurzel() + "T/s"});
    EXPECT_EQ(teil.aus, "! " + t + "x\n+     " + t + "s/y\n- " + t + "s/y\n- " + t + "s/t/z\n");
    EXPECT_EQ(LetzteZeile(teil.fehler), "+: 1 -: 2 !: 1");
}

TEST(Kommandozeile, WrongArgumentsExitWithTwo)
{
    TTestbaum baum;
    baum.Datei("datei", "x");
    for (const std::vector<std::string>& argumente :
         {std::vector<std::string>{baum.Wurzel()}, {baum.Wurzel(), baum.Wurzel() + "fehlt"},
          {baum.Wurzel() + "datei", baum.Wurzel()}, {"", baum.Wurzel()}, {"a", "b", "c"},
          {"--xml", baum.Wurzel(), baum.Wurzel()}}) {
        const TLauf lauf = Starten(baum, argumente);
        EXPECT_EQ(lauf.code, 2);
        EXPECT_TRUE(lauf.aus.empty());
        EXPECT_EQ(std::count(lauf.fehler.begin(), lauf.fehler.end(), '\n'), 1) << lauf.fehler;
    }
    EXPECT_NE(Starten(baum, {"--xml", "a", "b"}).fehler.find("unknown option --xml"), std::string::npos);
    const TLauf hilfe = Starten(baum, {"--help"});
    EXPECT_EQ(hilfe.code, 0);
    EXPECT_NE(hilfe.aus.find("Usage: dubrinax-cli DIR1 DIR2"), std::string::npos);
    EXPECT_EQ(Starten(baum, {"--version"}).code, 0);
}

TEST(Kommandozeile, JsonAndFiltersAsOptions)
{
    TTestbaum baum;
    baum.Datei("A/x", "abc");
    baum.Datei("A/klein", "ab");
    baum.Datei("B/node/x", "abc");
    baum.Datei("B/\xff", "ab");
    const std::string a = baum.Wurzel() + "A/", b = baum.Wurzel() + "B/";
    const std::pair<std::vector<std::string>, std::string> faelle[] = {
        {{"--exclude", "node", a, b}, "! " + a + "klein\n+     " + b + "\xff\n- " + a + "x\n"},
        {{a, "--min-size=3", b}, "! " + a + "x\n+     " + b + "node/x\n"},
        {{"--exclude=klein", "--exclude", "n*/", a, b}, "- " + a + "x\n"},
        {{"--json", "--min-size", "1K", a, b}, R"({"format": "dubrinax-list", "version": 1, "directories": [")" + a
             + R"(", ")" + b + R"("], "groups": [], "complete": true, "counts": {"+": 0, "-": 0, "!": 0}})" "\n"},
    };
    for (const auto& [argumente, erwartet] : faelle) {
        const TLauf lauf = Starten(baum, argumente);
        EXPECT_EQ(lauf.code, 0);
        std::string aus = lauf.aus; // the two "- " lines in the file system's order
        if (aus.starts_with("- "))
            std::rotate(aus.begin(), aus.begin() + static_cast<std::ptrdiff_t>(aus.find('\n') + 1), aus.end());
        EXPECT_EQ(aus, erwartet);
    }
    for (const std::vector<std::string>& falsch : {std::vector<std::string>{"--json", "-0", a, b},
                                                   {"--min-size", "3T", a, b}, {a, b, "--exclude"}})
        EXPECT_EQ(Starten(baum, falsch).code, 2);
    // A whole JSON list with a name that is no UTF-8, as a script reads it back.
    if (std::system("python3 -c 0") != 0)
        return;
    const std::string json = baum.Wurzel() + ".aus";
    Starten(baum, {"--json", a, b});
    const std::string python = "python3 -c \"import json,os,sys; d=json.load(open(sys.argv[1])); "
                               "print(len(d['groups']), d['counts']['+']); sys.stdout.flush(); "
                               "[sys.stdout.buffer.write(os.fsencode(f['path'])) for g in d['groups'] "
                               "for f in g['files'] if 'path_hex' in f]\" ";
    ASSERT_EQ(std::system((python + json + " > " + json + ".py").c_str()), 0);
    EXPECT_EQ(TTestbaum::Lesen(json + ".py"), "2 2\n" + b + "\xff");
}

class SignalTest : public ::testing::TestWithParam<int> {};

// Ctrl-C, and SIGTERM and SIGHUP as a closed terminal or a stopping service sends them.
TEST_P(SignalTest, StopsTheSearchAndPrintsWhatWasFound)
{
    TTestbaum baum;
    baum.Datei("A/a", "klein");
    baum.Datei("B/b", "klein");
    // Two large sparse files in deeper directories, so they come after the small ones.
    const std::string gross1 = baum.Datei("A/t/gross", ""), gross2 = baum.Datei("B/t/gross", "");
    const int64_t laenge = int64_t{8} << 30;
    ASSERT_EQ(::truncate(gross1.c_str(), laenge), 0);
    ASSERT_EQ(::truncate(gross2.c_str(), laenge), 0);

    TProzess prozess(baum, {baum.Wurzel() + "A", baum.Wurzel() + "B"});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    prozess.Signal(GetParam());
    const TLauf lauf = prozess.Warten();
    EXPECT_EQ(lauf.code, 128 + GetParam());
    const std::string a = baum.Wurzel() + "A/", b = baum.Wurzel() + "B/";
    // The large pair was cut short: no "- " line says it has no twin.
    EXPECT_EQ(lauf.aus, "! " + a + "a\n+     " + b + "b\n");
    EXPECT_EQ(LetzteZeile(lauf.fehler), "+: 1 -: 0 !: 1");
}

INSTANTIATE_TEST_SUITE_P(Signale, SignalTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP));

namespace {

// (signal, the list's format): sent while the list fills a pipe whose
// reader pauses, so that it interrupts a write.
class VollesRohrTest : public ::testing::TestWithParam<std::pair<int, const char*>> {};

} // namespace

TEST_P(VollesRohrTest, ASignalNeverCutsARecord)
{
    const auto [signal, format] = GetParam();
    TTestbaum baum;
    for (int i = 0; i < 2000; ++i)
        baum.Datei((i % 2 ? "B/" : "A/") + std::string(90, 'n') + std::to_string(i), std::to_string(i % 300));
    std::vector<std::string> argumente{format, baum.Wurzel() + "A", baum.Wurzel() + "B"};
    const std::string ganz = Starten(baum, argumente).aus, rohr = baum.Wurzel() + "rohr";
    ASSERT_EQ(::mkfifo(rohr.c_str(), 0600), 0);
    const int lesen = ::open(rohr.c_str(), O_RDONLY | O_NONBLOCK);
    TProzess prozess(baum, argumente, rohr);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    prozess.Signal(signal);
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    const std::string aus = TTestbaum::Lesen(rohr);
    ::close(lesen);
    const TLauf lauf = prozess.Warten();
    EXPECT_EQ(lauf.code, 128 + signal) << lauf.fehler;
    EXPECT_EQ(LetzteZeile(lauf.fehler).substr(0, 3), "+: ");
    // Whole records of the full list, cut short (a JSON group without the
    // comma that led on), then for JSON its end.
    const std::string json = std::string(format) == "--json" ? "], \"complete\": false" : "";
    const size_t teil = json.empty() ? aus.size() : aus.find("\n" + json) + 1;
    ASSERT_TRUE(teil > 0 && teil < ganz.size());
    EXPECT_TRUE(ganz.compare(0, teil - 1, aus, 0, teil - 1) == 0);
    EXPECT_EQ(aus[teil - 1], std::string(format) == "-0" ? '\0' : '\n');
    EXPECT_EQ(aus.substr(teil, json.size()), json);
}

INSTANTIATE_TEST_SUITE_P(Signale, VollesRohrTest,
                         ::testing::Values(std::pair{SIGTERM, "--json"}, std::pair{SIGHUP, "-0"}, std::pair{SIGINT, "--"}));

TEST(Kommandozeile, AListThatCannotBeWrittenIsReported)
{
    TTestbaum baum;
    baum.Datei("A/x", "gleich");
    baum.Datei("A/y", "gleich");
    const TLauf lauf = TProzess(baum, {baum.Wurzel() + "A", baum.Wurzel() + "A"}, "/dev/full").Warten();
    EXPECT_EQ(lauf.code, 1);
    EXPECT_NE(lauf.fehler.find("dubrinax-cli: write error: "), std::string::npos) << lauf.fehler;
}

namespace {

// The front end in-process, with Ctrl-C pressed as the n-th list line is
// written, or at the walk's first entry for n = 0.
class TUnterbrochen : public TKonsolenFenster {
public:
    TUnterbrochen(std::FILE* ausgabe, int zeile) : TKonsolenFenster(ausgabe, stderr, false), zeile_(zeile) {}

    // Takes back a Ctrl-C that an earlier search did not come to notice.
    void Vergessen() { TKonsolenFenster::UnterbrechungNachsehen(); }

protected:
    void FundAngehaengt(uint32_t index) override
    {
        TKonsolenFenster::FundAngehaengt(index);
        if (++zeilen_ == zeile_) {
            UnterbrechungMelden(SIGINT);
            // Past the front end's pause between dispatches, where it notices.
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
    }
    bool UnterbrechungNachsehen() override
    {
        if (zeile_ == 0)
            UnterbrechungMelden(SIGINT);
        return TKonsolenFenster::UnterbrechungNachsehen();
    }

private:
    int zeile_;
    int zeilen_ = 0;
};

// The list printed and the counter line.
std::pair<std::string, std::string> InProzessSuchen(const TTestbaum& baum, int zeile)
{
    TUnterbrochen(nullptr, -1).Vergessen();
    std::FILE* aus = std::fopen((baum.Wurzel() + ".aus").c_str(), "wb");
    TUnterbrochen fenster(aus, zeile);
    fenster.Suchen(baum.Wurzel() + "A/", baum.Wurzel() + "B/");
    std::fclose(aus);
    return {TTestbaum::Lesen(baum.Wurzel() + ".aus"), fenster.ZaehlerZeile()};
}

class UnterbrechungTest : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(UnterbrechungTest, TheListEndsWithAWholeGroupAndTheCountersCountIt)
{
    TTestbaum baum;
    for (const char* name : {"A/1", "A/3", "B/p1", "B/s/p2"})
        baum.Datei(name, std::string(5000, 'p'));
    for (const char* name : {"A/2", "A/s/4", "B/q"})
        baum.Datei(name, std::string(5000, 'q'));
    baum.Datei("A/5", std::string(5000, 'r'));
    const auto [ganz, ganzGezaehlt] = InProzessSuchen(baum, -1);
    ASSERT_EQ(std::count(ganz.begin(), ganz.end(), '\n'), 11);

    const auto [aus, gezaehlt] = InProzessSuchen(baum, GetParam());
    // The start of the whole list, up to a group's end, and counted.
    EXPECT_EQ(ganz.substr(0, aus.size()), aus);
    if (aus.size() < ganz.size()) {
        EXPECT_NE(ganz[aus.size()], '+');
    }
    auto anzahl = [&](char vorsatz) {
        int n = 0;
        for (size_t i = 0; i < aus.size(); i = aus.find('\n', i) + 1) // every line ends with one
            n += aus[i] == vorsatz;
        return std::to_string(n);
    };
    EXPECT_EQ(gezaehlt, "+: " + anzahl('+') + " -: " + anzahl('-') + " !: " + anzahl('!'));
    if (GetParam() == 0) {
        EXPECT_TRUE(aus.empty());
    }
}

// 0: in the walk; then at every line of the list.
INSTANTIATE_TEST_SUITE_P(Zeilen, UnterbrechungTest, ::testing::Range(0, 12));
