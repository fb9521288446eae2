#include "app/Glyphe.h"

#include "Testbaum.h"
#include "util/Fehler.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

void ErwarteLampe(const QPixmap& lampe)
{
    ASSERT_EQ(lampe.size(), QSize(15, 15));
    const QImage bild = lampe.toImage();
    // The corners are background, shown transparent; the middle is lit.
    for (const QPoint ecke : {QPoint(0, 0), QPoint(14, 0), QPoint(0, 14), QPoint(14, 14)})
        EXPECT_EQ(qAlpha(bild.pixel(ecke)), 0);
    EXPECT_EQ(qAlpha(bild.pixel(7, 8)), 255);
}

TEST(Glyphe, TheBuiltInLampIsAGreenLampOnATransparentGround)
{
    const QPixmap lampe = LampeGruen();
    ErwarteLampe(lampe);
    const QColor mitte = lampe.toImage().pixelColor(7, 8);
    EXPECT_GT(mitte.green(), 200);
    EXPECT_LT(mitte.red(), 50);
}

TEST(Glyphe, TheShippedLampsLoadWithTheirGroundTransparent)
{
    const std::filesystem::path verzeichnis = DUBRINAX_GLYPHEN;
    const QPixmap rot = GlypheLaden((verzeichnis / "LED_Rot.bmp").string());
    ErwarteLampe(rot);
    EXPECT_GT(rot.toImage().pixelColor(7, 8).red(), 200);
    const QPixmap gruen = GlypheLaden((verzeichnis / "LED_Grün.bmp").string());
    ErwarteLampe(gruen);
    EXPECT_GT(gruen.toImage().pixelColor(7, 8).green(), 200);
}

TEST(Glyphe, AMissingFileSaysItCannotBeOpened)
{
    TTestbaum baum;
    try {
        GlypheLaden(baum.Wurzel() + "LED_Rot.bmp");
        FAIL() << "loaded a missing file";
    } catch (const EFehler& fehler) {
        EXPECT_EQ(fehler.what(), "Datei " + baum.Wurzel() + "LED_Rot.bmp kann nicht geöffnet werden");
    }
}

TEST(Glyphe, AFileWithoutAPictureIsAnInvalidBitmap)
{
    TTestbaum baum;
    const std::string pfad = baum.Datei("LED_Rot.bmp", "kein Bild");
    try {
        GlypheLaden(pfad);
        FAIL() << "loaded a text as a picture";
    } catch (const EFehler& fehler) {
        EXPECT_STREQ(fehler.what(), "Bitmap ist ungültig");
    }
}

} // namespace
