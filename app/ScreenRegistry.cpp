#include "ScreenRegistry.h"

void ScreenRegistry::addScreen(const QString& className, Factory create, Placement placement) {
    for (Screen& s : m_screens) {
        if (s.className == className) {
            s.create = std::move(create);
            s.placement = placement;
            return;
        }
    }
    m_screens.append(Screen{className, std::move(create), placement});
}

bool ScreenRegistry::hasScreen(const QString& className) const {
    return screen(className) != nullptr;
}

const ScreenRegistry::Screen* ScreenRegistry::screen(const QString& className) const {
    for (const Screen& s : m_screens) {
        if (s.className == className && s.create)
            return &s;
    }
    return nullptr;
}

QStringList ScreenRegistry::screenNames() const {
    QStringList names;
    for (const Screen& s : m_screens)
        names << s.className;
    return names;
}

void ScreenRegistry::addScreenshot(const QString& name, Factory create) {
    for (Shot& s : m_shots) {
        if (s.name == name) {
            s.create = std::move(create);
            return;
        }
    }
    m_shots.append(Shot{name, std::move(create)});
}
