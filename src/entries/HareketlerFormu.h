#pragma once

#include "BankaHareketleri.h"
#include "ButceVerisi.h"
#include "DefterTanimi.h"

#include <QDialog>

class QTreeWidget;

// "Hareketler": the bank movements behind an entry's realised amount, read-only: their date,
// description, amount, and the file and row each came from, with their count and sum below.
class HareketlerFormu : public QDialog
{
    Q_OBJECT
public:
    // Reads the movements; throws a VeriHatasi when it cannot.
    HareketlerFormu(const DefterTanimi& defter, const ButceVerisi::Kayit& kayit, QWidget* sahibi);

    QTreeWidget* liste() const { return HareketListesi; }

private:
    QTreeWidget* HareketListesi = nullptr;
};
