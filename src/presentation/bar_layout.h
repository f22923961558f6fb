// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the bar's labels go, in twips. The time label stays where it is,
// the message line follows it, the speaking label sits against the right
// edge with a margin and the request-to-speak label to its left. Labels may
// overlap when the message line is long.
struct BarGeometry
{
    int barLeft;
    int barWidth;
    int timeLeft;
    int timeWidth;
    int requestToSpeakWidth;
    int speakingWidth;
};

struct BarPositions
{
    int lineLeft;
    int requestToSpeakLeft;
    int speakingLeft;
};

constexpr int LayoutMargin = 60;  // after a telegram
constexpr int ResizeMargin = 100; // when the bar's size changes

constexpr BarPositions computeBarLayout(const BarGeometry& g, int margin)
{
    const int speakingLeft = g.barLeft + g.barWidth - g.speakingWidth - margin;
    return {g.timeLeft + g.timeWidth + 100, speakingLeft - g.requestToSpeakWidth - 100,
            speakingLeft};
}
