#pragma once

#include "Yedekleme.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

// "Yedekten Geri Yükle": the backups of a folder, newest first, each with its date and time, size
// and the entries of each ledger. "Geri Yükle" asks first, then puts the chosen one in place of
// the open file's data (the current data backed up first) and tells the opener through
// geriYuklendi(); a backup that fails its check is refused and nothing changes.
class YedekGeriYuklemeFormu : public QDialog
{
    Q_OBJECT
public:
    YedekGeriYuklemeFormu(const QString& yedekKlasoru, QWidget* sahibi);

    void GeriYukleDugmesi_Click();

signals:
    void geriYuklendi(const QString& yedek);

private:
    void listele();
    // Restoring makes the backup's entries the file's: the question weighs both.
    QString soru(const Yedekleme::Yedek& yedek) const;

    const QString klasor;
    QList<Yedekleme::Yedek> yedekler;
    QTreeWidget* YedeklerListesi = nullptr;
    QPushButton* GeriYukleDugmesi = nullptr;
};
