#pragma once

#include <QGroupBox>

class QPaintEvent;

// A group box drawn as the layout expects it: an etched frame whose top line
// runs through the middle of the title, the title at the top-left corner.
// Qt's styles put the title above the frame and the frame lower, into the
// first row of controls placed at y = 16.
class TGroupBox : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* ereignis) override;
};
