#pragma once

class QApplication;

// Qt's own Japanese translations, so that standard buttons read in Japanese.
namespace Translations {
void install(QApplication &application);
}
