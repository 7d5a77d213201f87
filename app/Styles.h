#pragma once
#include <QString>
#include <QStringList>

// The visual styles the program carries, found by name.
namespace Styles {

// The names of the styles carried, as they are asked for.
QStringList names();

// Applies the named style to the whole application; call it before any
// window exists. An unknown name shows "スタイル '%s' が見つかりません" in the
// error box and leaves the look as it was.
// Returns whether the style was found.
bool apply(const QString &name);

} // namespace Styles
