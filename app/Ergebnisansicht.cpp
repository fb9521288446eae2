#include "app/Ergebnisansicht.h"

#include "app/Ergebnisliste.h"
#include "app/Markierung.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Room the item delegate leaves left and right of a line's text.
constexpr int Textrand = 8;
// No one scrolls sideways through more than this many characters of a line;
// measuring a megabyte-long one would stall the paint for a second.
constexpr qsizetype MessbareZeichen = 8192;

} // namespace

TErgebnisansicht::TErgebnisansicht(TErgebnisliste* liste, int zeilenhoehe, QWidget* eltern)
    : QAbstractItemView(eltern), liste_(liste), zeilenhoehe_(zeilenhoehe)
{
    setSelectionMode(ExtendedSelection);
    setEditTriggers(NoEditTriggers);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
    setModel(liste_);
    // Replaces the selection model setModel made, which would keep ranges.
    QItemSelectionModel* vorher = selectionModel();
    markierung_ = new TMarkierung(liste_, this);
    setSelectionModel(markierung_);
    delete vorher;
    connect(markierung_, &TMarkierung::Geaendert, viewport(), qOverload<>(&QWidget::update));
}

int TErgebnisansicht::SichtbareZeilen() const
{
    return std::max(1, viewport()->height() / zeilenhoehe_);
}

int TErgebnisansicht::Inhaltsbreite() const
{
    // The widest line is taken to be the longest one: measuring every line
    // of a million costs more than the search, this costs one per new record.
    if (liste_->LaengsteZeile() != breiteGemessenFuer_) {
        breiteGemessenFuer_ = liste_->LaengsteZeile();
        const uint32_t index = liste_->LaengsteZeileIndex();
        breite_ = index < static_cast<uint32_t>(liste_->rowCount())
                      ? fontMetrics().horizontalAdvance(
                            liste_->index(static_cast<int>(index)).data().toString().left(MessbareZeichen)) +
                            Textrand
                      : 0;
        if (index >= static_cast<uint32_t>(liste_->rowCount()))
            breiteGemessenFuer_ = 0; // not shown yet: measure again later
    }
    return std::max(breite_, viewport()->width());
}

QRect TErgebnisansicht::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != liste_)
        return {};
    return {-horizontalOffset(), index.row() * zeilenhoehe_ - verticalOffset(), Inhaltsbreite(), zeilenhoehe_};
}

QModelIndex TErgebnisansicht::indexAt(const QPoint& punkt) const
{
    if (punkt.y() < 0)
        return {};
    const int zeile = (punkt.y() + verticalOffset()) / zeilenhoehe_;
    return zeile < liste_->rowCount() ? liste_->index(zeile) : QModelIndex();
}

void TErgebnisansicht::scrollTo(const QModelIndex& index, ScrollHint hinweis)
{
    if (!index.isValid())
        return;
    const int zeile = index.row();
    const int sichtbar = SichtbareZeilen();
    int erste = verticalScrollBar()->value();
    switch (hinweis) {
    case EnsureVisible:
        if (zeile < erste)
            erste = zeile;
        else if (zeile >= erste + sichtbar)
            erste = zeile - sichtbar + 1;
        break;
    case PositionAtTop: erste = zeile; break;
    case PositionAtBottom: erste = zeile - sichtbar + 1; break;
    case PositionAtCenter: erste = zeile - sichtbar / 2; break;
    }
    verticalScrollBar()->setValue(erste);
}

QModelIndex TErgebnisansicht::moveCursor(CursorAction aktion, Qt::KeyboardModifiers)
{
    const int anzahl = liste_->rowCount();
    if (anzahl == 0)
        return {};
    const QModelIndex jetzt = currentIndex();
    if (!jetzt.isValid())
        return liste_->index(0);
    int zeile = jetzt.row();
    switch (aktion) {
    case MoveUp:
    case MovePrevious: --zeile; break;
    case MoveDown:
    case MoveNext: ++zeile; break;
    case MovePageUp: zeile -= SichtbareZeilen(); break;
    case MovePageDown: zeile += SichtbareZeilen(); break;
    case MoveHome: zeile = 0; break;
    case MoveEnd: zeile = anzahl - 1; break;
    case MoveLeft:
    case MoveRight: return jetzt;
    }
    return liste_->index(std::clamp(zeile, 0, anzahl - 1));
}

int TErgebnisansicht::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int TErgebnisansicht::verticalOffset() const
{
    return verticalScrollBar()->value() * zeilenhoehe_;
}

bool TErgebnisansicht::isIndexHidden(const QModelIndex&) const
{
    return false;
}

void TErgebnisansicht::setSelection(const QRect& rechteck, QItemSelectionModel::SelectionFlags befehl)
{
    // The rows the rectangle touches; a rectangle below the last row selects
    // none, but a Clear in the command still clears.
    const int anzahl = liste_->rowCount();
    const int oben = std::max(0, rechteck.normalized().top() + verticalOffset()) / zeilenhoehe_;
    const int unten = (rechteck.normalized().bottom() + verticalOffset()) / zeilenhoehe_;
    QItemSelection auswahl;
    if (anzahl > 0 && unten >= 0 && oben < anzahl)
        auswahl.select(liste_->index(oben), liste_->index(std::min(unten, anzahl - 1)));
    selectionModel()->select(auswahl, befehl);
}

QRegion TErgebnisansicht::visualRegionForSelection(const QItemSelection& auswahl) const
{
    QRegion gebiet;
    for (const QItemSelectionRange& bereich : auswahl)
        if (bereich.isValid())
            gebiet += visualRect(bereich.topLeft()).united(visualRect(bereich.bottomRight()));
    return gebiet & viewport()->rect();
}

QModelIndexList TErgebnisansicht::selectedIndexes() const
{
    QModelIndexList markiert;
    for (int zeile = 0; zeile < liste_->rowCount(); ++zeile)
        if (markierung_->Markiert(static_cast<uint32_t>(zeile)))
            markiert.append(liste_->index(zeile));
    return markiert;
}

QItemSelectionModel::SelectionFlags TErgebnisansicht::selectionCommand(const QModelIndex& index,
                                                                       const QEvent* ereignis) const
{
    // Qt turns Ctrl+click's Toggle into Select or Deselect by asking the
    // base class's ranges, which we leave empty; we answer from the marks.
    QItemSelectionModel::SelectionFlags befehl = QAbstractItemView::selectionCommand(index, ereignis);
    if (ereignis && ereignis->type() == QEvent::MouseButtonPress)
        strgZiehen_ = QItemSelectionModel::NoUpdate;
    if (!ereignis || !(befehl & QItemSelectionModel::Toggle))
        return befehl;
    if (ereignis->type() == QEvent::MouseButtonPress && index.isValid()) {
        strgZiehen_ = markierung_->Markiert(static_cast<uint32_t>(index.row())) ? QItemSelectionModel::Deselect
                                                                                  : QItemSelectionModel::Select;
        return (befehl & ~QItemSelectionModel::Toggle) | strgZiehen_;
    }
    if (ereignis->type() == QEvent::MouseMove && strgZiehen_ != QItemSelectionModel::NoUpdate)
        return (befehl & ~QItemSelectionModel::Toggle) | strgZiehen_;
    return befehl;
}

void TErgebnisansicht::updateGeometries()
{
    const int sichtbar = SichtbareZeilen();
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(sichtbar);
    verticalScrollBar()->setRange(0, std::max(0, liste_->rowCount() - sichtbar));
    const int breite = viewport()->width();
    horizontalScrollBar()->setSingleStep(zeilenhoehe_);
    horizontalScrollBar()->setPageStep(breite);
    horizontalScrollBar()->setRange(0, std::max(0, Inhaltsbreite() - breite));
    QAbstractItemView::updateGeometries();
}

void TErgebnisansicht::reset()
{
    QAbstractItemView::reset();
    // An emptied list drops its scroll bar at the next dispatch with the
    // lines, not only when Qt's delayed layout gets round to it.
    updateGeometries();
}

void TErgebnisansicht::rowsInserted(const QModelIndex& eltern, int erste, int letzte)
{
    QAbstractItemView::rowsInserted(eltern, erste, letzte);
    updateGeometries();
    // Only rows that land on screen need a paint; the scroll bar repaints itself.
    const int ersteSichtbare = verticalScrollBar()->value();
    if (erste < ersteSichtbare + SichtbareZeilen() + 1 && letzte >= ersteSichtbare)
        viewport()->update();
}

void TErgebnisansicht::dataChanged(const QModelIndex& oben, const QModelIndex& unten, const QList<int>& rollen)
{
    QAbstractItemView::dataChanged(oben, unten, rollen);
    if (oben == unten)
        viewport()->update(visualRect(oben));
}

void TErgebnisansicht::paintEvent(QPaintEvent* ereignis)
{
    QPainter maler(viewport());
    QStyleOptionViewItem vorlage;
    initViewItemOption(&vorlage);
    const QModelIndex aktuell = currentIndex();
    const bool fokus = hasFocus() || viewport()->hasFocus();
    const int anzahl = liste_->rowCount();
    const QRect gebiet = ereignis->rect();
    const int breite = Inhaltsbreite();
    int zeile = verticalScrollBar()->value() + std::max(0, gebiet.top()) / zeilenhoehe_;
    for (; zeile < anzahl; ++zeile) {
        const int y = zeile * zeilenhoehe_ - verticalOffset();
        if (y > gebiet.bottom())
            break;
        const QModelIndex index = liste_->index(zeile);
        QStyleOptionViewItem option = vorlage;
        option.rect = QRect(-horizontalOffset(), y, breite, zeilenhoehe_);
        if (markierung_->Markiert(static_cast<uint32_t>(zeile)))
            option.state |= QStyle::State_Selected;
        if (fokus && index == aktuell)
            option.state |= QStyle::State_HasFocus;
        itemDelegate()->paint(&maler, option, index);
    }
}
