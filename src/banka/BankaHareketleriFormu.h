#pragma once

#include "EkstreOkuma.h"

#include <QDialog>

#include <memory>

class DuzenSecici;
class OnizlemeModeli;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class SaltOkunurKutu;

// "Banka Hareketlerini İçe Aktar": a bank statement chosen with "Dosya Seç…" (or dropped on the
// window), shown row by row as its file holds it; how it is read can be corrected (the encoding
// of a text file, and the layout: DuzenSecici); below, what it holds and whether its balances
// prove every amount. "Devam" remembers the layout for the next file with the same header and
// hands the statement on by hareketlerOnaylandi(); it waits while a balance does not follow.
class BankaHareketleriFormu : public QDialog
{
    Q_OBJECT
public:
    explicit BankaHareketleriFormu(QWidget* sahibi);
    ~BankaHareketleriFormu() override;

    // Reads the file as choosing or dropping it does; a file that cannot be read is told and the
    // window stays as it was.
    void dosyayiAc(const QString& yol);
    void DosyaSecDugmesi_Click();
    void DevamDugmesi_Click();
    // The statement's path as chosen; empty before one is read.
    const QString& dosya() const { return yol; }

signals:
    // The statement confirmed: okuma.cozum.hareketler are its movements, oldest first, with their
    // summary (okuma.cozum.ozet) and the layout they were read by.
    void hareketlerOnaylandi(const EkstreOkuma& okuma);

protected:
    void dragEnterEvent(QDragEnterEvent* olay) override;
    void dropEvent(QDropEvent* olay) override;

private:
    void oku(const QString& dosya, const OkumaSecenekleri& secenekler);
    void duzenDegisti(const EkstreDuzeni& duzen);
    void goster();
    void sutunlariGenislet();

    QString yol;
    std::unique_ptr<EkstreOkuma> okuma;
    OnizlemeModeli* model = nullptr;
    SaltOkunurKutu* DosyaKutusu = nullptr;
    SaltOkunurKutu* BicimKutusu = nullptr;
    QComboBox* KodlamaKutusu = nullptr;
    DuzenSecici* secici = nullptr;
    QTableView* OnizlemeTablosu = nullptr;
    QLabel* OzetEtiketi = nullptr;
    QLabel* SorunEtiketi = nullptr;
    QPushButton* DevamDugmesi = nullptr;
};
