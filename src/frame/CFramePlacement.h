#pragma once

#include <QRect>

class QWidget;

// The main window's placement in the settings, group "Frame": "Status" (the show command: 1 normal,
// 2 minimised, 3 maximised) and "Top", "Left", "Bottom", "Right" (the normal rectangle, relative to the
// work area). Written on close, read before the window first shows.
class CFramePlacement
{
public:
    enum ShowCommand
    {
        ShowNormal = 1,
        ShowMinimized = 2,
        ShowMaximized = 3
    };
    // Smallest part of the window kept on the screen, as an icon is.
    static constexpr int kIconSize = 32;

    struct Values
    {
        int status = -1;
        int top = -1;
        int left = -1;
        int bottom = -1;
        int right = -1;
        // Only a placement with all five values is used.
        bool Complete() const
        {
            return status != -1 && top != -1 && left != -1 && bottom != -1 && right != -1;
        }
    };

    // Missing or unreadable values are -1.
    static Values Read();
    static void Write(const Values& values);
    // The window's show state and normal rectangle, relative to the work area.
    static Values Capture(const QWidget& window, const QRect& workArea);

    // Where a window with these values goes on a screen: false when the values are incomplete (the
    // default placement is used). The position is clamped so that at least an icon's size of the
    // window stays on the screen, and the size to the screen's; a minimised window comes back normal.
    static bool Restore(const Values& values, const QRect& workArea, const QRect& screen, QRect& geometry,
                        bool& maximized);
};
