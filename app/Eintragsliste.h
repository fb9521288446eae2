#pragma once

// A list of entries, each with the reason it was left alone, shown in a
// modal dialog: what a search could not read, what a copy, a move or the
// trash refused. The texts are the window logic's (fenster/Eintragsmeldung).

#include "fenster/Eintragsmeldung.h"

class QWidget;

// Shows the entries under a heading until the user closes the dialog.
void EintraegeZeigen(QWidget* eltern, const TEintragsMeldung& meldung);
