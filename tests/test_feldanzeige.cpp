#include "fenster/Feldanzeige.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TAnzeigeFall {
    TSuchstand stand;
    const char* felder; // Edit2|Edit4|Edit5|Edit6|Edit7|Edit8|Edit9
};

TSuchstand Stand(TTaetigkeit taetigkeit, const char* datei, int64_t groesse, int64_t position, int64_t von)
{
    TSuchstand stand;
    stand.taetigkeit = taetigkeit;
    stand.datei = datei;
    stand.groesseErste = groesse;
    stand.groesseZweite = groesse < 0 ? groesse : groesse + 1;
    stand.position = position;
    stand.positionVon = von;
    stand.zaehler = {1, 2, 2147483648};
    stand.gezaehlt = true;
    return stand;
}

class Feldanzeige : public ::testing::TestWithParam<TAnzeigeFall> {};

TEST_P(Feldanzeige, TheFirstStateWritesEveryFieldItSpeaksOf)
{
    const TAnzeigeFall& fall = GetParam();
    TFeldanzeige anzeige;
    anzeige.StandZeigen(fall.stand);
    std::string texte = anzeige.Text(TFeld::Edit2);
    for (TFeld feld : {TFeld::Edit4, TFeld::Edit5, TFeld::Edit6, TFeld::Edit7, TFeld::Edit8, TFeld::Edit9})
        texte += "|" + anzeige.Text(feld);
    EXPECT_EQ(texte, fall.felder);
}

using T = TTaetigkeit;
INSTANTIATE_TEST_SUITE_P(
    Staende, Feldanzeige,
    ::testing::Values(
        TAnzeigeFall{TSuchstand{}, "||||||"},
        TAnzeigeFall{Stand(T::VerzeichnissePruefen, "alt", -1, -1, 0), "||Überprüfe Verzeichnisse||1|2|2147483648"},
        TAnzeigeFall{Stand(T::DateiLesen, "a.txt", 5, 49152, 10485760), "5 Byte|6 Byte|a.txt|48 KB|1|2|2147483648"},
        TAnzeigeFall{Stand(T::DateiLesen, "b", 0, 3145727, 10485761), "0 Byte|1 Byte|b|2 MB|1|2|2147483648"},
        TAnzeigeFall{Stand(T::DateiNichtOffen, "/x/y", 5, -1, 0), "5 Byte|6 Byte|Konnte Datei /x/y nicht öffnen!||1|2|2147483648"},
        TAnzeigeFall{Stand(T::Verglichen, "a", 5, 7, 5), "5 Byte|6 Byte||0 KB|1|2|2147483648"},
        TAnzeigeFall{Stand(T::Kopieren, "f", -1, 7, 5), "||kopiere Datei: f|Kopieren|1|2|2147483648"},
        TAnzeigeFall{Stand(T::Verschieben, "f", -1, -1, 0), "||verschiebe Datei: f|Verschieben|1|2|2147483648"},
        TAnzeigeFall{Stand(T::FertigOhneFehler, "f", -1, -1, 0), "||kein Fehler aufgetreten||1|2|2147483648"},
        TAnzeigeFall{Stand(T::FertigMitFehler, "f", -1, -1, 0), "||es ist mindestens ein Fehler aufgetreten||1|2|2147483648"}));

TEST(Feldanzeige, ALaterStateRewritesWhatChangedAndWhatTheWindowWroteMeanwhile)
{
    TFeldanzeige anzeige;
    TSuchstand stand = Stand(TTaetigkeit::DateiLesen, "a", 5, 0, 5);
    anzeige.StandZeigen(stand);
    anzeige.AusstehendeNehmen();
    anzeige.Setzen(TFeld::Edit7, "4");
    anzeige.Setzen(TFeld::Edit1, "/A/");
    stand.position = 2048;
    anzeige.StandZeigen(stand);
    EXPECT_EQ(anzeige.Text(TFeld::Edit6), "2 KB");
    EXPECT_EQ(anzeige.Text(TFeld::Edit7), "1");
    EXPECT_EQ(anzeige.Text(TFeld::Edit1), "/A/");
    // Edit1 and Edit7 from Setzen, Edit6 and Edit7 again from the state.
    EXPECT_EQ(anzeige.AusstehendeNehmen().to_string(), "0011000010");
    EXPECT_TRUE(anzeige.AusstehendeNehmen().none());
}

} // namespace
