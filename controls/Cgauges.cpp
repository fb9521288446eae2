#include "controls/Cgauges.h"

#include "util/Fehler.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QString>
#include <QtMath>

#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <string>

namespace {

// Rectangles here are (left, top, right, bottom) with the right and bottom
// edge excluded; a rectangle with no inside stays empty instead of being
// turned round.
QRect Rechteck(int links, int oben, int rechts, int unten)
{
    if (rechts <= links || unten <= oben) {
        return QRect();
    }
    return QRect(links, oben, rechts - links, unten - oben);
}

void Fuellen(QPainter& painter, int links, int oben, int rechts, int unten, const QColor& farbe)
{
    const QRect bereich = Rechteck(links, oben, rechts, unten);
    if (!bereich.isEmpty()) {
        painter.fillRect(bereich, farbe);
    }
}

// The bounds in the message may lie one beyond the 32-bit range (MaxValue − 1
// when MaxValue is the smallest value), so they are formatted as 64-bit.
std::string BereichsFehler(int64_t von, int64_t bis)
{
    char text[96];
    std::snprintf(text, sizeof text, "Wert muß zwischen %lld und %lld liegen",
                  static_cast<long long>(von), static_cast<long long>(bis));
    return text;
}

// XOR of every pixel of the source into the target, both of the same size.
void XorEinmischen(TBltBitmap& ziel, const TBltBitmap& quelle)
{
    QPainter painter(&ziel);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawImage(0, 0, quelle);
}

// The ellipse inscribed in the box (left, top, right, bottom). Paths sample
// pixels at their centres, so the outline runs through the centres of the
// box's outermost pixels and a one-pixel pen stays inside the box. Both the
// ellipse and its slices are drawn as paths: they then share one geometry,
// and the raster engine's own aliased ellipse, which overshoots its box for
// some odd sizes, is never used.
struct TEllipse {
    QRectF rahmen;
    QPointF mitte;

    TEllipse(int links, int oben, int rechts, int unten)
        : rahmen(links + 0.5, oben + 0.5, rechts - links - 1, unten - oben - 1), mitte(rahmen.center())
    {
    }

    bool Leer() const { return rahmen.width() <= 0 || rahmen.height() <= 0; }

    QPainterPath Ganz() const
    {
        QPainterPath ganz;
        ganz.addEllipse(rahmen);
        return ganz;
    }

    // The angle in degrees, counter-clockwise from three o'clock, at which the
    // ray from the centre through the pixel (x, y) leaves the ellipse, in the
    // parametric measure that arcs take.
    qreal Winkel(int x, int y) const
    {
        const qreal dx = (x + 0.5 - mitte.x()) / (rahmen.width() / 2);
        const qreal dy = (mitte.y() - (y + 0.5)) / (rahmen.height() / 2);
        return qRadiansToDegrees(std::atan2(dy, dx));
    }

    // The slice from the ray through (x1, y1) counter-clockwise to the ray
    // through (x2, y2); equal rays give the whole ellipse.
    QPainterPath Stueck(int x1, int y1, int x2, int y2) const
    {
        const qreal anfang = Winkel(x1, y1);
        qreal spanne = std::fmod(Winkel(x2, y2) - anfang, 360.0);
        if (spanne <= 0) {
            spanne += 360.0;
        }
        QPainterPath stueck;
        stueck.moveTo(mitte);
        stueck.arcTo(rahmen, anfang, spanne);
        stueck.closeSubpath();
        return stueck;
    }
};

} // namespace

TBltBitmap::TBltBitmap(int width, int height, qreal pixelRatio)
    : QImage(qCeil(width * pixelRatio), qCeil(height * pixelRatio), QImage::Format_RGB32)
{
    setDevicePixelRatio(pixelRatio);
}

void TBltBitmap::AdoptSize(const TBltBitmap& other)
{
    QImage::operator=(QImage(other.size(), QImage::Format_RGB32));
    setDevicePixelRatio(other.devicePixelRatio());
}

TCGauge::TCGauge(QWidget* owner)
    : QWidget(owner)
{
    // Paint covers every pixel, so Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
}

int32_t TCGauge::GetPercentDone() const
{
    const double bereich = double(maxValue_) - double(minValue_);
    if (bereich == 0) {
        return 0;
    }
    // Product before quotient: both operands are whole numbers well below
    // 2^53, so the product is exact and the one rounding of the division can
    // never lift the result onto the next whole number. Dividing first would
    // give 28 for 29 of 100.
    const double geschafft = (double(progress_) - double(minValue_)) * 100.0;
    return static_cast<int32_t>(std::floor(geschafft / bereich));
}

void TCGauge::SetMinValue(int32_t v)
{
    if (v == minValue_) {
        return;
    }
    if (v > maxValue_) {
        throw EFehler(BereichsFehler(-2147483647, int64_t(maxValue_) - 1));
    }
    minValue_ = v;
    if (progress_ < v) {
        progress_ = v;
    }
    repaint();
}

void TCGauge::SetMaxValue(int32_t v)
{
    // 0 means "no maximum known": a search over an empty tree keeps the old
    // one and so ends at 100 %.
    if (v == 0) {
        return;
    }
    if (v < minValue_) {
        throw EFehler(BereichsFehler(int64_t(minValue_) + 1, 2147483647));
    }
    maxValue_ = v;
    if (progress_ > v) {
        progress_ = v;
    }
    repaint();
}

void TCGauge::SetProgress(int32_t v)
{
    const int32_t vorher = GetPercentDone();
    if (v < minValue_) {
        v = minValue_;
    }
    if (v > maxValue_) {
        v = maxValue_;
    }
    if (v == progress_) {
        return;
    }
    progress_ = v;
    // A search calls this once per file; repainting only on a new whole
    // percentage keeps that to at most 101 repaints per run.
    if (GetPercentDone() != vorher) {
        repaint();
    }
}

void TCGauge::AddProgress(int32_t amount)
{
    // The sum may leave the 32-bit range; SetProgress clamps to the range
    // anyway, so saturating here gives the same result without overflow.
    const int64_t summe = int64_t(progress_) + amount;
    const int64_t kleinste = std::numeric_limits<int32_t>::min();
    const int64_t groesste = std::numeric_limits<int32_t>::max();
    SetProgress(static_cast<int32_t>(summe < kleinste ? kleinste : summe > groesste ? groesste : summe));
    repaint();
}

void TCGauge::SeTCGaugeKind(TCGaugeKind kind)
{
    if (kind != kind_) {
        kind_ = kind;
        repaint();
    }
}

void TCGauge::SetShowText(bool show)
{
    if (show != showText_) {
        showText_ = show;
        repaint();
    }
}

void TCGauge::SetBorderStyle(TBorderStyle style)
{
    if (style != borderStyle_) {
        borderStyle_ = style;
        repaint();
    }
}

void TCGauge::SetForeColor(const QColor& color)
{
    if (color != foreColor_) {
        foreColor_ = color;
        repaint();
    }
}

void TCGauge::SetBackColor(const QColor& color)
{
    if (color != backColor_) {
        backColor_ = color;
        repaint();
    }
}

QColor TCGauge::Color() const
{
    return palette().color(backgroundRole());
}

void TCGauge::paintEvent(QPaintEvent* /*event*/)
{
    Paint();
}

void TCGauge::Paint()
{
    const QImage bild = ComposeImage(devicePixelRatioF());
    if (bild.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, bild);
}

QImage TCGauge::ComposeImage(qreal pixelRatio) const
{
    if (width() <= 0 || height() <= 0) {
        return QImage();
    }
    // The images are plain values: whichever way this function is left, they
    // are released with it.
    TBltBitmap bild(width(), height(), pixelRatio);
    PaintBackground(bild);

    // The black pixels left around the paint rectangle form the frame.
    QRect r = rect();
    if (borderStyle_ == bsSingle) {
        r.adjust(1, 1, -1, -1);
    }

    TBltBitmap zeichnung;
    zeichnung.AdoptSize(bild);
    PaintBackground(zeichnung);
    switch (kind_) {
    case gkText:
        PaintAsNothing(zeichnung, r);
        break;
    case gkHorizontalBar:
    case gkVerticalBar:
        PaintAsBar(zeichnung, r);
        break;
    case gkPie:
        PaintAsPie(zeichnung, r);
        break;
    case gkNeedle:
        PaintAsNeedle(zeichnung, r);
        break;
    }
    // The first image is black, so the XOR leaves exactly the drawing.
    XorEinmischen(bild, zeichnung);

    if (showText_) {
        PaintAsText(bild, r);
    }
    return bild;
}

void TCGauge::PaintBackground(TBltBitmap& image) const
{
    QPainter painter(&image);
    Fuellen(painter, 0, 0, width(), height(), Qt::black);
}

void TCGauge::PaintAsNothing(TBltBitmap& image, const QRect& rect) const
{
    QPainter painter(&image);
    Fuellen(painter, rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height(),
            backColor_);
}

void TCGauge::PaintAsBar(TBltBitmap& image, const QRect& rect) const
{
    const int links = rect.left();
    const int oben = rect.top();
    const int rechts = links + rect.width();
    const int unten = oben + rect.height();
    const int w = rechts - links + 1;
    const int h = unten - oben + 1;
    const int prozent = GetPercentDone();

    QPainter painter(&image);
    Fuellen(painter, links, oben, rechts, unten, backColor_);
    if (kind_ == gkHorizontalBar) {
        int f = prozent * w / 100;
        if (f > w) {
            f = w;
        }
        // The right edge is f itself, not links + f.
        if (f > 0) {
            Fuellen(painter, links, oben, f, h, foreColor_);
        }
    } else {
        int f = prozent * h / 100;
        if (f >= h) {
            f = h - 1;
        }
        Fuellen(painter, links, h - f, w, h, foreColor_);
    }
}

void TCGauge::PaintAsPie(TBltBitmap& image, const QRect& rect) const
{
    const int links = rect.left();
    const int oben = rect.top();
    const int zusatz = borderStyle_ == bsSingle ? 1 : 0;
    const int w = rect.width() + zusatz;
    const int h = rect.height() + zusatz;

    QPainter painter(&image);
    Fuellen(painter, links, oben, links + rect.width(), oben + rect.height(), Color());
    const TEllipse ellipse(links, oben, w, h);
    if (ellipse.Leer()) {
        return;
    }
    painter.setPen(QPen(foreColor_, 1));
    painter.setBrush(backColor_);
    painter.drawPath(ellipse.Ganz());

    const int prozent = GetPercentDone();
    if (prozent <= 0) {
        return;
    }
    painter.setBrush(foreColor_);
    // The start of the slice walks clockwise from twelve o'clock as the
    // percentage grows; the slice always ends at twelve o'clock.
    const double a = (prozent * 0.02 + 0.5) * std::numbers::pi;
    const int x = static_cast<int>(std::floor((1 - std::cos(a)) * (w / 2)));
    const int y = static_cast<int>(std::floor((1 - std::sin(a)) * (h / 2)));
    painter.drawPath(ellipse.Stueck(x, y, w / 2, 0));
}

void TCGauge::PaintAsNeedle(TBltBitmap& image, const QRect& rect) const
{
    const int links = rect.left();
    const int oben = rect.top();
    const int unten = oben + rect.height();
    const int zusatz = borderStyle_ == bsSingle ? 1 : 0;
    const int w = rect.width() + zusatz;
    const int h = rect.height() + zusatz;

    QPainter painter(&image);
    Fuellen(painter, links, oben, links + rect.width(), unten, Color());
    painter.setPen(QPen(foreColor_, 1));
    painter.setBrush(backColor_);

    // The upper half of an ellipse twice as high as the area, standing on
    // its bottom, and its base line.
    const TEllipse ellipse(links, oben, w, 2 * h - 1);
    if (!ellipse.Leer()) {
        painter.drawPath(ellipse.Stueck(links + w, unten - 1, links, unten - 1));
    }
    painter.drawLine(links, unten, links + w, unten);

    const int prozent = GetPercentDone();
    if (prozent <= 0) {
        return;
    }
    // 0 % points left, 50 % up, 100 % right.
    const int m = width() / 2;
    const double a = prozent * 0.01 * std::numbers::pi;
    const int x = static_cast<int>(std::floor((1 - std::cos(a)) * m));
    const int y = static_cast<int>(std::floor((1 - std::sin(a)) * (unten - 1)));
    painter.drawLine(m, unten - 1, x, y);
}

void TCGauge::PaintAsText(TBltBitmap& image, const QRect& rect) const
{
    // The text is drawn white on black on an image of its own and XORed in,
    // so every text pixel shows the inverse of what lies beneath it.
    // Smoothed glyph edges would XOR into colour fringes, hence no
    // antialiasing.
    TBltBitmap text;
    text.AdoptSize(image);
    PaintBackground(text);
    {
        const QString prozent = QString::number(GetPercentDone()) + QLatin1Char('%');
        QFont schrift = font();
        schrift.setStyleStrategy(QFont::NoAntialias);

        QPainter painter(&text);
        painter.setFont(schrift);
        painter.setPen(Qt::white);
        painter.setBrush(Qt::NoBrush);
        painter.setClipRect(rect);
        const QFontMetrics masse = painter.fontMetrics();
        // Centred on the paint rectangle's size but placed in image
        // coordinates; the division truncates toward zero as C++ does.
        const int x = (rect.width() + 1 - masse.horizontalAdvance(prozent)) / 2;
        const int y = (rect.height() + 1 - masse.height()) / 2;
        painter.drawText(x, y + masse.ascent(), prozent);
    }
    XorEinmischen(image, text);
}
