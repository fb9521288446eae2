#pragma once

// The view of the result list: rows of one height, one below the other, so
// that where a row stands is arithmetic and a paint touches only the rows
// on screen. Qt's list view lays out every row again after each insertion
// (and shows no row until it has), which a growing list of a million lines
// cannot afford. Marks live in TMarkierung, one flag per line; Qt's own
// selection is off, and the view turns clicks, drags and keys into calls
// on the marks, as a list with extended selection behaves. A second column
// at the right edge shows a group's file size.

#include <QAbstractItemView>

#include <cstdint>
#include <functional>

class TErgebnisliste;
class TMarkierung;

class TErgebnisansicht : public QAbstractItemView {
    Q_OBJECT

public:
    // Shows liste (not owned) in rows of zeilenhoehe pixels, several lines selectable at once.
    TErgebnisansicht(TErgebnisliste* liste, int zeilenhoehe, QWidget* eltern = nullptr);

    // The marks of the lines; owned by the view.
    TMarkierung* Markierung() const { return markierung_; }
    int Zeilenhoehe() const { return zeilenhoehe_; }

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hinweis = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& punkt) const override;
    void reset() override;

signals:
    // A double-click or Enter on a line: its index in the search's list.
    void ZeileAktiviert(uint32_t zeile);

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
    void dataChanged(const QModelIndex& oben, const QModelIndex& unten, const QList<int>& rollen) override;
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
    // The range from the anchor to reihe, marked with ziehenAn_.
    void Ziehen(uint32_t reihe);

    TErgebnisliste* liste_;    // non-owning, the window owns it
    TMarkierung* markierung_;  // non-owning, we are its Qt parent
    std::function<uint32_t(uint32_t)> zeileVon_; // row -> line
    int zeilenhoehe_;
    uint32_t anker_ = 0;       // the row a Shift range starts from
    bool ziehenAn_ = true;     // what a drag does to the rows it passes
    bool ziehen_ = false;      // the left button went down on a row
    mutable uint32_t breiteGemessenFuer_ = 0; // the longest line's length when last measured
    mutable int breite_ = 0;
};
