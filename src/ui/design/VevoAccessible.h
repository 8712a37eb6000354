#pragma once

#include <QAccessible>
#include <QString>

class QWidget;

// A painted control that tells assistive technology what it is and what it
// currently shows ("42 percent", "Expanded"), which a plain QWidget cannot.
class VevoAccessibleValue
{
public:
    virtual QAccessible::Role accessibleRole() const = 0;
    virtual QString accessibleValue() const = 0;

protected:
    ~VevoAccessibleValue() = default;
};

// Makes Qt's accessibility ask the controls above; safe to call repeatedly.
void installVevoAccessibility();

// Whether a control should draw its focus ring: it has focus and the user
// is moving through the window with the keyboard, not the mouse.
bool showsKeyboardFocus(const QWidget &widget);
