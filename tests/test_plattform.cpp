// The platform layer's promises, on every platform it is built for.

#include "Testbaum.h"
#include "Testsystem.h"

#include "util/Plattform.h"
#include "util/Speila.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

constexpr char T = plattform::Trenner;

// Every entry of a listing with its kind.
std::map<std::string, plattform::TEintragsArt> Eintraege(const std::string& verzeichnis)
{
    std::map<std::string, plattform::TEintragsArt> eintraege;
    plattform::TVerzeichnisListe liste(verzeichnis);
    std::string name;
    plattform::TEintragsArt art;
    while (liste.Naechster(name, art))
        eintraege[name] = art;
    return eintraege;
}

bool Schreiben(const std::string& pfad, const std::string& inhalt)
{
    plattform::TDatei datei = plattform::TDatei::ErzeugenSchreiben(pfad);
    return datei.Schreiben(inhalt.data(), static_cast<int64_t>(inhalt.size())) && datei.Schliessen();
}

std::string Lesen(const std::string& pfad)
{
    plattform::TDatei datei = plattform::TDatei::OeffnenLesen(pfad);
    std::string inhalt(64, '\0');
    const int64_t n = datei.Lesen(inhalt.data(), static_cast<int64_t>(inhalt.size()));
    return n < 0 ? "<Fehler>" : inhalt.substr(0, static_cast<size_t>(n));
}

} // namespace

TEST(Verzeichnisliste, GivesEveryEntryWithItsKindDotsIncluded)
{
    TTestbaum baum;
    const std::string d = baum.Verzeichnis("d");
    baum.Datei("d/f", "x");
    baum.Verzeichnis("d/u");
    using A = plattform::TEintragsArt;
    const std::map<std::string, A> erwartet{{".", A::Verzeichnis}, {"..", A::Verzeichnis},
                                            {"f", A::Datei}, {"u", A::Verzeichnis}};
    for (const std::string& spelling : {d, d.substr(0, d.size() - 1)}) {
        auto eintraege = Eintraege(spelling);
        // Not every file system tells the kind in the listing; then it is looked up.
        for (auto& [name, art] : eintraege)
            if (art == A::Unbekannt)
                art = plattform::IstVerzeichnis(d + name) ? A::Verzeichnis : A::Datei;
        EXPECT_EQ(eintraege, erwartet) << spelling;
    }
    EXPECT_FALSE(plattform::TVerzeichnisListe(baum.Wurzel() + "fehlt").Offen());
    EXPECT_FALSE(plattform::TVerzeichnisListe(baum.Wurzel() + "d" + T + "f").Offen());
}

TEST(Verzeichnisliste, EmptyTextListsTheWorkingDirectory)
{
    TTestbaum baum;
    baum.Datei("hier", "x");
    const fs::path vorher = fs::current_path();
    fs::current_path(TTestbaum::Pfad(baum.Wurzel()));
    const auto eintraege = Eintraege("");
    const bool istVerzeichnis = plattform::IstVerzeichnis("");
    fs::current_path(vorher);
    EXPECT_EQ(eintraege.count("hier"), 1u);
    EXPECT_TRUE(istVerzeichnis);
}

// Names beyond ASCII reach the file system as themselves: what the listing
// gives opens the same file, and other programs see the same name.
TEST(Dateinamen, NamesBeyondAsciiKeepTheirBytesBothWays)
{
    TTestbaum baum;
    const std::vector<std::string> namen{"Gr\xC3\xBC\xC3\x9F" "e.txt", "\xE6\x97\xA5\xE6\x9C\xAC",
                                         "\xF0\x9F\x98\x80 Bild", "caf\xC3\xA9 \xE2\x82\xAC"};
    const std::string d = baum.Verzeichnis("d");
    for (const std::string& name : namen) {
        ASSERT_TRUE(Schreiben(d + name, name)) << name;
        EXPECT_TRUE(fs::exists(TTestbaum::Pfad(d + name))) << name;
    }
    baum.Datei("d/\xC3\x84nderung", "von aussen");
    const auto eintraege = Eintraege(d);
    for (const std::string& name : namen) {
        ASSERT_EQ(eintraege.count(name), 1u) << name;
        EXPECT_TRUE(plattform::IstDatei(d + name));
        EXPECT_EQ(DateiGroesse(d + name), static_cast<int64_t>(name.size()));
        EXPECT_EQ(Lesen(d + name), name);
    }
    EXPECT_EQ(eintraege.count("\xC3\x84nderung"), 1u);
    EXPECT_EQ(Lesen(d + "\xC3\x84nderung"), "von aussen");
}

TEST(Dateinamen, ABrokenTextNamesNoFile)
{
    TTestbaum baum;
    const std::string latin1 = baum.Wurzel() + "Gr\xFC\xDF" "e";
    if (T == '\\') {
        // No file can have this name on Windows: nothing is created.
        EXPECT_FALSE(plattform::TDatei::ErzeugenSchreiben(latin1).Offen());
        EXPECT_FALSE(plattform::VerzeichnisAnlegen(latin1));
        EXPECT_FALSE(plattform::IstVerzeichnis(latin1));
        EXPECT_EQ(Eintraege(baum.Wurzel()).size(), 2u);
    } else {
        // POSIX names are bytes: this one is as good as any.
        EXPECT_TRUE(Schreiben(latin1, "x"));
        EXPECT_EQ(Eintraege(baum.Wurzel()).count("Gr\xFC\xDF" "e"), 1u);
    }
}

// Opening to read must never lock other programs out of the file.
TEST(Dateien, AnOpenReaderLetsOthersWriteRenameAndDelete)
{
    TTestbaum baum;
    const std::string pfad = baum.Datei("f", "alt");
    plattform::TDatei leser = plattform::TDatei::OeffnenLesen(pfad);
    ASSERT_TRUE(leser.Offen());

    EXPECT_TRUE(Schreiben(pfad, "neu!"));
    EXPECT_EQ(TTestbaum::Lesen(pfad), "neu!");
    EXPECT_TRUE(plattform::DateiUmbenennen(pfad, pfad + "2"));
    EXPECT_TRUE(plattform::DateiEntfernen(pfad + "2"));
    // Windows may keep the name until the last handle is closed.
    leser = {};
    EXPECT_FALSE(plattform::IstDatei(pfad + "2"));
}

TEST(Dateien, AWriterLetsOthersRead)
{
    TTestbaum baum;
    const std::string pfad = baum.Wurzel() + "f";
    plattform::TDatei schreiber = plattform::TDatei::ErzeugenSchreiben(pfad);
    ASSERT_TRUE(schreiber.Offen());
    ASSERT_TRUE(schreiber.Schreiben("teil", 4));
    EXPECT_EQ(Lesen(pfad), "teil");
    EXPECT_TRUE(schreiber.Schliessen());
}

TEST(Dateien, CreatingEmptiesAnExistingFile)
{
    TTestbaum baum;
    const std::string pfad = baum.Datei("f", std::string(5000, 'x'));
    ASSERT_TRUE(Schreiben(pfad, "kurz"));
    EXPECT_EQ(DateiGroesse(pfad), 4);
}

TEST(Dateien, PositionedReadsLeaveTheSequentialPositionAlone)
{
    TTestbaum baum;
    plattform::TDatei datei = plattform::TDatei::OeffnenLesen(baum.Datei("f", "0123456789"));
    ASSERT_TRUE(datei.Offen());
    char puffer[16];
    ASSERT_EQ(datei.Lesen(puffer, 3), 3);
    EXPECT_EQ(datei.LesenAb(6, puffer, 16), 4);
    EXPECT_EQ(std::string(puffer, 4), "6789");
    EXPECT_EQ(datei.LesenAb(10, puffer, 16), 0);
    EXPECT_EQ(datei.LesenAb(99, puffer, 16), 0);
    ASSERT_EQ(datei.Lesen(puffer, 16), 7);
    EXPECT_EQ(std::string(puffer, 7), "3456789");
}

TEST(Dateien, ReadingAndWritingPast4GiBKeepsThe64BitPositions)
{
    TTestbaum baum;
    const std::string pfad = baum.Datei("gross", "");
    const int64_t vier = int64_t{1} << 32;
    ASSERT_TRUE(testsystem::LaengeSetzen(pfad, vier + 3));
    EXPECT_EQ(DateiGroesse(pfad), vier + 3);
    plattform::TDatei datei = plattform::TDatei::OeffnenLesen(pfad);
    char puffer[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(datei.LesenAb(vier + 1, puffer, 8), 2);
    EXPECT_EQ(std::string(puffer, 2), std::string(2, '\0'));
}

TEST(Kennung, HardLinksShareOneIdentityAndOtherFilesDoNot)
{
    TTestbaum baum;
    const std::string eins = baum.Datei("eins", "x");
    const std::string zwei = baum.Datei("zwei", "x");
    std::error_code fehler;
    fs::create_hard_link(TTestbaum::Pfad(eins), TTestbaum::Pfad(baum.Wurzel() + "hart"), fehler);
    ASSERT_FALSE(fehler) << fehler.message();

    plattform::TDateiKennung k1, k2, hart, offen;
    ASSERT_TRUE(plattform::KennungLesen(eins, k1));
    ASSERT_TRUE(plattform::KennungLesen(zwei, k2));
    ASSERT_TRUE(plattform::KennungLesen(baum.Wurzel() + "hart", hart));
    ASSERT_TRUE(plattform::TDatei::OeffnenLesen(eins).Kennung(offen));
    EXPECT_EQ(k1, hart);
    EXPECT_EQ(k1, offen);
    EXPECT_NE(k1, k2);
    EXPECT_FALSE(plattform::KennungLesen(baum.Wurzel() + "fehlt", k1));
}

TEST(Kennung, ADirectoryUnderTwoSpellingsIsOneDirectory)
{
    TTestbaum baum;
    const std::string d = baum.Verzeichnis("d");
    baum.Verzeichnis("d/u");
    plattform::TDateiKennung k1, k2, k3;
    ASSERT_TRUE(plattform::VerzeichnisKennung(d, k1));
    ASSERT_TRUE(plattform::VerzeichnisKennung(d + "u" + T + ".." + T, k2));
    ASSERT_TRUE(plattform::VerzeichnisKennung(d + "u", k3));
    EXPECT_EQ(k1, k2);
    EXPECT_NE(k1, k3);
    EXPECT_FALSE(plattform::VerzeichnisKennung(baum.Datei("f", "x"), k1));
}

TEST(Eintragsinfo, TellsKindSizeTimeAndIdentity)
{
    TTestbaum baum;
    const std::string d = baum.Verzeichnis("d");
    const std::string datei = baum.Datei("d/f", "12345");
    baum.Verzeichnis("d/u");
    const auto jetzt = std::chrono::system_clock::now();
    fs::last_write_time(TTestbaum::Pfad(datei), fs::file_time_type::clock::now() - std::chrono::seconds(100));

    plattform::TVerzeichnisListe liste(d);
    plattform::TEintragsInfo info;
    ASSERT_TRUE(liste.Info("f", info));
    EXPECT_TRUE(info.regulaer);
    EXPECT_FALSE(info.verzeichnis);
    EXPECT_EQ(info.groesse, 5);
    plattform::TDateiKennung kennung;
    ASSERT_TRUE(plattform::KennungLesen(datei, kennung));
    EXPECT_EQ(info.kennung, kennung);
    // Nanoseconds since 1970, as the system clock counts.
    const int64_t vor100 = std::chrono::duration_cast<std::chrono::nanoseconds>(
                               (jetzt - std::chrono::seconds(100)).time_since_epoch())
                               .count();
    EXPECT_NEAR(static_cast<double>(info.geaendert), static_cast<double>(vor100), 5e9);

    ASSERT_TRUE(liste.Info("u", info));
    EXPECT_TRUE(info.verzeichnis);
    EXPECT_FALSE(info.regulaer);
    EXPECT_EQ(info.groesse, -1);
    EXPECT_FALSE(liste.Info("fehlt", info));
}

TEST(Umbenennen, ReplacesTheTargetInOneStep)
{
    TTestbaum baum;
    const std::string alt = baum.Datei("alt", "neuer Inhalt");
    const std::string neu = baum.Datei("neu", "voriger Inhalt");
    ASSERT_TRUE(plattform::DateiUmbenennen(alt, neu));
    EXPECT_EQ(TTestbaum::Lesen(neu), "neuer Inhalt");
    EXPECT_FALSE(plattform::IstDatei(alt));
    EXPECT_FALSE(plattform::DateiUmbenennen(alt, neu));
    EXPECT_EQ(TTestbaum::Lesen(neu), "neuer Inhalt");
}

// Also for root, whom the permission bits would let pass: a file without any
// write permission was made so to keep it.
TEST(Umbenennen, AReadOnlyTargetIsKept)
{
    TTestbaum baum;
    const std::string alt = baum.Datei("alt", "neu");
    const std::string neu = baum.Datei("neu", "behalten");
    fs::permissions(TTestbaum::Pfad(neu), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(plattform::DateiUmbenennen(alt, neu));
    EXPECT_EQ(TTestbaum::Lesen(neu), "behalten");
    EXPECT_EQ(TTestbaum::Lesen(alt), "neu");
    fs::permissions(TTestbaum::Pfad(neu), fs::perms::owner_write, fs::perm_options::add);
}

// What a move compares before it deletes its source: the open file and its
// name agree while nothing happens, and differ once the file is written anew
// or another file is put in its place.
TEST(Stand, OfTheOpenFileMatchesItsNameUntilTheFileChanges)
{
    TTestbaum baum;
    const std::string pfad = baum.Datei("f", "alt");
    plattform::TDateiStand offen, benannt;
    {
        plattform::TDatei datei = plattform::TDatei::OeffnenLesen(pfad);
        ASSERT_TRUE(datei.Stand(offen));
    }
    ASSERT_TRUE(plattform::StandLesen(pfad, benannt));
    EXPECT_EQ(offen, benannt);
    EXPECT_EQ(offen.groesse, 3);

    ASSERT_TRUE(Schreiben(pfad, "laenger"));
    ASSERT_TRUE(plattform::StandLesen(pfad, benannt));
    EXPECT_NE(offen, benannt);
    EXPECT_EQ(benannt.kennung, offen.kennung);

    plattform::TDateiStand vorher = benannt;
    ASSERT_TRUE(plattform::DateiUmbenennen(baum.Datei("g", "laenger"), pfad));
    ASSERT_TRUE(plattform::StandLesen(pfad, benannt));
    EXPECT_NE(benannt.kennung, vorher.kennung);

    EXPECT_FALSE(plattform::StandLesen(baum.Verzeichnis("d"), benannt));
    EXPECT_FALSE(plattform::StandLesen(baum.Wurzel() + "fehlt", benannt));
}

TEST(Verzeichnisse, CreateAndRemoveOneLevelOnlyWhenThatIsPossible)
{
    TTestbaum baum;
    const std::string d = baum.Wurzel() + "d";
    EXPECT_TRUE(plattform::VerzeichnisAnlegen(d));
    EXPECT_FALSE(plattform::VerzeichnisAnlegen(d)); // it exists
    EXPECT_FALSE(plattform::VerzeichnisAnlegen(d + T + "a" + T + "b")); // a is missing
    baum.Datei("d/f", "x");
    EXPECT_FALSE(plattform::VerzeichnisEntfernen(d)); // not empty
    EXPECT_FALSE(plattform::VerzeichnisEntfernen(d + T + "f")); // a file
    EXPECT_FALSE(plattform::DateiEntfernen(d)); // a directory
    EXPECT_TRUE(plattform::DateiEntfernen(d + T + "f"));
    EXPECT_TRUE(plattform::VerzeichnisEntfernen(d));
    EXPECT_FALSE(plattform::IstVerzeichnis(d));
}

// Paths longer than the 260 characters that Windows calls take by default
// still work, so that no deep directory drops out of a search.
TEST(Verzeichnisse, PathsBeyond260CharactersWork)
{
    TTestbaum baum;
    std::string tief = baum.Wurzel();
    std::vector<std::string> ebenen;
    while (tief.size() < 400) {
        tief += std::string(40, 'e') + std::to_string(ebenen.size()) + T;
        ebenen.push_back(tief);
    }
    ASSERT_TRUE(VerzeichnisseAnlegen(tief));
    const std::string datei = tief + "datei";
    ASSERT_TRUE(Schreiben(datei, "tief unten"));
    EXPECT_TRUE(plattform::IstDatei(datei));
    EXPECT_EQ(DateiGroesse(datei), 10);
    EXPECT_EQ(Lesen(datei), "tief unten");
    EXPECT_EQ(Eintraege(tief).count("datei"), 1u);
    plattform::TDateiKennung kennung;
    EXPECT_TRUE(plattform::VerzeichnisKennung(tief, kennung));
    EXPECT_TRUE(plattform::DateiUmbenennen(datei, datei + "3"));
    EXPECT_TRUE(plattform::DateiEntfernen(datei + "3"));
    for (size_t i = ebenen.size(); i-- > 0;)
        EXPECT_TRUE(plattform::VerzeichnisEntfernen(ebenen[i])) << i;
}

// A device is no file: its name must not count as one.
TEST(Geraete, ADeviceIsNeitherFileNorCopyTarget)
{
    TTestbaum baum;
    const std::string geraet = T == '\\' ? baum.Wurzel() + "NUL" : std::string("/dev/null");
    EXPECT_FALSE(plattform::IstDatei(geraet));
    EXPECT_FALSE(plattform::IstVerzeichnis(geraet));
    EXPECT_EQ(DateiGroesse(geraet), -1);
    EXPECT_FALSE(plattform::TDatei::OeffnenLesen(geraet).Offen());
}

TEST(Programmverzeichnis, IsTheDirectoryOfThisTest)
{
    const std::string verzeichnis = plattform::ProgrammVerzeichnis();
    ASSERT_FALSE(verzeichnis.empty());
    EXPECT_EQ(verzeichnis.back(), T);
    EXPECT_TRUE(plattform::IstDatei(verzeichnis + (T == '\\' ? "test_plattform.exe" : "test_plattform")))
        << verzeichnis;
}

// --- The separator rules ----------------------------------------------------

namespace {

struct PfadFall {
    const char* pfad;
    const char* verzeichnis;
    const char* name;
};

class Pfadteile : public ::testing::TestWithParam<PfadFall> {};

} // namespace

TEST_P(Pfadteile, SplitAfterTheLastSeparatorOrDriveColon)
{
    EXPECT_EQ(VerzeichnisTeil(GetParam().pfad), GetParam().verzeichnis);
    EXPECT_EQ(DateiNameAus(GetParam().pfad), GetParam().name);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Windows, Pfadteile,
                         ::testing::Values(PfadFall{"C:\\A\\sub\\f.txt", "C:\\A\\sub\\", "f.txt"},
                                           PfadFall{"C:\\A\\", "C:\\A\\", ""},
                                           PfadFall{"C:f.txt", "C:", "f.txt"},
                                           PfadFall{"C:\\f.txt", "C:\\", "f.txt"},
                                           PfadFall{"\\\\server\\share\\f", "\\\\server\\share\\", "f"},
                                           // "/" is no separator of the program's own.
                                           PfadFall{"C:\\A/f", "C:\\", "A/f"},
                                           PfadFall{"f.txt", "", "f.txt"}));
#else
INSTANTIATE_TEST_SUITE_P(Posix, Pfadteile,
                         ::testing::Values(PfadFall{"/a/sub/f.txt", "/a/sub/", "f.txt"},
                                           PfadFall{"/a/", "/a/", ""},
                                           PfadFall{"/f", "/", "f"},
                                           PfadFall{"a\\b:c", "", "a\\b:c"},
                                           PfadFall{"f.txt", "", "f.txt"}));
#endif

TEST(Trennzeichen, EndOfTheDirectoryPart)
{
    EXPECT_TRUE(plattform::BeendetVerzeichnisteil(T));
    EXPECT_FALSE(plattform::BeendetVerzeichnisteil('a'));
    EXPECT_EQ(plattform::BeendetVerzeichnisteil(':'), T == '\\');
    EXPECT_EQ(plattform::BeendetVerzeichnisteil('/'), T == '/');
}
