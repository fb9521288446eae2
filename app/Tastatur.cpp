#include "app/Tastatur.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QObject>

#include <utility>

namespace {

// The modifiers that make a key something else (Alt+F4 closes the window);
// the keypad's Enter carries KeypadModifier and counts as Enter.
constexpr Qt::KeyboardModifiers Umschalter =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

class TWahlTasten : public QObject {
public:
    TWahlTasten(QWidget* feld, std::function<void()> handler)
        : QObject(feld), handler_(std::move(handler))
    {
        feld->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override
    {
        if (ereignis->type() != QEvent::KeyPress)
            return QObject::eventFilter(objekt, ereignis);
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        const bool wahl = taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter || taste->key() == Qt::Key_F4;
        if (!wahl || (taste->modifiers() & Umschalter))
            return QObject::eventFilter(objekt, ereignis);
        handler_();
        return true;
    }

private:
    std::function<void()> handler_;
};

class TMenueTaste : public QObject {
public:
    explicit TMenueTaste(QAbstractItemView* liste)
        : QObject(liste), liste_(liste)
    {
        liste->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override
    {
        if (ereignis->type() != QEvent::KeyPress)
            return QObject::eventFilter(objekt, ereignis);
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        if (taste->key() != Qt::Key_F10 || (taste->modifiers() & Umschalter) != Qt::ShiftModifier)
            return QObject::eventFilter(objekt, ereignis);
        // The event the Menu key brings: to the view, at a point of its
        // viewport, where the view's own menu handling expects it.
        const QRect sichtbar = liste_->viewport()->rect();
        const QRect zeile = liste_->visualRect(liste_->currentIndex()) & sichtbar;
        const QPoint stelle = zeile.isEmpty() ? sichtbar.center() : zeile.center();
        QContextMenuEvent menue(QContextMenuEvent::Keyboard, stelle, liste_->viewport()->mapToGlobal(stelle),
                                taste->modifiers());
        QApplication::sendEvent(liste_, &menue);
        return true;
    }

private:
    QAbstractItemView* liste_; // non-owning: the list owns us
};

} // namespace

void WahlTastenEinrichten(QWidget* feld, std::function<void()> handler)
{
    new TWahlTasten(feld, std::move(handler));
}

void MenueTasteEinrichten(QAbstractItemView* liste)
{
    new TMenueTaste(liste);
}
