#pragma once

#include "DefterTanimi.h"
#include "KayitListesi.h"

#include <QStringList>
#include <QTreeView>

#include <functional>
#include <utility>

class AnaForm;
class QAction;
class QComboBox;
class QListWidget;
class QWidget;

// Helpers the test programs share: the twin ledgers as data rows, and what the windows show,
// read back as text so that a failed comparison prints all of it.

// Adds a column "defterAdi" with the rows "gelir" and "gider"; satirinDefteri() is the ledger of
// the running row.
void defterSatirlari();
const DefterTanimi& satirinDefteri();
const DefterTanimi& defterAdiyla(const QString& ad);
const DefterTanimi& oteki(const DefterTanimi& defter);

// The years 2006 … 2030 (or another range) and the months "Ocak" … "Aralık", as every selector
// offers them.
QStringList yillar(int ilk = 2006, int son = 2030);
QStringList aylar();

QStringList ogeler(const QComboBox* kutu);
QStringList ogeler(const QListWidget* liste);
QStringList basliklar(const QTreeView* liste);
// Each row's cells joined by '|', in display order.
QStringList satirlar(const QTreeView* liste);
QStringList sutun(const QTreeView* liste, int sira);
// The ledger's list: the main window's entries, or (as a QTreeView) the overview's months.
template <typename Liste = KayitListesi>
Liste* kayitListesi(const QWidget& pencere, const DefterTanimi& defter)
{
    return pencere.findChild<Liste*>(defter.adiyla("%1lerListesi"));
}
QString toplam(const QWidget& pencere, const DefterTanimi& defter);

// Chooses a main group on the main window, and one of its sub-groups when given.
void grupSec(AnaForm& form, const DefterTanimi& defter, const QString& anaGrup,
             const QString& altGrup = {});

// The recorded messages, each as "bilgi: text", "soru: text", "soru (Hayır): text" (No the default)
// or "hata: text".
QStringList mesajlar();
// Whether exactly one message was shown, an error containing the given text; if not, says what
// was shown.
bool tekHata(const QString& parca);

// Runs `tiklama`; a modal window it opens is handed to `bak` and closed. True when one opened.
bool acilaniIncele(const std::function<void()>& tiklama,
                   const std::function<void(QWidget*)>& bak = {});

// The first command on the window whose caption starts with `metin`, or null.
QAction* menuKomutu(const QWidget& pencere, const QString& metin);

// Adds a column of that name with a row for false and a row for true.
void ikiDurum(const char* sutun, const char* yanlisSatiri, const char* dogruSatiri);

// How the program tells the refusal `komut` throws, or an empty text when it throws none.
QString hataMetni(const std::function<void()>& komut);

// Writes the bytes over the file; a file's bytes, or "(yok)" when it cannot be read.
void dosyayaYaz(const QString& yol, const QByteArray& icerik);
QByteArray dosyaIcerigi(const QString& yol);

// Every entry of a folder with a hash of its contents, to prove that a refused command created or
// changed nothing there.
QStringList klasorIcerigi(const QString& klasor);
// A file's permission bits, or -1 when it cannot be read.
int izinleri(const QString& yol);
// What the sqlite3 tool prints for the statements, to read a file the way any other program would.
QString sqliteAraci(const QString& dosya, const QString& sql);

// Runs a program as another user when root, since permissions do not stop root. The program is
// copied into `klasor`, which that user can reach, for the run. The exit status and what it
// printed, standard output and error together.
std::pair<int, QString> yetkisizCalistir(const QString& program, const QString& klasor,
                                         const QStringList& argumanlar);

// Runs `baslat` (the program's start); once its event loop runs, the main window on screen (or
// none) is handed to `bak` and the loop ends with status 7. The start's result.
int pencereyeBak(const std::function<int()>& baslat, const std::function<void(QWidget*)>& bak);
