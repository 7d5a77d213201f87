#pragma once
#include <QString>

// The visual styles the program carries, found by name.
namespace Styles {

// Applies the named style to the whole application. An unknown name shows
// "スタイル '%s' が見つかりません" and leaves the default look.
void apply(const QString &name);

} // namespace Styles
