#pragma once

#include <QString>
#include <span>

// The controls of the main window as data: kind, name, frame, caption and
// geometry in twips (15 twips are one pixel at 96 dpi).
struct ControlSpec
{
    enum class Kind
    {
        Frame,
        Label,
        RightLabel,
        TextField,
        CheckBox,
        Button
    };
    Kind kind;
    const char16_t* name;
    const char16_t* frame; // empty for the frames themselves
    const char16_t* caption;
    int left;
    int top;
    int width;
    int height;
};

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidthTwips = 8355;
constexpr int kClientHeightTwips = 1680;

std::span<const ControlSpec> SettingsWindowControls();
// Keyboard order through the window's fields and buttons.
std::span<const char16_t* const> SettingsWindowTabOrder();

inline QString Name(const char16_t* text)
{
    return QString::fromUtf16(text);
}
