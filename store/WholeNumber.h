#pragma once
#include <QString>

// 32-bit signed whole numbers as the system reads them from texts.
namespace WholeNumber {

// Reads an optional sign and ASCII digits; anything else, the empty text, or
// a value beyond 32 bits raises "'%s' は整数ではありません".
int parse(const QString &text);

// Reads a text that may be empty; the empty text reads as 0.
int parseOrZero(const QString &text);

// Sum and difference that raise "整数のオーバーフロー" instead of wrapping.
int add(int a, int b);
int subtract(int a, int b);

} // namespace WholeNumber
