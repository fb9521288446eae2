#pragma once

// The scroll bar of the window's left column. The column has its designed
// height; a window lower than that (a small screen, a large scale factor)
// shows the bar beside the column and moves the column's group boxes by
// it, so that every control stays in reach: by the bar, the wheel over the
// column, and Tab, which brings the focused field into view.

#include <QScrollBar>

#include <vector>

class TSpaltenlauf : public QScrollBar {
    Q_OBJECT

public:
    // gruppen (not owned, children of fenster) stand one below the other,
    // abstand pixels apart from the top, in a column hoehe pixels high.
    TSpaltenlauf(QWidget& fenster, std::vector<QWidget*> gruppen, int abstand, int hoehe, int links);

    // Fits the bar to the window's height and places the column; the width
    // the bar takes beside it (0 when the window is high enough).
    int Anordnen();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void Zeigen(QWidget* feld);

    QWidget& fenster_;             // non-owning, it is our Qt parent
    std::vector<QWidget*> gruppen_; // non-owning, the window's children
    int abstand_;
    int hoehe_;
    int links_;
};
