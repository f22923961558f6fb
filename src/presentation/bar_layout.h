#pragma once

// Where the bar's labels go, in twips (15 twips are one pixel at 96 dpi).
// lblTime stays where it is; Label1 follows it; lblSpricht sits against the
// right edge with a margin and lblSprechwunsch to its left. Labels may
// overlap when the message line is long.
struct BarGeometry
{
    int barLeft;
    int barWidth;
    int timeLeft;
    int timeWidth;
    int sprechwunschWidth;
    int sprichtWidth;
};

struct BarPositions
{
    int lineLeft;
    int sprechwunschLeft;
    int sprichtLeft;
};

constexpr int kLayoutMargin = 60;  // after a telegram
constexpr int kResizeMargin = 100; // when the bar's size changes

constexpr BarPositions ComputeBarLayout(const BarGeometry& g, int margin)
{
    const int sprichtLeft = g.barLeft + g.barWidth - g.sprichtWidth - margin;
    return {g.timeLeft + g.timeWidth + 100, sprichtLeft - g.sprechwunschWidth - 100, sprichtLeft};
}

constexpr int PixelsToTwips(int pixels)
{
    return pixels * 15;
}

// Nearest pixel, halves away from zero.
constexpr int TwipsToPixels(int twips)
{
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}
