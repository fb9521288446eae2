#include "app/Befehlsablauf.h"

#include "app/Fehlerbox.h"

void TBefehlsablauf::Ausfuehren(const std::function<void()>& handler)
{
    Abgesichert(handler);
    if (beendenAngefordert_ && !laeuft_()) {
        beendenAngefordert_ = false;
        beenden_();
    }
}

bool TBefehlsablauf::Schliessen()
{
    if (!laeuft_())
        return true;
    beendenAngefordert_ = true;
    return false;
}
