#pragma once

#include "ephemeris/modEphemeris.h"

#include <QString>
#include <QStringList>

class QWidget;

/// Clicks into the field and types over what it holds, key by key; a list is opened
/// with the click, searched by typing and closed with Enter.
void typeInto(QWidget* field, const QString& text);

/// Types the birth data into the entry window as a user would, name and place
/// included (the worked example's place when none is given).
void typeBirth(QWidget& entry, const modEphemeris::BirthData& birth);

/// Types the worked example into the entry window.
void typeWorkedExample(QWidget& entry);

/// What the user sees in every entry field ("txtName=ASHA", "DST=0", ...), to tell
/// whether anything changed.
QStringList entryFields(const QWidget& entry);
