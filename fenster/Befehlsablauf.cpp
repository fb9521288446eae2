#include "fenster/Befehlsablauf.h"

#include "fenster/Fehlerbox.h"

void TBefehlsablauf::Ausfuehren(const std::function<void()>& handler)
{
    Abgesichert(handler, fehler_);
    if (beendenAngefordert_ && !laeuft_()) {
        beendenAngefordert_ = false;
        beenden_();
    }
}

bool TBefehlsablauf::Schliessen(const std::function<void()>& schliessen)
{
    Abgesichert(schliessen, fehler_);
    if (!laeuft_())
        return true;
    beendenAngefordert_ = true;
    return false;
}
