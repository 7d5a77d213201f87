#pragma once
#include "store/StandardDictionary.h"
#include "store/StoreRoutines.h"
#include "store/Tdm.h"
#include <QDir>
#include <QTemporaryDir>

// A temporary working folder, made current, whose SQDB.DB holds the standard
// dictionary and every data table, empty.
inline void prepareWorkingFolder(const QTemporaryDir &folder)
{
    QDir::setCurrent(folder.path());
    StandardDictionary::createFile(QDir(folder.path()).filePath(QStringLiteral("SQDB.DB")));
    Tdm setup;
    StoreRoutines store;
    store.setDataModule(&setup);
    store.uqCtbl(4);
    store.uqCtbl(1);
}
