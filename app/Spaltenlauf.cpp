#include "app/Spaltenlauf.h"

#include <QApplication>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

TSpaltenlauf::TSpaltenlauf(QWidget& fenster, std::vector<QWidget*> gruppen, int abstand, int hoehe, int links)
    : QScrollBar(Qt::Vertical, &fenster), fenster_(fenster), gruppen_(std::move(gruppen)), abstand_(abstand),
      hoehe_(hoehe), links_(links)
{
    setObjectName(QStringLiteral("Spaltenlauf"));
    // Tab goes from field to field; the fields bring themselves into view.
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(this, &QScrollBar::valueChanged, this, [this] { Anordnen(); });
    for (QWidget* gruppe : gruppen_)
        gruppe->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* jetzt) { Zeigen(jetzt); });
}

int TSpaltenlauf::Anordnen()
{
    const int fehlt = std::max(0, hoehe_ - fenster_.height());
    setRange(0, fehlt);
    setPageStep(std::max(1, fenster_.height()));
    setSingleStep(abstand_ / 8);
    const int breite = fehlt > 0 ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    setGeometry(links_, 0, breite, fenster_.height());
    setVisible(fehlt > 0);
    const int versatz = fehlt > 0 ? value() : 0;
    int oben = 0;
    for (QWidget* gruppe : gruppen_) {
        gruppe->move(gruppe->x(), oben - versatz);
        oben += abstand_;
    }
    return breite;
}

void TSpaltenlauf::Zeigen(QWidget* feld)
{
    const bool inSpalte = feld && std::any_of(gruppen_.begin(), gruppen_.end(),
                                              [feld](QWidget* g) { return g == feld || g->isAncestorOf(feld); });
    if (!inSpalte || !isVisible())
        return;
    const QRect stelle(feld->mapTo(&fenster_, QPoint(0, 0)), feld->size());
    if (stelle.top() < 0)
        setValue(value() + stelle.top());
    else if (stelle.bottom() >= fenster_.height())
        setValue(value() + stelle.bottom() - fenster_.height() + 1);
}

bool TSpaltenlauf::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (ereignis->type() == QEvent::Wheel && isVisible()) {
        // The wheel over the column moves the column.
        QApplication::sendEvent(this, ereignis);
        return true;
    }
    return QScrollBar::eventFilter(objekt, ereignis);
}
