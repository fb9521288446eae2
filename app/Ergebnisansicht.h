#pragma once

// The view of the result list: rows of one height, one below the other, so
// that where a row stands is arithmetic and a paint touches only the rows
// on screen. Qt's list view lays out every row again after each insertion
// (and shows no row until it has), which a growing list of a million lines
// cannot afford. The marks are the window logic's; Qt's own selection is
// off, and the view hands clicks, drags and keys to the logic by row, which
// marks as a list with extended selection does. A second column at the
// right edge shows a group's file size.

#include <QAbstractItemView>

#include <cstdint>

class TFensterlogik;
class TListenmodell;

class TErgebnisansicht : public QAbstractItemView {
    Q_OBJECT

public:
    // Shows the rows of modell in rows of zeilenhoehe pixels, marked and
    // acted on through logik. Neither is owned; both outlive the view.
    TErgebnisansicht(TListenmodell* modell, TFensterlogik& logik, int zeilenhoehe, QWidget* eltern = nullptr);

    int Zeilenhoehe() const { return zeilenhoehe_; }

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hinweis = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& punkt) const override;

protected:
    QModelIndex moveCursor(CursorAction aktion, Qt::KeyboardModifiers tasten) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rechteck, QItemSelectionModel::SelectionFlags befehl) override;
    QRegion visualRegionForSelection(const QItemSelection& auswahl) const override;
    void updateGeometries() override;
    void paintEvent(QPaintEvent* ereignis) override;
    void rowsInserted(const QModelIndex& eltern, int erste, int letzte) override;
    // The logic learns of every new current row: "Datei öffnen" acts on it.
    void currentChanged(const QModelIndex& aktuell, const QModelIndex& vorher) override;
    void mousePressEvent(QMouseEvent* ereignis) override;
    void mouseMoveEvent(QMouseEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
    void mouseDoubleClickEvent(QMouseEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    int SichtbareZeilen() const;
    int Inhaltsbreite() const;
    int Spaltenbreite() const;
    // The row under y in the viewport, -1 below the last.
    int ReiheBei(int y) const;
    // A press on a row with the keys held, by mouse or keyboard.
    void Druecken(uint32_t reihe, Qt::KeyboardModifiers tasten);

    TListenmodell* modell_;    // non-owning, the window owns it
    TFensterlogik& logik_;     // non-owning, the window owns it
    int zeilenhoehe_;
    bool ziehen_ = false;      // the left button went down on a row
    mutable uint32_t breiteGemessenFuer_ = 0; // the longest line's length when last measured
    mutable int breite_ = 0;
};
