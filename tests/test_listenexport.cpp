// The list written as CSV and JSON, read back by another program; what the
// walks leave out, in both searches.

#include "Suchvergleich.h"
#include "Testbaum.h"
#include "search/Listenexport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

// Python's own readers: each group as "G", each line as kind, size and the
// hex of its path's bytes. JSON paths are taken back as surrogateescape
// texts, CSV fields as they stand, and each "path_hex" must agree.
const char* const Leser = R"(import csv, json, sys
f = sys.argv[1]
if f.endswith('.json'):
    d = json.load(open(f, encoding='utf-8'))
    assert d['complete'] and d['directories'][1].endswith('B/')
    for g in d['groups']:
        print('G')
        for x in g['files']:
            b = x['path'].encode('utf-8', 'surrogateescape')
            assert bytes.fromhex(x.get('path_hex', b.hex())) == b
            print(x['kind'], x['size'], b.hex())
else:
    rows = list(csv.reader(open(f, newline='', encoding='utf-8', errors='surrogateescape')))
    assert rows[0] == ['group', 'kind', 'size', 'path']
    for i, (g, k, s, p) in enumerate(rows[1:]):
        if i == 0 or g != rows[i][0]: print('G')
        print(k, s or None, p.encode('utf-8', 'surrogateescape').hex())
)";

std::string HexAus(const std::string& bytes)
{
    std::string hex;
    for (const char c : bytes) {
        char ziffern[3];
        std::snprintf(ziffern, sizeof ziffern, "%02x", static_cast<unsigned char>(c));
        hex += ziffern;
    }
    return hex;
}

class ExportTest : public ::testing::TestWithParam<TExportFormat> {};

} // namespace

TEST_P(ExportTest, AnotherProgramReadsBackEveryGroupKindSizeAndPathByte)
{
    if (std::system("python3 -c 0") != 0)
        GTEST_SKIP() << "no python3 to read the list back";
    TTestbaum baum;
    baum.Datei("A/q,\"\nn", "komma");   // quoted in CSV, escaped in JSON
    baum.Datei("B/\xff\xfe", "komma");  // not UTF-8
    baum.Datei("A/\xc3\xa4", "umlaut"); // UTF-8 as it is
    baum.Datei("B/s/\xc3\xa4", "umlaut");
    baum.Datei("B/t/\xc3\xa4", "umlaut");
    baum.Datei("A/allein", "allein");
    TFensterAttrappe fenster;
    fenster.Feld(TFeld::Edit1) = baum.Wurzel() + "A/";
    fenster.Feld(TFeld::Edit3) = baum.Wurzel() + "B/";
    fenster.SucheAusfuehren({fenster.Feld(TFeld::Edit1), fenster.Feld(TFeld::Edit3)});
    const TFundliste& funde = fenster.Funde();
    ASSERT_EQ(funde.Anzahl(), 6u);

    const std::string datei = baum.Wurzel() + (GetParam() == TExportFormat::Json ? "liste.json" : "liste.csv");
    ASSERT_FALSE(ListeSpeichern(funde, datei, GetParam()));
    const std::string leser = baum.Datei("leser.py", Leser);
    ASSERT_EQ(std::system(("python3 " + leser + " " + datei + " > " + datei + ".aus").c_str()), 0);
    std::string erwartet;
    for (uint32_t i = 0; i < funde.Anzahl(); ++i) {
        if (funde.Fund(i).art != '+')
            erwartet += "G\n";
        erwartet += std::string(1, funde.Fund(i).art) + " " + std::to_string(funde.Eintrag(i).groesse) + " "
                    + HexAus(funde.Pfad(i)) + "\n";
    }
    EXPECT_EQ(TTestbaum::Lesen(datei + ".aus"), erwartet);
    if (GetParam() == TExportFormat::Csv) {
        EXPECT_NE(TTestbaum::Lesen(datei).find(",\"" + baum.Wurzel() + "A/q,\"\"\nn\"\r\n"), std::string::npos);
    }
    TExportFormat format{};
    EXPECT_TRUE(FormatNachName(datei, format) && format == GetParam());
}

INSTANTIATE_TEST_SUITE_P(Formate, ExportTest, ::testing::Values(TExportFormat::Csv, TExportFormat::Json));

TEST(Listenexport, AFailedSaveNamesThePathAndReasonAndLeavesNothing)
{
    TTestbaum baum;
    TFundliste leer;
    const std::string ziel = baum.Wurzel() + "fehlt" + plattform::Trenner + "liste.json";
    const std::optional<TDateiFehler> fehler = ListeSpeichern(leer, ziel, TExportFormat::Json);
    ASSERT_TRUE(fehler);
    EXPECT_EQ(fehler->pfad, ziel);
    EXPECT_FALSE(fehler->grund.Leer());
    EXPECT_TRUE(std::filesystem::is_empty(TTestbaum::Pfad(baum.Wurzel())));
    // A list saved over an older one replaces it whole.
    const std::string alt = baum.Datei("alt.csv", "alt");
    ASSERT_FALSE(ListeSpeichern(leer, alt, TExportFormat::Csv));
    EXPECT_EQ(TTestbaum::Lesen(alt), "group,kind,size,path\r\n");
}

namespace {

struct TFilterfall {
    std::vector<std::string> muster;
    const char* mindestgroesse;
    std::vector<std::string> erwartet; // groups, "+" lines sorted: A file first, then its twins in B
};

// A name that is no UTF-8 where the system takes one; Windows names are
// UTF-16, so there "ÿþ" stands in.
#ifdef _WIN32
#define FREMD "\xc3\xbf\xc3\xbe"
#define FREMD_MUSTER "\xc3\xbf?"
#else
#define FREMD "\xff\xfe"
#define FREMD_MUSTER "\xff?"
#endif

// The tree of every case: the unfiltered list is the first row.
void Filterbaum(const TTestbaum& baum)
{
    baum.Datei("A/x", "abc");
    baum.Datei("A/sub/y", "abd");
    baum.Datei("A/sub/tief/w", "abc");
    baum.Datei("A/gross", "abcdefgh");
    baum.Datei("A/\xc3\xa4.txt", "txt");
    baum.Datei("B/z", "abc");
    baum.Datei("B/" FREMD, "abd");
    baum.Datei("B/node/x", "abc");
    baum.Datei("B/gross2", "abcdefgh");
    baum.Datei("B/t.txt", "txt");
}

const TFilterfall Filterfaelle[] = {
    {{}, "0", {"A/x B/node/x B/z", "A/sub/y B/" FREMD, "A/sub/tief/w B/node/x B/z", "A/gross B/gross2",
               "A/\xc3\xa4.txt B/t.txt"}},
    {{"node", "*.txt"}, "0", {"A/x B/z", "A/sub/y B/" FREMD, "A/sub/tief/w B/z", "A/gross B/gross2"}},
    {{"sub/y", "/x"}, "0", {"A/sub/tief/w B/node/x B/z", "A/gross B/gross2", "A/\xc3\xa4.txt B/t.txt"}},
    {{"s[a-u]b/", FREMD_MUSTER, "?.txt"}, "0", {"A/x B/node/x B/z", "A/gross B/gross2"}},
    {{"x/", "tief/"}, "0", {"A/x B/node/x B/z", "A/sub/y B/" FREMD, "A/gross B/gross2", "A/\xc3\xa4.txt B/t.txt"}},
    {{}, "4", {"A/gross B/gross2"}},
    {{"[!a-z]*", "g*"}, "1K", {}},
};

class FilterTest : public ::testing::TestWithParam<TFilterfall> {};

} // namespace

TEST_P(FilterTest, BothSearchesLeaveOutWhatMatchesAndWhatIsSmaller)
{
    TTestbaum baum;
    Filterbaum(baum);
    const TFilterfall& fall = GetParam();
    const auto einrichten = [&](TFensterAttrappe& fenster) {
        for (const std::string& muster : fall.muster)
            fenster.Filter.MusterHinzufuegen(muster);
        int64_t groesse = -1;
        ASSERT_TRUE(GroesseLesen(fall.mindestgroesse, groesse));
        fenster.Filter.MindestgroesseSetzen(groesse);
    };
    for (const bool woertlich : {false, true}) {
        const auto ergebnis =
            suchvergleich::Suchen(baum.Verzeichnis("A"), baum.Verzeichnis("B"), woertlich, {}, einrichten);
        // Per group its file, then its twins sorted: their order is the file system's.
        std::vector<std::vector<std::string>> teile;
        for (std::string zeile : ergebnis.zeilen) {
            if (zeile[0] != '+')
                teile.emplace_back();
            zeile = zeile.substr(TFundliste::Praefix(zeile[0]).size() + baum.Wurzel().size());
            std::replace(zeile.begin(), zeile.end(), plattform::Trenner, '/');
            teile.back().push_back(zeile);
        }
        std::vector<std::string> gruppen;
        for (std::vector<std::string>& gruppe : teile) {
            std::sort(gruppe.begin() + 1, gruppe.end());
            gruppen.push_back(gruppe[0]);
            for (size_t i = 1; i < gruppe.size(); ++i)
                gruppen.back() += " " + gruppe[i];
        }
        std::vector<std::string> erwartet = fall.erwartet;
        std::sort(gruppen.begin(), gruppen.end());
        std::sort(erwartet.begin(), erwartet.end());
        EXPECT_EQ(gruppen, erwartet) << (woertlich ? "pairwise" : "normal");
    }
}

INSTANTIATE_TEST_SUITE_P(Faelle, FilterTest, ::testing::ValuesIn(Filterfaelle));

TEST(Filter, SizesReadAsDigitsAndAPowerOf1024)
{
    const std::pair<const char*, int64_t> faelle[] = {
        {"0", 0}, {"1500", 1500}, {"2k", 2048}, {"3M", 3 << 20}, {"1G", int64_t{1} << 30},
        {"", -1}, {"K", -1}, {"1.5M", -1}, {"-1", -1}, {"1T", -1}, {"9999999999G", -1},
        {"9223372036854775807", INT64_MAX}, {"9223372036854775800", INT64_MAX - 7},
        {"8589934591G", 8589934591 << 30}, {"9223372036854775808", -1}, {"8589934592G", -1}};
    for (const auto& [text, wert] : faelle) {
        int64_t groesse = -1;
        EXPECT_EQ(GroesseLesen(text, groesse), wert >= 0) << text;
        EXPECT_EQ(groesse, wert) << text;
    }
}
