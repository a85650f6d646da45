#pragma once

#include "DefterTanımı.h"

#include <QStringList>

#include <functional>

class AnaForm;
class QComboBox;
class QListWidget;
class QTreeWidget;
class QWidget;

// Helpers the test programs share: the twin ledgers as data rows, and what the windows show,
// read back as text so that a failed comparison prints all of it.

// Adds a column "defterAdı" with the rows "gelir" and "gider"; satırınDefteri() is the ledger of
// the running row.
void defterSatırları();
const DefterTanımı& satırınDefteri();
const DefterTanımı& defterAdıyla(const QString& ad);
const DefterTanımı& öteki(const DefterTanımı& defter);

// The years 2006 … 2030 and the months "Ocak" … "Aralık", as every selector offers them.
QStringList yıllar();
QStringList aylar();

QStringList öğeler(const QComboBox* kutu);
QStringList öğeler(const QListWidget* liste);
QStringList başlıklar(const QTreeWidget* liste);
// Each row's cells joined by '|', in display order.
QStringList satırlar(const QTreeWidget* liste);
QStringList sütun(const QTreeWidget* liste, int sıra);
QTreeWidget* kayıtListesi(const QWidget& pencere, const DefterTanımı& defter);
QString toplam(const QWidget& pencere, const DefterTanımı& defter);

// Chooses a main group on the main window, and one of its sub-groups when given.
void grupSeç(AnaForm& form, const DefterTanımı& defter, const QString& anaGrup,
             const QString& altGrup = {});

// The recorded messages, each as "bilgi: text", "soru: text" or "hata: text".
QStringList mesajlar();
// Whether exactly one message was shown, an error containing the given text; if not, says what
// was shown.
bool tekHata(const QString& parça);

// Runs `tıklama`; a modal window it opens is handed to `bak` and closed. True when one opened.
bool açılanıİncele(const std::function<void()>& tıklama,
                   const std::function<void(QWidget*)>& bak = {});
