#include "DefterTanımı.h"

QString DefterTanımı::adıyla(const char* şablon) const
{
    return QString::fromUtf8(şablon).arg(ad);
}

const DefterTanımı& gelirDefteri()
{
    static const DefterTanımı tanım{
        .ad = QStringLiteral("Gelir"),
        .anaGrupTablosu = QStringLiteral("AnaGelirGruplariTablosu"),
        .altGrupTablosu = QStringLiteral("AltGelirGruplariTablosu"),
        .kayıtTablosu = QStringLiteral("GelirlerTablosu"),
        .yılAlanı = QStringLiteral("GelirYili"),
        .ayAlanı = QStringLiteral("GelirAyi"),
        .tahminAlanı = QStringLiteral("GelirTahmini"),
        .çerçeveBaşlığı = QStringLiteral("Gelirler"),
        .anaGruplarEtiketi = QStringLiteral("Ana Gelir Grupları"),
        .altGruplarEtiketi = QStringLiteral("Alt Gelir Grupları :"),
        .listeEtiketi = QStringLiteral("Gelirler Listesi"),
        .toplamEtiketi = QStringLiteral("Gelir Toplamı:"),
        .tahminSütunu = QStringLiteral("Tahmini Gelir"),
        .gerçekleşenSütunu = QStringLiteral("Gerçekleşen Gelir"),
        .grupEkleDüğmesi = QStringLiteral("Gelir Grubu Ekle"),
        .grupSilDüğmesi = QStringLiteral("Gelir Grubu Sil"),
        .ekleDüğmesi = QStringLiteral("Gelir Ekle"),
        .silDüğmesi = QStringLiteral("Gelir Sil"),
        .tümünüGösterDüğmesi = QStringLiteral("Tüm Gelirleri Göster"),
        .grupSilmeSorusu = QStringLiteral("Seçilen alt gelir grubunu SİLMEK istiyor musunuz?"),
        .kayıtSilmeSorusu = QStringLiteral("Seçilen geliri SİLMEK istiyor musunuz?"),
        .yüksekOranUyarıdır = false,
        .grupEklemeBaşlığı = QStringLiteral("Gelir Grubu Ekle"),
        .anaGrupKutusuEtiketi = QStringLiteral("Ana Gelir Grubu:"),
        .altGrupKutusuEtiketi = QStringLiteral("Alt Gelir Grubu:"),
        .yeniGrupDüğmesi = QStringLiteral("Yeni Gelir Grubu Ekle"),
        .boşAnaGrupMesajı = QStringLiteral("ANA GELİR GRUBU boş bırakılamaz!"),
        .boşAltGrupMesajı = QStringLiteral("ALT GELİR GRUBU boş bırakılmaz!"),
        .iHarfleriAyrıcaDönüştürülür = false,
        .eklemeBaşlığı = QStringLiteral("Gelir Ekleme"),
        .bilgiÇerçevesi = QStringLiteral("Gelir Bilgileri"),
        .yılEtiketi = QStringLiteral("Gelir Yılı:"),
        .ayEtiketi = QStringLiteral("Gelir Ayı:"),
        .tahminEtiketi = QStringLiteral("Gelir Tahmini:"),
        .gerçekleşenEtiketi = QStringLiteral("Gerçekleşen Gelir:"),
        .yeniKayıtDüğmesi = QStringLiteral("Yeni Gelir Ekle"),
        .boşTahminMesajı = QStringLiteral("GELİR TAHMİNİ boş bırakılamaz!"),
        .boşGerçekleşenMesajı = QStringLiteral("GERÇEKLEŞEN GELİR boş bırakılamaz!"),
        .özetBaşlığı = QStringLiteral("Tüm Gelirler Listesi"),
    };
    return tanım;
}

const DefterTanımı& giderDefteri()
{
    static const DefterTanımı tanım{
        .ad = QStringLiteral("Gider"),
        .anaGrupTablosu = QStringLiteral("AnaGiderGruplariTablosu"),
        .altGrupTablosu = QStringLiteral("AltGiderGruplariTablosu"),
        .kayıtTablosu = QStringLiteral("GiderlerTablosu"),
        .yılAlanı = QStringLiteral("GiderYili"),
        .ayAlanı = QStringLiteral("GiderAyi"),
        .tahminAlanı = QStringLiteral("GiderTahmini"),
        .çerçeveBaşlığı = QStringLiteral("Giderler"),
        .anaGruplarEtiketi = QStringLiteral("Ana Gider Grupları"),
        .altGruplarEtiketi = QStringLiteral("Alt Gider Grupları :"),
        .listeEtiketi = QStringLiteral("Giderler Listesi"),
        .toplamEtiketi = QStringLiteral("Gider Toplamı:"),
        .tahminSütunu = QStringLiteral("Tahmini Gider"),
        .gerçekleşenSütunu = QStringLiteral("Gerçekleşen Gider"),
        .grupEkleDüğmesi = QStringLiteral("Gider Grubu Ekle"),
        .grupSilDüğmesi = QStringLiteral("Gider Grubu Sil"),
        .ekleDüğmesi = QStringLiteral("Gider Ekle"),
        .silDüğmesi = QStringLiteral("Gider Sil"),
        .tümünüGösterDüğmesi = QStringLiteral("Tüm Giderleri Göster"),
        .grupSilmeSorusu = QStringLiteral("Seçilen alt gider grubunu SİLMEK istiyor musunuz?"),
        .kayıtSilmeSorusu = QStringLiteral("Seçilen gideri SİLMEK istiyor musunuz?"),
        .yüksekOranUyarıdır = true,
        .grupEklemeBaşlığı = QStringLiteral("Gider Grubu Ekle"),
        .anaGrupKutusuEtiketi = QStringLiteral("Ana Gider Grubu:"),
        .altGrupKutusuEtiketi = QStringLiteral("Alt Gider Grubu:"),
        .yeniGrupDüğmesi = QStringLiteral("Yeni Gider Grubu Ekle"),
        .boşAnaGrupMesajı = QStringLiteral("ANA GİDER GRUBU boş bırakılamaz!"),
        .boşAltGrupMesajı = QStringLiteral("ALT GİDER GRUBU boş bırakılmaz!"),
        .iHarfleriAyrıcaDönüştürülür = true,
        .eklemeBaşlığı = QStringLiteral("Gider Ekleme"),
        .bilgiÇerçevesi = QStringLiteral("Gider Bilgileri"),
        .yılEtiketi = QStringLiteral("Gider Yılı:"),
        .ayEtiketi = QStringLiteral("Gider Ayı:"),
        .tahminEtiketi = QStringLiteral("Gider Tahmini:"),
        .gerçekleşenEtiketi = QStringLiteral("Gerçekleşen Gider:"),
        .yeniKayıtDüğmesi = QStringLiteral("Yeni Gider Ekle"),
        .boşTahminMesajı = QStringLiteral("GİDER TAHMİNİ boş bırakılamaz!"),
        .boşGerçekleşenMesajı = QStringLiteral("GERÇEKLEŞEN GİDER boş bırakılamaz!"),
        .özetBaşlığı = QStringLiteral("Tüm Giderler Listesi"),
    };
    return tanım;
}
