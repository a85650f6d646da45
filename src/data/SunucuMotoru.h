#pragma once

#include "Motor.h"
#include "SunucuAdresi.h"

#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

// The budget in a PostgreSQL (12 or later) database shared by a household. An empty database gets
// the budget's tables, with a trigger on each that sends the notification "morvane_degisti" when a
// command commits; the connection listens and tells the windows (BaglantiOlaylari::baskasiYazdi).
// A failure that means the link is lost (the server stopped or restarted, the network went) marks
// it so; the next statement connects again first, listens again and tells the windows to list
// everything again.
class SunucuMotoru : public Motor
{
public:
    struct Acilis {
        std::unique_ptr<SunucuMotoru> motor; // none when it failed
        QString hata;                        // in Turkish, with the server's own words
    };
    // Connects, and prepares the database: its tables are created on an empty one; one holding
    // other tables, a server older than PostgreSQL 12 and a schema of a newer Morvane are refused.
    static Acilis ac(const SunucuAdresi& adres, BaglantiOlaylari& olaylar);
    ~SunucuMotoru() override;

    QSqlDatabase db() const override;
    const Lehce& lehce() const override;
    void deyimdenOnce(bool islemde) override;
    VeriHatasi hatasi(const QSqlError& hata, bool onaylanirken) override;
    void yenidenBaglan() override;
    bool baskasiDegistirdi() override { return false; }
    qint64 veriSurumu() override { return duyulan; }
    bool aylikToplamlarHazir(const DefterTanimi& defter) override;
    QString tanim() const override;
    const SunucuAdresi* sunucu() const override { return &adres; }
    QString yedekYeri() const override;
    void dosyayaYaz(const QString& bosDosya) override;
    void yedektenYukle(const QString& yedek, const QString& oncesi) override;

    // The notification every change of the shared budget sends when it is committed.
    static inline const QString bildirim = QStringLiteral("morvane_degisti");

private:
    SunucuMotoru(const SunucuAdresi& adresi, BaglantiOlaylari& olaylari);
    // Connects and readies the connection; the reason in Turkish when it failed.
    std::optional<QString> baglan(bool olusturabilir);
    void koptuSay(const QString& neden);
    bool kapanmis() const;
    // Runs `is`, a failure that means the link is lost told as such.
    void baglantiyla(const std::function<void()>& is);

    const SunucuAdresi adres;
    BaglantiOlaylari& olaylar;
    const QString ad;
    bool koptu = false;     // the link is lost: the next statement connects again first
    bool duyuruldu = false; // the windows were told (BaglantiOlaylari::koptu)
    QString kopmaNedeni;    // the server's or the driver's words when the link was lost
    qint64 duyulan = 0;     // the other members' changes heard of, and the reconnections
    QTimer bekci;
};
