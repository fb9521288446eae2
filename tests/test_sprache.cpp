#include "app/Sprache.h"

#include "app/Panel.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Shows the box as the main window does and closes it again from inside its
// modal loop, the way a press of OK would.
void ZeigenUndSchliessen(TAboutBox& box, const QWidget& haupt)
{
    QTimer::singleShot(0, box.OKButton, &QPushButton::click);
    box.Zeigen(haupt);
}

TEST(AboutBox, ShowsNameVersionAndAFixedSize)
{
    TAboutBox box;
    EXPECT_EQ(box.windowTitle().toStdString(), "Info");
    EXPECT_EQ(box.ProductName->text().toStdString(), "Dubrinax");
    EXPECT_EQ(box.Version->text().toStdString(), "Version: 1.0");
    EXPECT_EQ(box.size(), QSize(298, 213));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_TRUE(box.OKButton->isDefault());
    // Nothing of the text runs out of the panel.
    for (QLabel* label : box.findChildren<QLabel*>())
        EXPECT_TRUE(QRect(QPoint(), box.Panel1->size()).contains(label->geometry())) << label->text().toStdString();
}

TEST(AboutBox, StandsCentredOverTheMainWindowFirstAndWhereItWasLeftAfterwards)
{
    QWidget haupt;
    haupt.setGeometry(101, 50, 527, 390);
    TAboutBox box(&haupt);
    ZeigenUndSchliessen(box, haupt);
    EXPECT_EQ(box.result(), QDialog::Accepted);
    // (527 − 298) / 2 = 114.5 and (390 − 213) / 2 = 88.5, truncated.
    EXPECT_EQ(box.frameGeometry().topLeft(), QPoint(101 + 114, 50 + 88));

    box.move(7, 9);
    haupt.move(300, 300);
    ZeigenUndSchliessen(box, haupt);
    EXPECT_EQ(box.frameGeometry().topLeft(), QPoint(7, 9));
}

} // namespace
