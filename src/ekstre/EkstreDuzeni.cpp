#include "EkstreDuzeni.h"

#include "TurkceMetin.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSettings>

namespace
{

// The header is looked for among the table's first rows, as title blocks are short.
constexpr int aramaSiniri = 200;

enum class Rol { Tarih, Aciklama, Tutar, Borc, Alacak, Bakiye, Diger };

struct Kelime {
    Rol rol = Rol::Diger;
    int sira = 0; // of two columns for one role, the lower wins
};

// The words of a header and what each names.
const QHash<QString, Kelime>& kelimeler()
{
    static const QHash<QString, Kelime> sozluk = [] {
        const std::initializer_list<std::tuple<QString, Rol, int>> liste = {
            {QStringLiteral("Tarih"), Rol::Tarih, 0},
            {QStringLiteral("İşlem Tarihi"), Rol::Tarih, 0},
            {QStringLiteral("Tarih/Saat"), Rol::Tarih, 0},
            {QStringLiteral("İşlem Tarihi/Saati"), Rol::Tarih, 0},
            {QStringLiteral("Date"), Rol::Tarih, 0},
            {QStringLiteral("Transaction Date"), Rol::Tarih, 0},
            {QStringLiteral("Valör"), Rol::Tarih, 1},
            {QStringLiteral("Valör Tarihi"), Rol::Tarih, 1},
            {QStringLiteral("Value Date"), Rol::Tarih, 1},
            {QStringLiteral("Açıklama"), Rol::Aciklama, 0},
            {QStringLiteral("İşlem Açıklaması"), Rol::Aciklama, 0},
            {QStringLiteral("Description"), Rol::Aciklama, 0},
            {QStringLiteral("Details"), Rol::Aciklama, 0},
            {QStringLiteral("Detay"), Rol::Aciklama, 0},
            {QStringLiteral("Payee"), Rol::Aciklama, 1},
            {QStringLiteral("İşlem"), Rol::Aciklama, 1},
            {QStringLiteral("Tutar"), Rol::Tutar, 0},
            {QStringLiteral("İşlem Tutarı"), Rol::Tutar, 0},
            {QStringLiteral("Amount"), Rol::Tutar, 0},
            {QStringLiteral("Miktar"), Rol::Tutar, 1},
            {QStringLiteral("Borç"), Rol::Borc, 0},
            {QStringLiteral("Borç Tutarı"), Rol::Borc, 0},
            {QStringLiteral("Debit"), Rol::Borc, 0},
            {QStringLiteral("Alacak"), Rol::Alacak, 0},
            {QStringLiteral("Alacak Tutarı"), Rol::Alacak, 0},
            {QStringLiteral("Credit"), Rol::Alacak, 0},
            {QStringLiteral("Bakiye"), Rol::Bakiye, 0},
            {QStringLiteral("Kalan Bakiye"), Rol::Bakiye, 0},
            {QStringLiteral("Balance"), Rol::Bakiye, 0},
        };
        QHash<QString, Kelime> k;
        for (const auto& [metin, rol, sira] : liste)
            k.insert(EkstreDuzeni::sade(metin), {rol, sira});
        for (const char16_t* metin :
             {u"Taksit", u"Etiket", u"Dekont No", u"Kanal", u"Referans", u"Saat", u"İşlem Türü",
              u"Kategori", u"Not", u"Tür", u"İşlem No", u"Fiş No", u"Şube", u"Numara", u"Reference",
              u"Type", u"Category"})
            k.insert(EkstreDuzeni::sade(QString::fromUtf16(metin)), {});
        return k;
    }();
    return sozluk;
}

const QList<Hucre>& hucreler(const EkstreTablosu& tablo, int satir)
{
    return tablo.satirlar.at(satir).hucreler;
}

// Words that show a card statement: in its title, or as the label of its summary below.
bool kartMi(const EkstreTablosu& tablo, const EkstreDuzeni& d)
{
    const QStringList baslikta{QStringLiteral("KREDİ KARTI"), QStringLiteral("KART NO"),
                               QStringLiteral("HESAP KESİM")};
    const QStringList ozette{QStringLiteral("DÖNEM BORCU"), QStringLiteral("ASGARİ ÖDEME TUTARI")};
    for (int s = 0; s < tablo.satirlar.size(); ++s) {
        const bool baslikUstu = s < d.baslikSatiri;
        // Rows of the table with a date are movements, whose descriptions say anything.
        if (s > d.baslikSatiri && hucreler(tablo, s).value(d.tarih).tur != Hucre::Tur::Bos)
            continue;
        for (const Hucre& h : hucreler(tablo, s)) {
            if (h.tur != Hucre::Tur::Metin)
                continue;
            const QString metin = EkstreDuzeni::sade(h.metin);
            if (s == d.baslikSatiri && metin == u"TAKSİT")
                return true;
            if (ozette.contains(metin) ||
                (baslikUstu && std::any_of(baslikta.begin(), baslikta.end(),
                                           [&](const QString& k) { return metin.contains(k); })))
                return true;
        }
    }
    return false;
}

// The columns the words of a row name, and how many of its cells are header words.
EkstreDuzeni roller(const EkstreTablosu& tablo, int satir, int& bilinen)
{
    int sutunlar[int(Rol::Diger)];
    std::fill(std::begin(sutunlar), std::end(sutunlar), -1);
    int siralar[int(Rol::Diger)] = {};
    const QList<Hucre>& h = hucreler(tablo, satir);
    for (int sutun = 0; sutun < h.size(); ++sutun) {
        if (h[sutun].tur != Hucre::Tur::Metin)
            continue;
        const auto k = kelimeler().constFind(EkstreDuzeni::sade(h[sutun].metin));
        if (k == kelimeler().cend())
            continue;
        ++bilinen;
        const int rol = int(k->rol);
        if (k->rol != Rol::Diger && (sutunlar[rol] < 0 || k->sira < siralar[rol])) {
            sutunlar[rol] = sutun;
            siralar[rol] = k->sira;
        }
    }
    const auto sutunu = [&](Rol rol) { return sutunlar[int(rol)]; };
    EkstreDuzeni d;
    d.baslikSatiri = satir;
    d.tarih = sutunu(Rol::Tarih);
    if (sutunu(Rol::Aciklama) >= 0)
        d.aciklama = {sutunu(Rol::Aciklama)};
    d.tutar = sutunu(Rol::Tutar);
    if (d.tutar < 0) {
        d.borc = sutunu(Rol::Borc);
        d.alacak = sutunu(Rol::Alacak);
    }
    d.bakiye = sutunu(Rol::Bakiye);
    return d;
}

const QString hafizaGrubu = QStringLiteral("BankaEkstreDuzenleri");

QString anahtar(const QString& imza)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(imza.toUtf8(), QCryptographicHash::Sha1).toHex().left(20));
}

} // namespace

QString EkstreDuzeni::sade(const QString& metin)
{
    QString s = TurkceMetin::buyukHarf(metin.simplified());
    for (const QString& birim :
         {QStringLiteral("(TL)"), QStringLiteral("(TRY)"), QStringLiteral("(₺)")})
        if (s.endsWith(birim))
            s.chop(birim.size());
    while (s.endsWith(u':') || s.endsWith(u'*'))
        s.chop(1);
    return s.trimmed();
}

QString EkstreDuzeni::imza(const EkstreTablosu& tablo, int satir)
{
    QStringList kelimeler;
    for (const Hucre& h : hucreler(tablo, satir))
        kelimeler << sade(h.metin);
    while (!kelimeler.isEmpty() && kelimeler.last().isEmpty())
        kelimeler.removeLast();
    return kelimeler.join(u'|');
}

EkstreDuzeni EkstreDuzeni::bul(const EkstreTablosu& tablo)
{
    EkstreDuzeni duzen;
    int enCok = 0;
    const int son = std::min(int(tablo.satirlar.size()), aramaSiniri);
    for (int s = 0; s < son; ++s) {
        int bilinen = 0;
        const EkstreDuzeni aday = roller(tablo, s, bilinen);
        if (aday.okunur() && bilinen > enCok) {
            enCok = bilinen;
            duzen = aday;
        }
    }
    if (duzen.okunur())
        duzen.harcamalarArti = kartMi(tablo, duzen);
    return duzen;
}

EkstreDuzeni EkstreDuzeni::satirdan(const EkstreTablosu& tablo, int satir)
{
    int bilinen = 0;
    EkstreDuzeni duzen = roller(tablo, satir, bilinen);
    duzen.harcamalarArti = duzen.okunur() && kartMi(tablo, duzen);
    return duzen;
}

void DuzenHafizasi::kaydet(const EkstreTablosu& tablo, const EkstreDuzeni& duzen)
{
    if (duzen.baslikSatiri < 0)
        return;
    const QString imza = EkstreDuzeni::imza(tablo, duzen.baslikSatiri);
    QSettings ayarlar;
    ayarlar.beginGroup(hafizaGrubu + u'/' + anahtar(imza));
    ayarlar.setValue(QStringLiteral("basliklar"), imza);
    ayarlar.setValue(QStringLiteral("tarih"), duzen.tarih);
    QStringList aciklama;
    for (int s : duzen.aciklama)
        aciklama << QString::number(s);
    ayarlar.setValue(QStringLiteral("aciklama"), aciklama.join(u','));
    ayarlar.setValue(QStringLiteral("tutar"), duzen.tutar);
    ayarlar.setValue(QStringLiteral("borc"), duzen.borc);
    ayarlar.setValue(QStringLiteral("alacak"), duzen.alacak);
    ayarlar.setValue(QStringLiteral("bakiye"), duzen.bakiye);
    ayarlar.setValue(QStringLiteral("harcamalarArti"), duzen.harcamalarArti);
}

std::optional<EkstreDuzeni> DuzenHafizasi::bul(const EkstreTablosu& tablo)
{
    QSettings ayarlar;
    ayarlar.beginGroup(hafizaGrubu);
    const QStringList kayitli = ayarlar.childGroups();
    if (kayitli.isEmpty())
        return std::nullopt;
    const int son = std::min(int(tablo.satirlar.size()), aramaSiniri);
    for (int s = 0; s < son; ++s) {
        const QString imza = EkstreDuzeni::imza(tablo, s);
        if (imza.isEmpty() || !kayitli.contains(anahtar(imza)))
            continue;
        ayarlar.beginGroup(anahtar(imza));
        if (ayarlar.value(QStringLiteral("basliklar")).toString() != imza)
            return std::nullopt;
        EkstreDuzeni d;
        d.baslikSatiri = s;
        d.tarih = ayarlar.value(QStringLiteral("tarih"), -1).toInt();
        for (const QString& sutun :
             ayarlar.value(QStringLiteral("aciklama")).toString().split(u',', Qt::SkipEmptyParts))
            d.aciklama << sutun.toInt();
        d.tutar = ayarlar.value(QStringLiteral("tutar"), -1).toInt();
        d.borc = ayarlar.value(QStringLiteral("borc"), -1).toInt();
        d.alacak = ayarlar.value(QStringLiteral("alacak"), -1).toInt();
        d.bakiye = ayarlar.value(QStringLiteral("bakiye"), -1).toInt();
        d.harcamalarArti = ayarlar.value(QStringLiteral("harcamalarArti")).toBool();
        return d;
    }
    return std::nullopt;
}
