// One line of text on a terminal stream, in the locale's encoding.
#pragma once
#include <QString>
#include <cstdio>

void printLine(std::FILE *stream, const QString &text);
