#pragma once

// A list of entries, each with the reason it was left alone, shown in a
// modal dialog: what a search could not read, what a copy or a move refused.

#include <string>
#include <utility>
#include <vector>

class QString;
class QWidget;

// (path, reason), as the core reports them: bytes, shown as UTF-8.
using TEintragsGruende = std::vector<std::pair<std::string, std::string>>;

// Shows the entries under a heading until the user closes the dialog.
void EintraegeZeigen(QWidget* eltern, const QString& titel, const QString& kopf, const TEintragsGruende& eintraege);
