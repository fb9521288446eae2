#include "search/Baumdaten.h"
#include "util/Bytespeicher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Names of every awkward kind, many times over so that they fill more than one block.
std::vector<std::string> Namen()
{
    std::vector<std::string> namen;
    for (int runde = 0; runde < 40; ++runde)
        for (const std::string& name : {std::string(), std::string("\xff\xfe nicht UTF-8"), std::string(1, '\0'),
                                        std::string(TBaumdaten::NameMax, static_cast<char>('a' + runde % 26)),
                                        "datei" + std::to_string(runde)})
            namen.push_back(name);
    return namen;
}

} // namespace

TEST(Baumdaten, NamesPathsAndIdentitiesComeBackAsEntered)
{
    TBaumdaten daten;
    daten.verzeichnisse.push_back({daten.Ablegen("/a/"), {}, false, false});
    daten.verzeichnisse.push_back({daten.Ablegen("/b/\xff/"), {}, false, false});
    const std::vector<std::string> namen = Namen();
    const uint16_t lauf = daten.NeuerLauf();
    for (size_t i = 0; i < namen.size(); ++i) {
        TBaumEintrag& eintrag = daten.Eintragen(lauf, static_cast<uint32_t>(i % 2), namen[i]);
        // Three file systems, one of them with 128-bit file ids.
        eintrag.regulaer = true;
        daten.KennungSetzen(eintrag, {i % 3, 1000 + i, i % 3 == 2 ? 7u : 0u});
    }
    for (size_t i = 0; i < namen.size(); ++i) {
        const TBaumEintrag& eintrag = daten.laeufe[lauf][i];
        EXPECT_EQ(daten.Name(eintrag), namen[i]) << i;
        EXPECT_EQ(daten.Pfad(eintrag), (i % 2 ? "/b/\xff/" : "/a/") + namen[i]) << i;
        EXPECT_EQ(daten.Kennung(eintrag), (plattform::TDateiKennung{i % 3, 1000 + i, i % 3 == 2 ? 7u : 0u})) << i;
    }
    EXPECT_FALSE(TBaumdaten::GleicheKennung(daten.laeufe[lauf][0], daten.laeufe[lauf][3]));
    EXPECT_EQ(daten.Name(daten.Eintragen(lauf, 0, std::string(TBaumdaten::NameMax + 9, 'x'))).size(),
              TBaumdaten::NameMax);
}

TEST(Bytespeicher, ViewsKeepTheirBytesWhileTheStoreGrows)
{
    TBytespeicher speicher;
    std::vector<std::string> texte;
    std::vector<std::string_view> ansichten;
    for (size_t laenge : {size_t{0}, size_t{5}, size_t{1} << 20, (size_t{1} << 20) + 3, size_t{700000}, size_t{1}}) {
        texte.push_back(std::string(laenge, static_cast<char>('a' + texte.size())));
        ansichten.push_back(speicher.Ablegen(texte.back()));
    }
    for (size_t i = 0; i < texte.size(); ++i)
        EXPECT_EQ(ansichten[i], texte[i]) << i;
}
