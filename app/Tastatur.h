#pragma once

// Keyboard ways to what the window otherwise offers to the mouse alone, as
// on every desktop. Each installs a small event filter that the widget owns.

#include <functional>

class QAbstractItemView;
class QWidget;

// Enter, Return or F4 on the focused widget, without Ctrl, Alt or Shift,
// runs the handler: the directory fields open their choice as a
// double-click does. The keys do nothing else in a read-only field.
void WahlTastenEinrichten(QWidget* feld, std::function<void()> handler);

// Shift+F10 on the list opens its context menu as the Menu key does: at the
// current line when it is in view, else in the middle of the visible part.
// Works for any item view, whatever holds its lines.
void MenueTasteEinrichten(QAbstractItemView* liste);
