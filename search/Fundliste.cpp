#include "search/Fundliste.h"

void TFundliste::VerzeichnisseSetzen(std::string erstes, std::string zweites)
{
    verzeichnisse_[0] = std::move(erstes);
    verzeichnisse_[1] = std::move(zweites);
}

std::string_view TFundliste::Praefix(char art)
{
    // A plus sign and five blanks: the file stands under its "! " line.
    return art == '+' ? std::string_view("+     ") : art == '!' ? std::string_view("! ") : std::string_view("- ");
}

std::string TFundliste::Text(uint32_t index) const
{
    const TFund& fund = funde_[index];
    std::string text(Praefix(fund.art));
    text.append(fund.pfad);
    return text;
}

size_t TFundliste::TextLaenge(uint32_t index) const
{
    return Praefix(funde_[index].art).size() + funde_[index].pfad.size();
}

void TFundliste::Leeren()
{
    std::vector<TFund>().swap(funde_);
    speicher_.Leeren();
}
