#pragma once

// The main window Form1 on Linux: the Qt face of the window's logic. It
// builds the designed components (TFormteile) and lays them out, and hands
// the logic the user's clicks, keys and drops; the logic draws on it through
// TFormflaeche. What the window does, shows and keeps is the logic's.

#include "app/Fensterrahmen.h"
#include "app/Formflaeche.h"
#include "app/Formteile.h"
#include "fenster/Fensterlogik.h"
#include "util/Plattform.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QCloseEvent;
class QEvent;
class QMouseEvent;
class QMoveEvent;
class QResizeEvent;
class QShowEvent;
class TSpaltenlauf;

// The components come first as a base of plain pointers, so that the form
// and its tests name them as the form was drawn (Form1->Edit1).
class TForm1 : public QWidget, public TFormteile {
    Q_OBJECT

public:
    // Makes the face the logic draws on: over the window, its components
    // and its frame, with what lays out the list. Tests answer the dialogs
    // with a face of their own.
    using TFlaechenbau = std::function<std::unique_ptr<TFormflaeche>(
        QWidget& fenster, const TFormteile& teile, TFensterrahmen& rahmen, std::function<void()> anordnen)>;

    // Builds the window over its logic, which loads the settings from
    // "Einst.sys" beside the program or in the user's configuration
    // directory (see TFensterlogik).
    explicit TForm1(std::string programmVerzeichnis = plattform::ProgrammVerzeichnis(), QWidget* eltern = nullptr,
                    const TFlaechenbau& flaechenbau = {});
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // What the window does and holds.
    TFensterlogik& Logik() { return logik_; }
    const TFensterlogik& Logik() const { return logik_; }

protected:
    // The face the logic draws on.
    TFormflaeche& Flaeche() { return *flaeche_; }

    void closeEvent(QCloseEvent* ereignis) override;
    void mouseDoubleClickEvent(QMouseEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void moveEvent(QMoveEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void Aufbauen();
    void MenueAufbauen();
    // The list and, under it, the summary and the note.
    void ListeAnordnen();

    TFensterrahmen rahmen_;
    std::unique_ptr<TFormflaeche> flaeche_;
    TFensterlogik logik_; // draws on flaeche_
    // Scrolls the left column of a window lower than designed; non-owning, we are its Qt parent.
    TSpaltenlauf* spaltenlauf_ = nullptr;
};
