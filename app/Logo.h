#pragma once

#include <QWidget>

class QIcon;
class QPaintEvent;

// The same picture on a square, as the windows' icon.
QIcon LogoSymbol();

// The picture of the about box: two pages of the same content joined by an
// equals sign, drawn as vectors and stretched to the control's bounds.
class TLogo : public QWidget {
public:
    explicit TLogo(QWidget* eltern = nullptr);

protected:
    void paintEvent(QPaintEvent* ereignis) override;
};
