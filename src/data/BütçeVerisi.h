#pragma once

#include "DefterTanımı.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// Every statement the program runs on the budget file. Text comparisons use the Turkish
// case-insensitive equality; every failure is thrown as a VeriHatası.
struct BütçeVerisi {

    // Main-group names in Turkish alphabetical order.
    static QStringList anaGruplar(const DefterTanımı& defter);
    // Sub-group names of a main group in Turkish alphabetical order.
    static QStringList altGruplar(const DefterTanımı& defter, const QString& anaGrup);

    static bool anaGrupVar(const DefterTanımı& defter, const QString& ad);
    static void anaGrupEkle(const DefterTanımı& defter, const QString& ad);
    static void altGrupEkle(const DefterTanımı& defter, const QString& anaGrup, const QString& ad);
    // Deletes one row of the pair; false when no such row is left.
    static bool altGrupSil(const DefterTanımı& defter, const QString& anaGrup, const QString& ad);

    struct KayıtSüzgeci {
        QString anaGrup;
        std::optional<QString> altGrup; // none: every sub-group of the main group
        int yıl = 0;
        std::optional<QString> ay; // none: the whole year
    };

    // One entry as listed. Amounts may be missing in rows written by other tools.
    struct Kayıt {
        qint64 kimlik = 0;
        QString anaGrup;
        QString altGrup;
        std::optional<double> tahmin;
        std::optional<double> gerçekleşen;
    };

    // Entries matching the filter, in the order they were entered.
    static std::vector<Kayıt> kayıtlar(const DefterTanımı& defter, const KayıtSüzgeci& süzgeç);

    struct YeniKayıt {
        QString anaGrup;
        QString altGrup;
        int yıl = 0;
        QString ay;
        double tahmin = 0;
        double gerçekleşen = 0;
    };

    // Appends an entry; the result is its Kimlik.
    static qint64 kayıtEkle(const DefterTanımı& defter, const YeniKayıt& kayıt);
    // Deletes the entry; false when it is already gone.
    static bool kayıtSil(const DefterTanımı& defter, qint64 kimlik);

    // Sums of one month over all years and groups, in hundredths (kuruş) to stay exact.
    struct AylıkToplam {
        qint64 tahminKuruş = 0;
        qint64 gerçekleşenKuruş = 0;
        qint64 kayıtSayısı = 0; // tells a month without entries from one whose sums are zero
    };

    // Index 0 is January. Entries are matched to months by their Turkish name in any letter case;
    // entries whose month is no month name are left out.
    static std::array<AylıkToplam, 12> aylıkToplamlar(const DefterTanımı& defter);
};
