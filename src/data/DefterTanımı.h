#pragma once

#include <QString>

// Everything that tells the income ledger from the expense ledger: the names, texts,
// tables and fields. Every twin window and procedure takes one of the two descriptors.
struct DefterTanımı {
    QString ad; // "Gelir" or "Gider"; control names are built from it

    // Tables and fields
    QString anaGrupTablosu;
    QString altGrupTablosu;
    QString kayıtTablosu;
    QString yılAlanı;
    QString ayAlanı;
    QString tahminAlanı;

    // Main window
    QString çerçeveBaşlığı;      // "Gelirler"
    QString anaGruplarEtiketi;   // "Ana Gelir Grupları"
    QString altGruplarEtiketi;   // "Alt Gelir Grupları :"
    QString listeEtiketi;        // "Gelirler Listesi"
    QString toplamEtiketi;       // "Gelir Toplamı:"
    QString tahminSütunu;        // "Tahmini Gelir"
    QString gerçekleşenSütunu;   // "Gerçekleşen Gelir"
    QString grupEkleDüğmesi;     // "Gelir Grubu Ekle"
    QString grupSilDüğmesi;      // "Gelir Grubu Sil"
    QString ekleDüğmesi;         // "Gelir Ekle"
    QString silDüğmesi;          // "Gelir Sil"
    QString tümünüGösterDüğmesi; // "Tüm Gelirleri Göster"
    QString grupSilmeSorusu;
    QString kayıtSilmeSorusu;
    // Income falls short below 100 %, expense overruns above it.
    bool yüksekOranUyarıdır;

    // Add-group dialog
    QString grupEklemeBaşlığı;    // "Gelir Grubu Ekle"
    QString anaGrupKutusuEtiketi; // "Ana Gelir Grubu:"
    QString altGrupKutusuEtiketi; // "Alt Gelir Grubu:"
    QString yeniGrupDüğmesi;      // "Yeni Gelir Grubu Ekle"
    QString boşAnaGrupMesajı;
    QString boşAltGrupMesajı;
    bool iHarfleriAyrıcaDönüştürülür; // the expense dialog maps i/ı before upper-casing

    // Add-entry dialog
    QString eklemeBaşlığı;      // "Gelir Ekleme"
    QString bilgiÇerçevesi;     // "Gelir Bilgileri"
    QString yılEtiketi;         // "Gelir Yılı:"
    QString ayEtiketi;          // "Gelir Ayı:"
    QString tahminEtiketi;      // "Gelir Tahmini:"
    QString gerçekleşenEtiketi; // "Gerçekleşen Gelir:"
    QString yeniKayıtDüğmesi;   // "Yeni Gelir Ekle"
    QString boşTahminMesajı;
    QString boşGerçekleşenMesajı;

    // Twelve-month overview
    QString özetBaşlığı; // "Tüm Gelirler Listesi"

    // A control or window name with the ledger's name in place of %1: "Ana%1GruplarıListesi".
    QString adıyla(const char* şablon) const;
};

const DefterTanımı& gelirDefteri();
const DefterTanımı& giderDefteri();
