#include "console/ui/WindowPlacement.h"

#include <QSettings>
#include <QWidget>

namespace lum {

WindowPlacement placementOf(const QWidget* w) {
    WindowPlacement p;
    const bool maximized = w->isMaximized();
    const QRect r = (maximized || w->isMinimized()) ? w->normalGeometry() : w->geometry();
    const QRect rect = r.isValid() ? r : w->geometry();
    p.left = rect.left();
    p.top = rect.top();
    p.right = rect.left() + rect.width();
    p.bottom = rect.top() + rect.height();
    p.showCmd = maximized ? WindowPlacement::Maximized
                          : (w->isMinimized() ? WindowPlacement::Minimized : WindowPlacement::Normal);
    return p;
}

void writePlacement(QSettings& s, const QString& section, const WindowPlacement& p) {
    s.beginGroup(section);
    s.setValue(QStringLiteral("ptMinPosition.x"), p.minPosition.x());
    s.setValue(QStringLiteral("ptMinPosition.y"), p.minPosition.y());
    s.setValue(QStringLiteral("ptMaxPosition.x"), p.maxPosition.x());
    s.setValue(QStringLiteral("ptMaxPosition.y"), p.maxPosition.y());
    s.setValue(QStringLiteral("rcNormalPosition.left"), p.left);
    s.setValue(QStringLiteral("rcNormalPosition.top"), p.top);
    s.setValue(QStringLiteral("rcNormalPosition.right"), p.right);
    s.setValue(QStringLiteral("rcNormalPosition.bottom"), p.bottom);
    s.setValue(QStringLiteral("showCmd"), p.showCmd);
    s.endGroup();
}

WindowPlacement readPlacement(QSettings& s, const QString& section) {
    s.beginGroup(section);
    auto v = [&](const char* key) { return s.value(QString::fromLatin1(key), 0).toInt(); };
    WindowPlacement p;
    p.minPosition = {v("ptMinPosition.x"), v("ptMinPosition.y")};
    p.maxPosition = {v("ptMaxPosition.x"), v("ptMaxPosition.y")};
    p.left = v("rcNormalPosition.left");
    p.top = v("rcNormalPosition.top");
    p.right = v("rcNormalPosition.right");
    p.bottom = v("rcNormalPosition.bottom");
    p.showCmd = v("showCmd");
    s.endGroup();
    return p;
}

}  // namespace lum
