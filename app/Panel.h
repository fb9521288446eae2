#pragma once

#include <QWidget>

class QPaintEvent;

// A panel with a lowered outer and a raised inner bevel, one pixel each, on
// its parent's background.
class TPanel : public QWidget {
public:
    explicit TPanel(QWidget* eltern = nullptr);

protected:
    void paintEvent(QPaintEvent* ereignis) override;
};
