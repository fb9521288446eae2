#include "app/Fensterrahmen.h"

#include <QWidget>

#include <algorithm>

int TFensterrahmen::AussenBreite() const
{
    return fenster_.width() + breite_;
}

void TFensterrahmen::AussenBreiteSetzen(int breite)
{
    fenster_.resize(std::max(breite - breite_, fenster_.minimumWidth()), fenster_.height());
}

void TFensterrahmen::Anpassen()
{
    const int rahmen = fenster_.frameGeometry().width() - fenster_.width();
    if (rahmen == breite_)
        return;
    // The outer width asked for so far was reached with the old frame;
    // keep it with the new one, so that a stored width does not grow by the
    // frame at every start.
    const int aussen = AussenBreite();
    breite_ = rahmen;
    fenster_.setMinimumWidth(std::max(1, minAussenBreite_ - rahmen));
    fenster_.resize(std::max(aussen - rahmen, fenster_.minimumWidth()), fenster_.height());
}
