#pragma once

// The program's own progress gauge: a whole percentage between a minimum and
// a maximum, drawn as text alone, a bar, a pie or a needle, with the
// percentage written over it in inverted colours. Everything is drawn on
// off-screen images and copied onto the control in one step, so it never
// shows a half-drawn state.

#include <QColor>
#include <QImage>
#include <QWidget>

#include <cstdint>

class QPaintEvent;
class QRect;

// What the gauge draws. The values are stored, so their order is fixed.
enum TCGaugeKind : std::uint8_t { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

// bsSingle gives a one-pixel black frame; bsNone none.
enum TBorderStyle : std::uint8_t { bsNone, bsSingle };

// An off-screen image in the 32-bit RGB format, the one format on which the
// XOR raster operation of the composition works pixel by pixel.
class TBltBitmap : public QImage {
public:
    TBltBitmap() = default;
    // An image of width × height logical pixels at the given device pixel
    // ratio; its contents are undefined until painted.
    TBltBitmap(int width, int height, qreal pixelRatio);

    // Gives this image the size and the device pixel ratio of the other one;
    // the contents are undefined until painted.
    void AdoptSize(const TBltBitmap& other);
};

class TCGauge : public QWidget {
    Q_OBJECT

public:
    // The defaults: range 0 to 100 at 0, a horizontal bar with text, a
    // single frame, black on white; 100 × 100 pixels.
    explicit TCGauge(QWidget* owner = nullptr);

    int32_t MinValue() const { return minValue_; }
    int32_t MaxValue() const { return maxValue_; }
    int32_t Progress() const { return progress_; }
    TCGaugeKind Kind() const { return kind_; }
    bool ShowText() const { return showText_; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    // Filled part, outlines and needle.
    QColor ForeColor() const { return foreColor_; }
    // Empty part.
    QColor BackColor() const { return backColor_; }

    // The whole percentage (0 to 100) of Progress between MinValue and
    // MaxValue; 0 for an empty range.
    int32_t GetPercentDone() const;

    // Throws EFehler when v lies above MaxValue; raises Progress to v.
    void SetMinValue(int32_t v);
    // Ignores 0; throws EFehler when v lies below MinValue; lowers Progress to v.
    void SetMaxValue(int32_t v);
    // Clamps to the range; repaints only when the whole percentage changes.
    void SetProgress(int32_t v);
    // SetProgress(Progress + amount), then a repaint in any case.
    void AddProgress(int32_t amount);

    // These store the value and repaint when it differs from the current one.
    void SeTCGaugeKind(TCGaugeKind kind);
    void SetShowText(bool show);
    void SetBorderStyle(TBorderStyle style);
    void SetForeColor(const QColor& color);
    void SetBackColor(const QColor& color);

    // The finished picture of the control at the given device pixel ratio,
    // exactly what Paint copies onto the control.
    QImage ComposeImage(qreal pixelRatio = 1.0) const;

protected:
    void paintEvent(QPaintEvent* event) override;

    // Draws the whole control: composes the picture and copies it.
    void Paint();
    // Fills the whole image, control width × control height, with black.
    void PaintBackground(TBltBitmap& image) const;
    // The parts of the picture; rect is the paint rectangle inside the frame.
    void PaintAsText(TBltBitmap& image, const QRect& rect) const;
    void PaintAsNothing(TBltBitmap& image, const QRect& rect) const;
    void PaintAsBar(TBltBitmap& image, const QRect& rect) const;
    void PaintAsPie(TBltBitmap& image, const QRect& rect) const;
    void PaintAsNeedle(TBltBitmap& image, const QRect& rect) const;

private:
    // The control's own background around the pie and the needle.
    QColor Color() const;

    int32_t minValue_ = 0;
    int32_t maxValue_ = 100;
    int32_t progress_ = 0;
    TCGaugeKind kind_ = gkHorizontalBar;
    bool showText_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    QColor foreColor_{0, 0, 0};
    QColor backColor_{255, 255, 255};
};
