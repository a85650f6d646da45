#include "OrtakButceFormu.h"

#include "Denetim.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>

namespace
{

QLineEdit* kutu(QWidget* sahibi, const QString& ad, const QString& metin)
{
    auto* k = new QLineEdit(metin, sahibi);
    k->setObjectName(ad);
    return k;
}

// A row with its caption naming the box, with the room every caption of the program has, and a
// line under the box saying what it takes (also its tooltip and what a screen reader adds).
// A box that carries its own caption (a check box) comes without one.
void satir(QFormLayout* duzen, const QString& metin, QWidget* kutu, const QString& ipucu)
{
    if (metin.isEmpty()) {
        duzen->addRow(kutu);
    } else {
        auto* e = new QLabel(metin, duzen->parentWidget());
        e->setMinimumWidth(Denetim::gerekenGenislik(e, metin));
        e->setBuddy(kutu);
        duzen->addRow(e, kutu);
    }
    auto* aciklama = new QLabel(ipucu, duzen->parentWidget());
    aciklama->setObjectName(kutu->objectName() + QStringLiteral("İpucu"));
    aciklama->setForegroundRole(QPalette::PlaceholderText);
    aciklama->setBuddy(kutu);
    aciklama->setWordWrap(true);
    duzen->addRow(QString(), aciklama);
    kutu->setToolTip(ipucu);
    kutu->setAccessibleDescription(ipucu);
}

} // namespace

OrtakButceFormu::OrtakButceFormu(const QString& baslik, const SunucuAdresi& adres, QWidget* sahibi)
    : QDialog(sahibi)
{
    setWindowTitle(baslik);
    // Wide enough for the title bar to show the caption whole beside its buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(baslik) + 160);
    auto* duzen = new QFormLayout(this);
    SunucuKutusu = kutu(this, QStringLiteral("SunucuKutusu"), adres.sunucu);
    PortKutusu = new QSpinBox(this);
    PortKutusu->setObjectName(QStringLiteral("PortKutusu"));
    PortKutusu->setRange(1, 65535);
    PortKutusu->setValue(adres.port);
    VeritabaniKutusu = kutu(this, QStringLiteral("VeritabanıKutusu"), adres.veritabani);
    KullaniciKutusu = kutu(this, QStringLiteral("KullanıcıKutusu"), adres.kullanici);
    ServisKutusu = kutu(this, QStringLiteral("ServisKutusu"), adres.servis);
    SifreliKutusu = new QCheckBox(QStringLiteral("Şifreli bağlantı zorunlu"), this);
    SifreliKutusu->setObjectName(QStringLiteral("ŞifreliKutusu"));
    SifreliKutusu->setChecked(adres.sifreliZorunlu);
    SifreKaydetKutusu = new QCheckBox(QStringLiteral("Şifreyi ~/.pgpass dosyasında sakla"), this);
    SifreKaydetKutusu->setObjectName(QStringLiteral("ŞifreKaydetKutusu"));
    SifreKutusu = kutu(this, QStringLiteral("ŞifreKutusu"), QString());
    SifreKutusu->setEchoMode(QLineEdit::Password);
    SifreKutusu->setEnabled(false);
    connect(SifreKaydetKutusu, &QCheckBox::toggled, SifreKutusu, &QWidget::setEnabled);

    satir(duzen, QStringLiteral("Sunucu:"), SunucuKutusu,
          QStringLiteral("Sunucunun adı ya da adresi (ev-sunucusu, 192.168.1.10) ya da soket "
                         "klasörü (/var/run/postgresql); boşsa bu bilgisayar."));
    satir(duzen, QStringLiteral("Port:"), PortKutusu,
          QStringLiteral("PostgreSQL'in dinlediği port; değiştirilmediyse 5432."));
    satir(duzen, QStringLiteral("Veritabanı:"), VeritabaniKutusu,
          QStringLiteral("Ortak bütçenin veritabanı: boş ya da daha önce Morvane'nin kurduğu."));
    satir(duzen, QStringLiteral("Kullanıcı:"), KullaniciKutusu,
          QStringLiteral("Sunucudaki PostgreSQL kullanıcısı; boşsa bilgisayardaki adınız."));
    satir(duzen, QStringLiteral("ya da hizmet adı:"), ServisKutusu,
          QStringLiteral("pg_service.conf dosyasındaki bir hizmet; doluysa üstteki dört kutu "
                         "kullanılmaz."));
    satir(duzen, QString(), SifreliKutusu,
          QStringLiteral("Sunucu şifreli (SSL) bağlantı sunmazsa bağlanılmaz; evin kendi ağında "
                         "çoğu zaman gerekmez."));
    satir(duzen, QString(), SifreKaydetKutusu,
          QStringLiteral("Sunucu şifre soruyorsa işaretleyin; şifre Morvane'nin ayarlarına "
                         "yazılmaz."));
    satir(duzen, QStringLiteral("Şifre:"), SifreKutusu,
          QStringLiteral("Yalnızca ~/.pgpass dosyasına yazılır (yalnız sizin okuyabileceğiniz)."));
    auto* dugmeler = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    dugmeler->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Bağlan"));
    dugmeler->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Vazgeç"));
    connect(dugmeler, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(dugmeler, &QDialogButtonBox::rejected, this, &QDialog::reject);
    duzen->addRow(dugmeler);
}

SunucuAdresi OrtakButceFormu::adres() const
{
    SunucuAdresi a;
    a.sunucu = SunucuKutusu->text().trimmed();
    a.port = PortKutusu->value();
    a.veritabani = VeritabaniKutusu->text().trimmed();
    a.kullanici = KullaniciKutusu->text().trimmed();
    a.servis = ServisKutusu->text().trimmed();
    a.sifreliZorunlu = SifreliKutusu->isChecked();
    return a;
}

QString OrtakButceFormu::sifre() const
{
    return SifreKaydetKutusu->isChecked() ? SifreKutusu->text() : QString();
}

SunucuAdresi OrtakButceFormu::sonAdres(QSettings& ayarlar)
{
    ayarlar.beginGroup(QStringLiteral("OrtakButce"));
    SunucuAdresi a;
    a.sunucu = ayarlar.value(QStringLiteral("Sunucu")).toString();
    a.port = ayarlar.value(QStringLiteral("Port"), 5432).toInt();
    a.veritabani = ayarlar.value(QStringLiteral("Veritabani")).toString();
    a.kullanici = ayarlar.value(QStringLiteral("Kullanici")).toString();
    a.servis = ayarlar.value(QStringLiteral("Servis")).toString();
    a.sifreliZorunlu = ayarlar.value(QStringLiteral("SifreliZorunlu"), false).toBool();
    ayarlar.endGroup();
    return a;
}

std::optional<SunucuAdresi> OrtakButceFormu::secilen(QSettings& ayarlar)
{
    if (!ayarlar.value(QStringLiteral("OrtakButce/Acik"), false).toBool())
        return std::nullopt;
    return sonAdres(ayarlar);
}

void OrtakButceFormu::sec(QSettings& ayarlar, const std::optional<SunucuAdresi>& adres)
{
    ayarlar.beginGroup(QStringLiteral("OrtakButce"));
    ayarlar.setValue(QStringLiteral("Acik"), adres.has_value());
    if (adres) {
        ayarlar.setValue(QStringLiteral("Sunucu"), adres->sunucu);
        ayarlar.setValue(QStringLiteral("Port"), adres->port);
        ayarlar.setValue(QStringLiteral("Veritabani"), adres->veritabani);
        ayarlar.setValue(QStringLiteral("Kullanici"), adres->kullanici);
        ayarlar.setValue(QStringLiteral("Servis"), adres->servis);
        ayarlar.setValue(QStringLiteral("SifreliZorunlu"), adres->sifreliZorunlu);
    }
    ayarlar.endGroup();
    ayarlar.sync();
}
