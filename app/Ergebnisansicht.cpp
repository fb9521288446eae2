#include "app/Ergebnisansicht.h"

#include "app/Ergebnisliste.h"
#include "app/Markierung.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
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
    // Qt's selection would keep ranges of rows; ours are bits of lines.
    setSelectionMode(NoSelection);
    setEditTriggers(NoEditTriggers);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
    // Before setModel, whose reset asks them.
    markierung_ = new TMarkierung([liste](uint32_t zeile) { return liste->Datei(zeile); }, this);
    zeileVon_ = [liste](uint32_t reihe) { return liste->Zeile(reihe); };
    setModel(liste_);
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
                            liste_->Zeilentext(index).left(MessbareZeichen)) +
                            Textrand
                      : 0;
        if (index >= static_cast<uint32_t>(liste_->rowCount()))
            breiteGemessenFuer_ = 0; // not shown yet: measure again later
    }
    return std::max(breite_ + Spaltenbreite(), viewport()->width());
}

int TErgebnisansicht::Spaltenbreite() const
{
    // Room for the widest size the column shows, "1023,9 MB".
    return fontMetrics().horizontalAdvance(QStringLiteral("1023,9 MB")) + 2 * Textrand;
}

int TErgebnisansicht::ReiheBei(int y) const
{
    if (y < 0)
        return -1;
    const int reihe = (y + verticalOffset()) / zeilenhoehe_;
    return reihe < liste_->rowCount() ? reihe : -1;
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

void TErgebnisansicht::setSelection(const QRect&, QItemSelectionModel::SelectionFlags)
{
    // Never called: Qt's selection is off, the mouse handlers mark.
}

QRegion TErgebnisansicht::visualRegionForSelection(const QItemSelection&) const
{
    return {};
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
    // An emptied list has no marks left; a sorted one keeps them (they go
    // by line), but a Shift range that counted rows starts anew.
    if (liste_->rowCount() == 0)
        markierung_->Vergessen();
    else
        markierung_->Festschreiben();
    anker_ = 0;
    ziehen_ = false;
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
    // The size column stays at the right edge while the paths scroll.
    const int spalte = std::min(Spaltenbreite(), viewport()->width() / 2);
    const int spalteLinks = viewport()->width() - spalte;
    int reihe = verticalScrollBar()->value() + std::max(0, gebiet.top()) / zeilenhoehe_;
    for (; reihe < anzahl; ++reihe) {
        const int y = reihe * zeilenhoehe_ - verticalOffset();
        if (y > gebiet.bottom())
            break;
        const QModelIndex index = liste_->index(reihe);
        const bool markiert = markierung_->Markiert(liste_->Zeile(static_cast<uint32_t>(reihe)));
        QStyleOptionViewItem option = vorlage;
        option.rect = QRect(-horizontalOffset(), y, breite, zeilenhoehe_);
        if (markiert)
            option.state |= QStyle::State_Selected;
        if (fokus && index == aktuell)
            option.state |= QStyle::State_HasFocus;
        itemDelegate()->paint(&maler, option, index);

        const QString groesse = liste_->Groessenspalte(static_cast<uint32_t>(reihe));
        if (groesse.isEmpty())
            continue;
        const QRect feld(spalteLinks, y, spalte, zeilenhoehe_);
        const QPalette& farben = vorlage.palette;
        maler.save();
        maler.fillRect(feld, markiert ? farben.brush(QPalette::Highlight) : farben.brush(QPalette::Base));
        maler.setPen(farben.color(markiert ? QPalette::HighlightedText : QPalette::Text));
        maler.drawText(feld.adjusted(Textrand / 2, 0, -Textrand / 2, 0), Qt::AlignRight | Qt::AlignVCenter, groesse);
        maler.restore();
    }
}

void TErgebnisansicht::Druecken(uint32_t reihe, Qt::KeyboardModifiers tasten)
{
    setCurrentIndex(liste_->index(static_cast<int>(reihe)));
    if (tasten & Qt::ShiftModifier) {
        // From the anchor, replacing the range drawn from it before; what
        // Ctrl+clicks marked elsewhere stays.
        ziehenAn_ = true;
    } else if (tasten & Qt::ControlModifier) {
        markierung_->Festschreiben();
        anker_ = reihe;
        ziehenAn_ = !markierung_->Markiert(zeileVon_(reihe));
    } else {
        markierung_->Leeren();
        anker_ = reihe;
        ziehenAn_ = true;
    }
    Ziehen(reihe);
}

void TErgebnisansicht::Ziehen(uint32_t reihe)
{
    markierung_->Bereich(std::min<uint32_t>(anker_, liste_->rowCount() - 1), reihe, ziehenAn_, zeileVon_);
}

void TErgebnisansicht::mousePressEvent(QMouseEvent* ereignis)
{
    ziehen_ = false;
    if (ereignis->button() != Qt::LeftButton)
        return;
    const int reihe = ReiheBei(ereignis->position().toPoint().y());
    const Qt::KeyboardModifiers tasten = ereignis->modifiers();
    if (reihe < 0) {
        // Below the last line: a plain click unmarks all, as in any list.
        if (!(tasten & (Qt::ShiftModifier | Qt::ControlModifier)))
            markierung_->Leeren();
        return;
    }
    Druecken(static_cast<uint32_t>(reihe), tasten);
    ziehen_ = true;
}

void TErgebnisansicht::mouseMoveEvent(QMouseEvent* ereignis)
{
    const int anzahl = liste_->rowCount();
    if (!ziehen_ || !(ereignis->buttons() & Qt::LeftButton) || anzahl == 0)
        return;
    // Past the top or bottom edge the list scrolls a line per move.
    const int y = ereignis->position().toPoint().y();
    if (y < 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    else if (y >= viewport()->height())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    const int reihe = std::clamp((std::clamp(y, 0, viewport()->height() - 1) + verticalOffset()) / zeilenhoehe_, 0,
                                 anzahl - 1);
    setCurrentIndex(liste_->index(reihe));
    Ziehen(static_cast<uint32_t>(reihe));
}

void TErgebnisansicht::mouseReleaseEvent(QMouseEvent*)
{
    ziehen_ = false;
}

void TErgebnisansicht::mouseDoubleClickEvent(QMouseEvent* ereignis)
{
    // On the line the first press marked, the line is acted on; elsewhere
    // (the list scrolled between the presses) it is a press of its own.
    const int reihe = ReiheBei(ereignis->position().toPoint().y());
    if (ereignis->button() != Qt::LeftButton || reihe < 0 || reihe != currentIndex().row()) {
        mousePressEvent(ereignis);
        return;
    }
    emit ZeileAktiviert(zeileVon_(static_cast<uint32_t>(reihe)));
}

void TErgebnisansicht::keyPressEvent(QKeyEvent* ereignis)
{
    const int anzahl = liste_->rowCount();
    const Qt::KeyboardModifiers tasten = ereignis->modifiers();
    if (ereignis->matches(QKeySequence::SelectAll)) {
        markierung_->Setzen(0, static_cast<uint32_t>(anzahl), true);
        return;
    }
    CursorAction aktion{};
    switch (ereignis->key()) {
    case Qt::Key_Up: aktion = MoveUp; break;
    case Qt::Key_Down: aktion = MoveDown; break;
    case Qt::Key_PageUp: aktion = MovePageUp; break;
    case Qt::Key_PageDown: aktion = MovePageDown; break;
    case Qt::Key_Home: aktion = MoveHome; break;
    case Qt::Key_End: aktion = MoveEnd; break;
    case Qt::Key_Space: {
        // Space marks the current line, Ctrl+Space turns it.
        const QModelIndex index = currentIndex();
        if (index.isValid()) {
            const uint32_t zeile = zeileVon_(static_cast<uint32_t>(index.row()));
            markierung_->Setzen(zeile, zeile + 1,
                                (tasten & Qt::ControlModifier) ? !markierung_->Markiert(zeile) : true);
        }
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (currentIndex().isValid() && !(tasten & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))) {
            emit ZeileAktiviert(zeileVon_(static_cast<uint32_t>(currentIndex().row())));
            return;
        }
        QAbstractItemView::keyPressEvent(ereignis);
        return;
    default: QAbstractItemView::keyPressEvent(ereignis); return;
    }
    const QModelIndex ziel = moveCursor(aktion, tasten);
    if (!ziel.isValid())
        return;
    scrollTo(ziel);
    const auto reihe = static_cast<uint32_t>(ziel.row());
    if ((tasten & Qt::ControlModifier) && !(tasten & Qt::ShiftModifier)) {
        // Ctrl moves the current line alone, for a Space to mark it.
        setCurrentIndex(ziel);
        anker_ = reihe;
        return;
    }
    Druecken(reihe, tasten & Qt::ShiftModifier);
}
