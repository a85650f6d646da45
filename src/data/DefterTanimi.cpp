#include "DefterTanimi.h"

QString DefterTanimi::adiyla(const char* sablon) const
{
    return QString::fromUtf8(sablon).arg(ad);
}

const DefterTanimi& gelirDefteri()
{
    static const DefterTanimi tanim{
        .ad = QStringLiteral("Gelir"),
        .anaGrupTablosu = QStringLiteral("AnaGelirGruplariTablosu"),
        .altGrupTablosu = QStringLiteral("AltGelirGruplariTablosu"),
        .kayitTablosu = QStringLiteral("GelirlerTablosu"),
        .yilAlani = QStringLiteral("GelirYili"),
        .ayAlani = QStringLiteral("GelirAyi"),
        .tahminAlani = QStringLiteral("GelirTahmini"),
        .aylikToplamTablosu = QStringLiteral("AylikGelirToplamlari"),
        .cerceveBasligi = QStringLiteral("Gelirler"),
        .anaGruplarEtiketi = QStringLiteral("Ana Gelir Grupları"),
        .altGruplarEtiketi = QStringLiteral("Alt Gelir Grupları :"),
        .listeEtiketi = QStringLiteral("Gelirler Listesi"),
        .toplamEtiketi = QStringLiteral("Gelir Toplamı:"),
        .tahminSutunu = QStringLiteral("Tahmini Gelir"),
        .gerceklesenSutunu = QStringLiteral("Gerçekleşen Gelir"),
        .grupEkleDugmesi = QStringLiteral("Gelir Grubu Ekle"),
        .grupSilDugmesi = QStringLiteral("Gelir Grubu Sil"),
        .ekleDugmesi = QStringLiteral("Gelir Ekle"),
        .silDugmesi = QStringLiteral("Gelir Sil"),
        .tumunuGosterDugmesi = QStringLiteral("Tüm Gelirleri Göster"),
        .grupSilmeSorusu = QStringLiteral("Seçilen alt gelir grubunu SİLMEK istiyor musunuz?"),
        .anaGrupSilmeSorusu = QStringLiteral("«%1» ana gelir grubunu%2 SİLMEK istiyor musunuz?"),
        .kayitSilmeSorusu = QStringLiteral("Seçilen geliri SİLMEK istiyor musunuz?"),
        .yuksekOranUyaridir = false,
        .grupEklemeBasligi = QStringLiteral("Gelir Grubu Ekle"),
        .anaGrupKutusuEtiketi = QStringLiteral("Ana Gelir Grubu:"),
        .altGrupKutusuEtiketi = QStringLiteral("Alt Gelir Grubu:"),
        .yeniGrupDugmesi = QStringLiteral("Yeni Gelir Grubu Ekle"),
        .bosAnaGrupMesaji = QStringLiteral("ANA GELİR GRUBU boş bırakılamaz!"),
        .bosAltGrupMesaji = QStringLiteral("ALT GELİR GRUBU boş bırakılmaz!"),
        .varOlanAltGrupMesaji = QStringLiteral("Bu alt gelir grubu zaten var: %1 / %2"),
        .iHarfleriAyricaDonusturulur = false,
        .eklemeBasligi = QStringLiteral("Gelir Ekleme"),
        .duzenlemeBasligi = QStringLiteral("Gelir Düzenle"),
        .bilgiCercevesi = QStringLiteral("Gelir Bilgileri"),
        .yilEtiketi = QStringLiteral("Gelir Yılı:"),
        .ayEtiketi = QStringLiteral("Gelir Ayı:"),
        .tahminEtiketi = QStringLiteral("Gelir Tahmini:"),
        .gerceklesenEtiketi = QStringLiteral("Gerçekleşen Gelir:"),
        .yeniKayitDugmesi = QStringLiteral("Yeni Gelir Ekle"),
        .bosTahminMesaji = QStringLiteral("GELİR TAHMİNİ boş bırakılamaz!"),
        .ozetBasligi = QStringLiteral("Tüm Gelirler Listesi"),
    };
    return tanim;
}

const DefterTanimi& giderDefteri()
{
    static const DefterTanimi tanim{
        .ad = QStringLiteral("Gider"),
        .anaGrupTablosu = QStringLiteral("AnaGiderGruplariTablosu"),
        .altGrupTablosu = QStringLiteral("AltGiderGruplariTablosu"),
        .kayitTablosu = QStringLiteral("GiderlerTablosu"),
        .yilAlani = QStringLiteral("GiderYili"),
        .ayAlani = QStringLiteral("GiderAyi"),
        .tahminAlani = QStringLiteral("GiderTahmini"),
        .aylikToplamTablosu = QStringLiteral("AylikGiderToplamlari"),
        .cerceveBasligi = QStringLiteral("Giderler"),
        .anaGruplarEtiketi = QStringLiteral("Ana Gider Grupları"),
        .altGruplarEtiketi = QStringLiteral("Alt Gider Grupları :"),
        .listeEtiketi = QStringLiteral("Giderler Listesi"),
        .toplamEtiketi = QStringLiteral("Gider Toplamı:"),
        .tahminSutunu = QStringLiteral("Tahmini Gider"),
        .gerceklesenSutunu = QStringLiteral("Gerçekleşen Gider"),
        .grupEkleDugmesi = QStringLiteral("Gider Grubu Ekle"),
        .grupSilDugmesi = QStringLiteral("Gider Grubu Sil"),
        .ekleDugmesi = QStringLiteral("Gider Ekle"),
        .silDugmesi = QStringLiteral("Gider Sil"),
        .tumunuGosterDugmesi = QStringLiteral("Tüm Giderleri Göster"),
        .grupSilmeSorusu = QStringLiteral("Seçilen alt gider grubunu SİLMEK istiyor musunuz?"),
        .anaGrupSilmeSorusu = QStringLiteral("«%1» ana gider grubunu%2 SİLMEK istiyor musunuz?"),
        .kayitSilmeSorusu = QStringLiteral("Seçilen gideri SİLMEK istiyor musunuz?"),
        .yuksekOranUyaridir = true,
        .grupEklemeBasligi = QStringLiteral("Gider Grubu Ekle"),
        .anaGrupKutusuEtiketi = QStringLiteral("Ana Gider Grubu:"),
        .altGrupKutusuEtiketi = QStringLiteral("Alt Gider Grubu:"),
        .yeniGrupDugmesi = QStringLiteral("Yeni Gider Grubu Ekle"),
        .bosAnaGrupMesaji = QStringLiteral("ANA GİDER GRUBU boş bırakılamaz!"),
        .bosAltGrupMesaji = QStringLiteral("ALT GİDER GRUBU boş bırakılmaz!"),
        .varOlanAltGrupMesaji = QStringLiteral("Bu alt gider grubu zaten var: %1 / %2"),
        .iHarfleriAyricaDonusturulur = true,
        .eklemeBasligi = QStringLiteral("Gider Ekleme"),
        .duzenlemeBasligi = QStringLiteral("Gider Düzenle"),
        .bilgiCercevesi = QStringLiteral("Gider Bilgileri"),
        .yilEtiketi = QStringLiteral("Gider Yılı:"),
        .ayEtiketi = QStringLiteral("Gider Ayı:"),
        .tahminEtiketi = QStringLiteral("Gider Tahmini:"),
        .gerceklesenEtiketi = QStringLiteral("Gerçekleşen Gider:"),
        .yeniKayitDugmesi = QStringLiteral("Yeni Gider Ekle"),
        .bosTahminMesaji = QStringLiteral("GİDER TAHMİNİ boş bırakılamaz!"),
        .ozetBasligi = QStringLiteral("Tüm Giderler Listesi"),
    };
    return tanim;
}
