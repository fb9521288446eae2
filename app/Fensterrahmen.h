#pragma once

// The main window's outer width, frame included, as the settings store it
// and the user set it. The window system reports the frame only once it
// has framed the window, and may frame it anew; the outer width asked for
// is kept through that.

class QWidget;

class TFensterrahmen {
public:
    // fenster (not owned) may not become narrower than minAussenBreite, frame included.
    TFensterrahmen(QWidget& fenster, int minAussenBreite) : fenster_(fenster), minAussenBreite_(minAussenBreite) {}

    // The window's outer width now, and a new one.
    int AussenBreite() const;
    void AussenBreiteSetzen(int breite);

    // Brings the width constraints in line with the frame once the window
    // system reports it; at every show, move and resize.
    void Anpassen();

private:
    QWidget& fenster_;
    int minAussenBreite_;
    int breite_ = 0; // outer minus inner width, as last known
};
