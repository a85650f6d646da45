#include "CsvOkuyucu.h"

#include <QHash>

#include <array>

namespace
{

constexpr QChar ayiricilar[] = {u';', u'\t', u','};

// The separator of the most lines among the first that hold the same number of it (more fields
// winning a tie, then the order above): a decimal comma inside a ';' file varies from line to
// line, a real separator does not.
QChar ayiriciBul(const QString& metin)
{
    constexpr int bakilacak = 50;
    QList<std::array<int, 3>> sayilar{{}};
    bool tirnakta = false;
    for (const QChar c : metin) {
        if (c == u'"')
            tirnakta = !tirnakta;
        else if (c == u'\n' && !tirnakta && sayilar.size() == bakilacak)
            break;
        else if (c == u'\n' && !tirnakta)
            sayilar.append(std::array<int, 3>{});
        else if (!tirnakta)
            for (int i = 0; i < 3; ++i)
                sayilar.last()[i] += c == ayiricilar[i];
    }
    QChar secilen = ayiricilar[0];
    std::pair<int, int> enIyi{0, 0};
    for (int i = 0; i < 3; ++i) {
        QHash<int, int> kacSatir;
        for (const auto& s : std::as_const(sayilar))
            if (s[i] > 0)
                ++kacSatir[s[i]];
        for (auto it = kacSatir.cbegin(); it != kacSatir.cend(); ++it)
            if (std::pair(it.value(), it.key()) > enIyi) {
                enIyi = {it.value(), it.key()};
                secilen = ayiricilar[i];
            }
    }
    return secilen;
}

QString ayiriciAdi(QChar ayirici)
{
    return ayirici == u';'    ? QStringLiteral("noktalı virgülle")
           : ayirici == u'\t' ? QStringLiteral("sekmeyle")
                              : QStringLiteral("virgülle");
}

class Ayristirici
{
public:
    Ayristirici(const QString& dosya, EkstreTablosu& hedef, QChar ayrac)
        : yol(dosya), tablo(hedef), ayirici(ayrac)
    {
    }

    void ayristir(const QString& metin)
    {
        for (qsizetype i = 0; i < metin.size(); ++i) {
            const QChar c = metin[i];
            if (tirnakta) {
                if (c == u'"' && i + 1 < metin.size() && metin[i + 1] == u'"')
                    ekle(metin[++i]);
                else if (c == u'"')
                    tirnakta = false;
                else
                    ekle(c);
                satirNo += c == u'\n';
            } else if (c == u'"' && alan.isEmpty() && !tirnakli) {
                tirnakta = tirnakli = true;
            } else if (c == ayirici) {
                alanBitti();
            } else if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < metin.size() && metin[i + 1] == u'\n')
                    ++i;
                satirBitti();
                ++satirNo;
                satir.no = satirNo;
            } else {
                ekle(c);
            }
        }
        if (tirnakta)
            satir.sorun = QStringLiteral("bir alanın tırnağı kapanmamış (dosya yarım olabilir)");
        satirBitti();
    }

private:
    void ekle(QChar c)
    {
        // One character beyond the limit is enough for the row to say its cell was cut.
        if (alan.size() <= EkstreSiniri::hucre)
            alan += c;
    }

    void alanBitti()
    {
        if (satir.hucreler.size() == EkstreSiniri::sutun) {
            satir.sorun = QStringLiteral("en çok %1 alan okunur").arg(EkstreSiniri::sutun);
        } else {
            const bool bos = alan.isEmpty() && !tirnakli;
            satir.hucreler.append({bos ? Hucre::Tur::Bos : Hucre::Tur::Metin,
                                   EkstreOkuyucu::hucreMetni(alan, satir)});
        }
        alan.clear();
        tirnakli = false;
    }

    void satirBitti()
    {
        alanBitti();
        while (!satir.hucreler.isEmpty() && satir.hucreler.last().metin.isEmpty())
            satir.hucreler.removeLast();
        if (!satir.hucreler.isEmpty() || !satir.sorun.isEmpty()) {
            EkstreOkuyucu::satirSiniri(yol, tablo);
            tablo.satirlar.append(satir);
        }
        satir = {};
    }

    const QString& yol;
    EkstreTablosu& tablo;
    const QChar ayirici;
    qint64 satirNo = 1;
    TabloSatiri satir{1, {}, {}};
    QString alan;
    bool tirnakta = false;
    bool tirnakli = false;
};

} // namespace

EkstreTablosu CsvOkuyucu::oku(const QString& yol, const OkumaSecenekleri& secenekler) const
{
    const QByteArray veri = dosyayiOku(yol);
    EkstreTablosu tablo;
    const QString metin = EkstreOkuyucu::metin(yol, veri, secenekler, tablo);
    const QChar ayirici = ayiriciBul(metin);
    tablo.bicim = QStringLiteral("CSV (%1 ayrılmış)").arg(ayiriciAdi(ayirici));
    Ayristirici(yol, tablo, ayirici).ayristir(metin);
    return tablo;
}
