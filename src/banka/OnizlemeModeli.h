#pragma once

#include "EkstreCozumu.h"
#include "EkstreTablosu.h"

#include <QAbstractTableModel>

// A statement's rows as its file holds them, for the preview: the header bold, rows above and
// below the table grey, unreadable ones dark red with the reason as their tooltip; each column
// headed by its letter and what the layout reads from it ("B · Açıklama"), each row by its
// number in the file. Cells are formatted only when shown.
class OnizlemeModeli : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows the rows and what the layout made of them; both must outlive the model's use.
    void goster(const EkstreTablosu* tablo, const EkstreDuzeni* duzen, const EkstreCozumu* cozum);

    int rowCount(const QModelIndex& ust = {}) const override;
    int columnCount(const QModelIndex& ust = {}) const override;
    QVariant data(const QModelIndex& yer, int rol) const override;
    QVariant headerData(int bolum, Qt::Orientation yon, int rol) const override;

    // A cell as the preview shows it: numbers and dates in the program's format.
    QString hucreMetni(const Hucre& hucre, int sutun) const;
    // "A", "B", … "AA" as a spreadsheet names its columns.
    static QString sutunHarfi(int sutun);

private:
    QString sutunRolu(int sutun) const;

    const EkstreTablosu* tablo = nullptr;
    const EkstreDuzeni* duzen = nullptr;
    const EkstreCozumu* cozum = nullptr;
    int sutunlar = 0;
};
