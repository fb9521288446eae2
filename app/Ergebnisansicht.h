#pragma once

// The view of the result list: rows of one height, one below the other, so
// that where a row stands is arithmetic and a paint touches only the rows
// on screen. Qt's list view lays out every row again after each insertion
// (and shows no row until it has), which a growing list of a million lines
// cannot afford. Marks live in TMarkierung, one flag per line.

#include <QAbstractItemView>

#include <cstdint>

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

protected:
    QModelIndex moveCursor(CursorAction aktion, Qt::KeyboardModifiers tasten) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rechteck, QItemSelectionModel::SelectionFlags befehl) override;
    QRegion visualRegionForSelection(const QItemSelection& auswahl) const override;
    QModelIndexList selectedIndexes() const override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* ereignis = nullptr) const override;
    void updateGeometries() override;
    void paintEvent(QPaintEvent* ereignis) override;
    void rowsInserted(const QModelIndex& eltern, int erste, int letzte) override;
    void dataChanged(const QModelIndex& oben, const QModelIndex& unten, const QList<int>& rollen) override;

private:
    int SichtbareZeilen() const;
    int Inhaltsbreite() const;

    TErgebnisliste* liste_;    // non-owning, the window owns it
    TMarkierung* markierung_;  // non-owning, we are its Qt parent
    int zeilenhoehe_;
    // What a Ctrl+press did to its line, repeated over the rows a Ctrl+drag passes.
    mutable QItemSelectionModel::SelectionFlags strgZiehen_ = QItemSelectionModel::NoUpdate;
    mutable uint32_t breiteGemessenFuer_ = 0; // the longest line's length when last measured
    mutable int breite_ = 0;
};
