#include "app/Ergebnisansicht.h"

#include "app/Listenmodell.h"
#include "fenster/Fensterlogik.h"

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

TErgebnisansicht::TErgebnisansicht(TListenmodell* modell, TFensterlogik& logik, int zeilenhoehe, QWidget* eltern)
    : QAbstractItemView(eltern), modell_(modell), logik_(logik), zeilenhoehe_(zeilenhoehe)
{
    // Qt's selection would keep ranges of rows; the logic's marks are bits of lines.
    setSelectionMode(NoSelection);
    setEditTriggers(NoEditTriggers);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
    setModel(modell_);
    // A changed row (a line's kind) is drawn again at once, also while Qt
    // waits to lay out rows just inserted and so would draw nothing.
    connect(modell_, &QAbstractItemModel::dataChanged, viewport(), qOverload<>(&QWidget::update));
    // After the view's own handling of a reset: a press that was dragging
    // ends, and an emptied list drops its scroll bar at the next dispatch
    // with the lines, not only when Qt's delayed layout gets round to it.
    connect(modell_, &QAbstractItemModel::modelReset, this, [this] {
        ziehen_ = false;
        updateGeometries();
    });
}

int TErgebnisansicht::SichtbareZeilen() const
{
    return std::max(1, viewport()->height() / zeilenhoehe_);
}

int TErgebnisansicht::Inhaltsbreite() const
{
    // The widest line is taken to be the longest one: measuring every line
    // of a million costs more than the search, this costs one per new record.
    if (logik_.LaengsteZeile() != breiteGemessenFuer_) {
        breiteGemessenFuer_ = logik_.LaengsteZeile();
        const std::string text = logik_.LaengsteZeileText();
        breite_ = breiteGemessenFuer_ == 0
                      ? 0
                      : fontMetrics().horizontalAdvance(
                            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).left(MessbareZeichen)) +
                            Textrand;
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
    return reihe < modell_->rowCount() ? reihe : -1;
}

QRect TErgebnisansicht::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != modell_)
        return {};
    return {-horizontalOffset(), index.row() * zeilenhoehe_ - verticalOffset(), Inhaltsbreite(), zeilenhoehe_};
}

QModelIndex TErgebnisansicht::indexAt(const QPoint& punkt) const
{
    if (punkt.y() < 0)
        return {};
    const int zeile = (punkt.y() + verticalOffset()) / zeilenhoehe_;
    return zeile < modell_->rowCount() ? modell_->index(zeile) : QModelIndex();
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
    const int anzahl = modell_->rowCount();
    if (anzahl == 0)
        return {};
    const QModelIndex jetzt = currentIndex();
    if (!jetzt.isValid())
        return modell_->index(0);
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
    return modell_->index(std::clamp(zeile, 0, anzahl - 1));
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
    verticalScrollBar()->setRange(0, std::max(0, modell_->rowCount() - sichtbar));
    const int breite = viewport()->width();
    horizontalScrollBar()->setSingleStep(zeilenhoehe_);
    horizontalScrollBar()->setPageStep(breite);
    horizontalScrollBar()->setRange(0, std::max(0, Inhaltsbreite() - breite));
    QAbstractItemView::updateGeometries();
}

void TErgebnisansicht::currentChanged(const QModelIndex& aktuell, const QModelIndex& vorher)
{
    QAbstractItemView::currentChanged(aktuell, vorher);
    logik_.AktuelleReiheSetzen(aktuell.isValid() ? std::optional<uint32_t>(static_cast<uint32_t>(aktuell.row()))
                                                 : std::nullopt);
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

void TErgebnisansicht::paintEvent(QPaintEvent* ereignis)
{
    QPainter maler(viewport());
    QStyleOptionViewItem vorlage;
    initViewItemOption(&vorlage);
    const QModelIndex aktuell = currentIndex();
    const bool fokus = hasFocus() || viewport()->hasFocus();
    const int anzahl = modell_->rowCount();
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
        const QModelIndex index = modell_->index(reihe);
        const TListenzeile zeile = logik_.Reihe(static_cast<uint32_t>(reihe));
        const bool markiert = zeile.markiert;
        QStyleOptionViewItem option = vorlage;
        option.rect = QRect(-horizontalOffset(), y, breite, zeilenhoehe_);
        if (markiert)
            option.state |= QStyle::State_Selected;
        if (fokus && index == aktuell)
            option.state |= QStyle::State_HasFocus;
        itemDelegate()->paint(&maler, option, index);

        if (zeile.groesse.empty())
            continue;
        const QString groesse = QString::fromUtf8(zeile.groesse.data(), static_cast<qsizetype>(zeile.groesse.size()));
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
    setCurrentIndex(modell_->index(static_cast<int>(reihe)));
    logik_.Druecken(reihe, tasten & Qt::ShiftModifier, tasten & Qt::ControlModifier);
}

void TErgebnisansicht::mousePressEvent(QMouseEvent* ereignis)
{
    ziehen_ = false;
    if (ereignis->button() != Qt::LeftButton)
        return;
    const int reihe = ReiheBei(ereignis->position().toPoint().y());
    const Qt::KeyboardModifiers tasten = ereignis->modifiers();
    if (reihe < 0) {
        logik_.DaruntergeklicktLeeren(tasten & Qt::ShiftModifier, tasten & Qt::ControlModifier);
        return;
    }
    Druecken(static_cast<uint32_t>(reihe), tasten);
    ziehen_ = true;
}

void TErgebnisansicht::mouseMoveEvent(QMouseEvent* ereignis)
{
    const int anzahl = modell_->rowCount();
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
    setCurrentIndex(modell_->index(reihe));
    logik_.Ziehen(static_cast<uint32_t>(reihe));
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
    logik_.ZeileAktiviert(static_cast<uint32_t>(reihe));
}

void TErgebnisansicht::keyPressEvent(QKeyEvent* ereignis)
{
    const Qt::KeyboardModifiers tasten = ereignis->modifiers();
    if (ereignis->matches(QKeySequence::SelectAll)) {
        logik_.AlleMarkieren();
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
        if (index.isValid())
            logik_.ReiheMarkieren(static_cast<uint32_t>(index.row()), tasten & Qt::ControlModifier);
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (currentIndex().isValid() && !(tasten & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))) {
            logik_.ZeileAktiviert(static_cast<uint32_t>(currentIndex().row()));
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
        logik_.AnkerSetzen(reihe);
        return;
    }
    Druecken(reihe, tasten & Qt::ShiftModifier);
}
