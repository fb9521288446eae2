#pragma once

// A list of entries, each with the reason it was left alone, shown in a
// modal dialog: what a search could not read, what a copy, a move or the
// trash refused. The texts are made without the toolkit (app/Eintragsmeldung).

#include "app/Eintragsmeldung.h"

#include <string>
#include <utility>
#include <vector>

class QWidget;

// (path, reason), as the window says them: bytes, shown as UTF-8.
using TEintragsGruende = std::vector<std::pair<std::string, std::string>>;

// Shows the entries under a heading until the user closes the dialog.
void EintraegeZeigen(QWidget* eltern, const TEintragsMeldung& meldung);
