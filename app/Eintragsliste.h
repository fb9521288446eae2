#pragma once

// A list of entries, each with the reason it was left alone, shown in a
// modal dialog: what a search could not read, what a copy or a move refused.

#include "fenster/Oberflaeche.h"

class QString;
class QWidget;

// Shows the entries under a heading until the user closes the dialog.
void EintraegeZeigen(QWidget* eltern, const QString& titel, const QString& kopf, const TEintragsGruende& eintraege);
