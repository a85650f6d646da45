#pragma once

#include "OrtakButce.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSettings;
class QSpinBox;

// "Ortak Bütçeye Bağlan": the server, port, database and user of a shared budget, or a libpq
// service name instead; the password only when it is to be kept in ~/.pgpass.
class OrtakButceFormu : public QDialog
{
    Q_OBJECT
public:
    OrtakButceFormu(const QString& baslik, const SunucuAdresi& adres, QWidget* sahibi);

    SunucuAdresi adres() const;
    // Empty unless the password is to be kept.
    QString sifre() const;

    // The shared budget the program opens at start, kept in the settings (never a password);
    // none for the local file.
    static std::optional<SunucuAdresi> secilen(QSettings& ayarlar);
    static void sec(QSettings& ayarlar, const std::optional<SunucuAdresi>& adres);
    // The last address given, for the dialog to start from.
    static SunucuAdresi sonAdres(QSettings& ayarlar);

private:
    QLineEdit* SunucuKutusu;
    QSpinBox* PortKutusu;
    QLineEdit* VeritabaniKutusu;
    QLineEdit* KullaniciKutusu;
    QLineEdit* ServisKutusu;
    QCheckBox* SifreliKutusu;
    QCheckBox* SifreKaydetKutusu;
    QLineEdit* SifreKutusu;
};
