// The keyboard entry flow of the entry panel.
#include "app/VostrelF.h"


void TVostrelF::a102knEEnter(QObject *) {}
void TVostrelF::a102knEExit(QObject *) {}
void TVostrelF::a102knEKeyDown(QObject *, int &, Qt::KeyboardModifiers) {}
void TVostrelF::a106dyEEnter(QObject *) {}
void TVostrelF::a106dyEExit(QObject *) {}
void TVostrelF::a106dyEKeyDown(QObject *, int &, Qt::KeyboardModifiers) {}
void TVostrelF::a107dmEEnter(QObject *) {}
void TVostrelF::a107dmEExit(QObject *) {}
void TVostrelF::a107dmEKeyDown(QObject *, int &, Qt::KeyboardModifiers) {}
void TVostrelF::a108ddEEnter(QObject *) {}
void TVostrelF::a108ddEExit(QObject *) {}
void TVostrelF::a108ddEKeyDown(QObject *, int &, Qt::KeyboardModifiers) {}
void TVostrelF::a109hhEEnter(QObject *) {}
void TVostrelF::a109hhEExit(QObject *) {}
void TVostrelF::a109hhEKeyDown(QObject *, int &, Qt::KeyboardModifiers) {}
void TVostrelF::a110hmEEnter(QObject *) {}
void TVostrelF::a110hmEExit(QObject *) {}
void TVostrelF::a110hmEKeyDown(QObject *, int &, Qt::KeyboardModifiers) {}
void TVostrelF::a111rvEEnter(QObject *) {}
void TVostrelF::a111rvEExit(QObject *) {}
void TVostrelF::a111rvEKeyDown(QObject *, int &, Qt::KeyboardModifiers) {}
void TVostrelF::a112evEEnter(QObject *) {}
void TVostrelF::a112evEExit(QObject *) {}
void TVostrelF::a112evEKeyDown(QObject *, int &, Qt::KeyboardModifiers) {}
void TVostrelF::a113cvEEnter(QObject *) {}
void TVostrelF::a113cvEExit(QObject *) {}
void TVostrelF::a113cvEKeyDown(QObject *, int &, Qt::KeyboardModifiers) {}
void TVostrelF::adgEnter(QObject *) {}
void TVostrelF::adgExit(QObject *) {}
void TVostrelF::adgKeyDown(QObject *, int &, Qt::KeyboardModifiers) {}
