#include "app/Application.h"
#include "app/Fonts.h"
#include "app/MessageBoxes.h"
#include "app/Styles.h"
#include "app/Translations.h"
#include "app/VostrelF.h"
#include "store/Tdm.h"

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    MessageBoxes boxes;
    Boxes::install(&boxes);
    Translations::install(application);
    Styles::apply(QStringLiteral("Windows10 Dark"));
    Fonts::install();

    TVostrelF VostrelF;
    Tdm dm;
    VostrelF.setDataModule(&dm);
    VostrelF.show();
    return application.exec();
}
