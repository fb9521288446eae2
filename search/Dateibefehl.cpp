#include "search/Dateibefehl.h"

#include "util/Ablage.h"

#include <set>
#include <utility>

namespace {

// One directory however it is spelt: "A/./", "A/" and a link to A are A.
bool GleichesVerzeichnis(const std::string& a, const std::string& b)
{
    plattform::TDateiKennung x, y;
    return a == b || (plattform::VerzeichnisKennung(a, x) && plattform::VerzeichnisKennung(b, y) && x == y);
}

} // namespace

TAbgelehnt DateienAblegen(const TFundliste& funde, const TDateiauftrag& auftrag, const TDateibeobachter& beobachter)
{
    // The lines name the files the search found, below the directories it
    // searched; what the directory fields say now may be something else entirely.
    const bool eigeneOrte = auftrag.basis.empty() || GleichesVerzeichnis(auftrag.basis, funde.Verzeichnis(0));

    // Nothing at a target is ever replaced, whoever wrote it: a file there
    // is accepted only with the source's very content (see TAblage).
    TAblage ablage(auftrag.ziel, auftrag.verschieben);
    ablage.NachDemKopieren = beobachter.NachDemKopieren;
    ablage.VerzeichnisBehalten(funde.Verzeichnis(0));
    ablage.VerzeichnisBehalten(funde.Verzeichnis(1));
    if (!auftrag.basis.empty())
        ablage.VerzeichnisBehalten(auftrag.basis);

    TAbgelehnt abgelehnt;
    // The entries a move has taken: a file under two lines goes with the first.
    std::set<std::pair<uint16_t, uint32_t>> bewegt;
    for (const uint32_t i : auftrag.zeilen) {
        if (i >= funde.Anzahl()) {
            abgelehnt.emplace_back(std::to_string(i), TGrund::Eigen(TGrundArt::KeineZeile));
            continue;
        }
        const std::string relativ = funde.Relativ(i);
        const std::string quelle = eigeneOrte ? funde.Pfad(i) : auftrag.basis + relativ;
        if (beobachter.VorDerZeile)
            beobachter.VorDerZeile(quelle);

        // A line acts on the very file the search read there, as it read
        // it: one replaced since (also by a new file that got the old one's
        // number), rewritten in place, or shown through a link put in place
        // of a directory on its way is not the file the line stands for.
        TAblage::TPruefung passt;
        if (eigeneOrte)
            passt = [&funde, i](const plattform::TQuellStand& jetzt) { return funde.Unveraendert(i, jetzt); };
        const std::pair<uint16_t, uint32_t> eintrag{funde.Fund(i).lauf, funde.Fund(i).eintrag};
        if (auftrag.verschieben && eigeneOrte && bewegt.count(eintrag) != 0)
            abgelehnt.emplace_back(quelle, TGrund::Eigen(TGrundArt::SchonVerschoben));
        else if (TGrund grund; !ablage.Ablegen(quelle, passt, relativ, grund))
            abgelehnt.emplace_back(quelle, std::move(grund));
        else if (auftrag.verschieben)
            bewegt.insert(eintrag);
    }
    // The sources of a move across file systems go once their copies are
    // on the disk; the renames are on it before the command reports. What
    // failed there follows the lines refused at once.
    for (auto& zeile : ablage.Abschliessen())
        abgelehnt.push_back(std::move(zeile));
    return abgelehnt;
}
