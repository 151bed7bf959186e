#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <type_traits>

/// The program's face: Verdana where installed, the system's sans-serif otherwise.
QFont uiFont(double pointSize, bool bold = false, bool underline = false);

/// Creates a child control whose objectName is the given name.
template <typename T, typename... Args>
T* makeNamed(QWidget* parent, const char* name, Args&&... args)
{
    auto* control = new T(std::forward<Args>(args)..., parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

/// Creates the control for a member pointer and names it after the member:
/// NAMED(txtName, frame) sets txtName and gives it the objectName "txtName".
#define NAMED(member, parent, ...)                                                                 \
    (member = makeNamed<std::remove_pointer_t<decltype(member)>>(parent, #member __VA_OPT__(, )    \
                                                                             __VA_ARGS__))
