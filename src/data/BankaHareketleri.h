#pragma once

#include "ButceVerisi.h"
#include "Degisiklik.h"

#include <QDate>
#include <QSet>
#include <QString>

#include <optional>
#include <vector>

struct DefterTanimi;

// The bank movements kept in the budget (the table "BankaHareketleri"): every movement a statement
// brought in, also those set aside ("Yok say"), so that the next statement recognises them by
// their fingerprint. A movement that went into an entry names its ledger and Kimlik; one whose
// entry was deleted while the movements were kept names its ledger alone. Failures are thrown as
// VeriHatasi.
namespace BankaHareketleri
{

struct KayitliHareket {
    qint64 kimlik = 0;
    QDate tarih;
    QString aciklama;
    qint64 tutarKurus = 0; // money out negative, as the statement has it
    QString defter;        // "Gelir", "Gider"; empty: "Yok say"
    std::optional<qint64> kayitKimlik;
    QString kaynak; // the statement's account, or its layout
    QString dosya;  // the file's name
    qint64 kaynakNo = 0;
    QString parmakizi;
    // The entry's groups and period, read by hepsi() only; empty when the movement has no entry.
    QString anaGrup;
    QString altGrup;
    int yil = 0;
    QString ay;
};

// The movements behind an entry, by date then as they came.
std::vector<KayitliHareket> kayitHareketleri(const DefterTanimi& defter, qint64 kayitKimlik);
// The Kimlik of every entry of the ledger fed by movements, for marking them in a list; none in a
// file that could not be given the movements' table when it opened (locked, a full disk).
QSet<qint64> hareketliKimlikler(const DefterTanimi& defter);
// Every movement with its entry's groups and period, by date, for the "Hareketler" sheet; none in
// a file made before the table was (read-only, not yet upgraded).
std::vector<KayitliHareket> hepsi();

// Deletes an entry fed by movements, with them (`hareketleriyle`: a statement brings them in
// again) or keeping them, no longer tied to an entry but still recognised. One undoable command;
// nothing when the entry no longer holds what was listed.
Degisiklik kayitSil(const DefterTanimi& defter, const ButceVerisi::Kayit& listelenen,
                    bool hareketleriyle);
// Corrects an entry fed by movements; `hareketleriAyir` unties them from it (they stay
// recognised), otherwise they stay behind it.
Degisiklik kayitGuncelle(const DefterTanimi& defter, const ButceVerisi::Kayit& listelenen,
                         const ButceVerisi::KayitDegeri& deger, bool hareketleriAyir);

} // namespace BankaHareketleri
