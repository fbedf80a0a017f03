#pragma once
// Window positions kept in the application's profile, one section per window ("MainFrm",
// "LOG", "MPL"), with the key names of the classic window placement record.

#include <QPoint>
#include <QRect>
#include <QString>

class QSettings;
class QWidget;

namespace lum {

struct WindowPlacement {
    enum ShowCmd { Normal = 1, Minimized = 2, Maximized = 3 };
    QPoint minPosition{-1, -1};
    QPoint maxPosition{-1, -1};
    // left, top, right, bottom with right and bottom exclusive
    int left = 0, top = 0, right = 0, bottom = 0;
    int showCmd = Normal;

    QRect normalRect() const { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }
    // A placement that is applied (the window is not simply maximised).
    bool usable() const { return right != 0 && bottom != 0 && showCmd != Maximized; }
    bool operator==(const WindowPlacement&) const = default;
};

// The placement of a window as it is now (its normal rectangle even when maximised).
WindowPlacement placementOf(const QWidget* window);

void writePlacement(QSettings& settings, const QString& section, const WindowPlacement& p);
// Missing values read as 0.
WindowPlacement readPlacement(QSettings& settings, const QString& section);

}  // namespace lum
