#pragma once

#include <QString>

// Everything that tells the income ledger from the expense ledger: the names, texts,
// tables and fields. Every twin window and procedure takes one of the two descriptors.
struct DefterTanimi {
    QString ad; // "Gelir" or "Gider"; control names are built from it

    // Tables and fields
    QString anaGrupTablosu;
    QString altGrupTablosu;
    QString kayitTablosu;
    QString yilAlani;
    QString ayAlani;
    QString tahminAlani;
    // The entries' sums by year and month, kept by the engine's triggers (Sema, SunucuMotoru).
    QString aylikToplamTablosu;

    // Main window
    QString cerceveBasligi;      // "Gelirler"
    QString anaGruplarEtiketi;   // "Ana Gelir Grupları"
    QString altGruplarEtiketi;   // "Alt Gelir Grupları :"
    QString listeEtiketi;        // "Gelirler Listesi"
    QString toplamEtiketi;       // "Gelir Toplamı:"
    QString tahminSutunu;        // "Tahmini Gelir"
    QString gerceklesenSutunu;   // "Gerçekleşen Gelir"
    QString grupEkleDugmesi;     // "Gelir Grubu Ekle"
    QString grupSilDugmesi;      // "Gelir Grubu Sil"
    QString ekleDugmesi;         // "Gelir Ekle"
    QString silDugmesi;          // "Gelir Sil"
    QString tumunuGosterDugmesi; // "Tüm Gelirleri Göster"
    QString grupSilmeSorusu;
    QString anaGrupSilmeSorusu; // %1: its name; %2: " ve 2 alt grubunu (A, B)", or nothing
    QString kayitSilmeSorusu;
    // Income falls short below 100 %, expense overruns above it.
    bool yuksekOranUyaridir;

    // Add-group dialog
    QString grupEklemeBasligi;    // "Gelir Grubu Ekle"
    QString anaGrupKutusuEtiketi; // "Ana Gelir Grubu:"
    QString altGrupKutusuEtiketi; // "Alt Gelir Grubu:"
    QString yeniGrupDugmesi;      // "Yeni Gelir Grubu Ekle"
    QString bosAnaGrupMesaji;
    QString bosAltGrupMesaji;
    QString varOlanAltGrupMesaji;     // "Bu alt gelir grubu zaten var: %1 / %2", main / sub
    bool iHarfleriAyricaDonusturulur; // the expense dialog maps i/ı before upper-casing

    // Add-entry dialog
    QString eklemeBasligi;      // "Gelir Ekleme"
    QString duzenlemeBasligi;   // "Gelir Düzenle"
    QString bilgiCercevesi;     // "Gelir Bilgileri"
    QString yilEtiketi;         // "Gelir Yılı:"
    QString ayEtiketi;          // "Gelir Ayı:"
    QString tahminEtiketi;      // "Gelir Tahmini:"
    QString gerceklesenEtiketi; // "Gerçekleşen Gelir:"
    QString yeniKayitDugmesi;   // "Yeni Gelir Ekle"
    QString bosTahminMesaji;

    // Twelve-month overview
    QString ozetBasligi; // "Tüm Gelirler Listesi"

    // A control or window name with the ledger's name in place of %1: "Ana%1GruplarıListesi".
    QString adiyla(const char* sablon) const;
};

// Told when a command finds its entry deleted, or changed, meanwhile by another program.
inline const QString kayitArtikYokMesaji = QStringLiteral(
    "Seçilen kayıt veritabanında artık yok; başka bir program tarafından silinmiş olabilir.");
inline const QString kayitDegismisMesaji =
    QStringLiteral("Seçilen kayıt, listelendikten sonra başka bir program tarafından "
                   "değiştirilmiş; hiçbir şey değiştirilmedi. Liste yeniden getirildi.");

const DefterTanimi& gelirDefteri();
const DefterTanimi& giderDefteri();
