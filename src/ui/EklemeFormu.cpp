#include "EklemeFormu.h"

#include "Denetim.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

EklemeFormu::EklemeFormu(QWidget* sahibi) : QDialog(sahibi) {}

void EklemeFormu::dugmeleriKur(const QString& bekleyenMetin, QRect ekleKaydet, QRect vazgec,
                               QRect kapat)
{
    yeniMetni = bekleyenMetin;
    EkleKaydetDugmesi =
        Denetim::dugme(this, QStringLiteral("EkleKaydetDüğmesi"), yeniMetni, ekleKaydet);
    VazgecDugmesi =
        Denetim::dugme(this, QStringLiteral("VazgeçDüğmesi"), QStringLiteral("Vazgeç"), vazgec);
    KapatDugmesi =
        Denetim::dugme(this, QStringLiteral("KapatDüğmesi"), QStringLiteral("Kapat"), kapat);
    connect(EkleKaydetDugmesi, &QPushButton::clicked, this, [this] { EkleKaydetDugmesi_Click(); });
    connect(VazgecDugmesi, &QPushButton::clicked, this, [this] { VazgecDugmesi_Click(); });
    connect(KapatDugmesi, &QPushButton::clicked, this, [this] { KapatDugmesi_Click(); });
}

void EklemeFormu::girdileriKoy(const QList<QWidget*>& kutular)
{
    girdiler = kutular;
    const QList<QWidget*> sira =
        girdiler + QList<QWidget*>{EkleKaydetDugmesi, VazgecDugmesi, KapatDugmesi};
    for (qsizetype i = 1; i < sira.size(); ++i)
        setTabOrder(sira[i - 1], sira[i]);
    for (QWidget* girdi : girdiler) {
        girdi->installEventFilter(this);
        // An editable drop-down box may take the keys in its own line.
        if (const auto* secim = qobject_cast<QComboBox*>(girdi); secim && secim->lineEdit())
            secim->lineEdit()->installEventFilter(this);
    }
    girdileriAc(false);
}

bool EklemeFormu::giriste() const
{
    return girdiler.first()->isEnabled();
}

void EklemeFormu::girdileriAc(bool acik)
{
    for (QWidget* girdi : girdiler)
        girdi->setEnabled(acik);
}

void EklemeFormu::EkleKaydetDugmesi_Click()
{
    if (giriste())
        kaydet();
    else
        giriseGec();
}

void EklemeFormu::giriseGec()
{
    girisiHazirla();
    girdileriAc(true);
    EkleKaydetDugmesi->setText(QStringLiteral("Kaydet"));
    KapatDugmesi->setEnabled(false);
    girdiler.first()->setFocus();
}

void EklemeFormu::VazgecDugmesi_Click()
{
    if (tekSeferlik()) {
        reject();
        return;
    }
    // Closed before emptied: a box losing the focus tidies the text about to go, not an empty box.
    girdileriAc(false);
    bosalt();
    EkleKaydetDugmesi->setText(yeniMetni);
    KapatDugmesi->setEnabled(true);
}

void EklemeFormu::KapatDugmesi_Click()
{
    if (KapatDugmesi->isEnabled())
        reject();
}

bool EklemeFormu::eventFilter(QObject* nesne, QEvent* olay)
{
    QWidget* kutu = nullptr;
    for (QWidget* girdi : girdiler)
        if (nesne == girdi || nesne->parent() == girdi)
            kutu = girdi;
    if (!kutu)
        return QDialog::eventFilter(nesne, olay);
    // The drop-down list or a context menu taking the focus is no leaving of the box.
    if (olay->type() == QEvent::FocusOut && nesne == kutu &&
        static_cast<QFocusEvent*>(olay)->reason() != Qt::PopupFocusReason)
        kutudanCikildi(kutu);
    if (olay->type() == QEvent::KeyPress) {
        const int tus = static_cast<QKeyEvent*>(olay)->key();
        if (tus == Qt::Key_Return || tus == Qt::Key_Enter) {
            kutudanCikildi(kutu);
            EkleKaydetDugmesi_Click();
            return true;
        }
    }
    return QDialog::eventFilter(nesne, olay);
}

void EklemeFormu::keyPressEvent(QKeyEvent* olay)
{
    // Escape gives up the entry being typed; with none, it closes the dialog.
    if (olay->key() == Qt::Key_Escape && giriste()) {
        VazgecDugmesi_Click();
        olay->accept();
        return;
    }
    QDialog::keyPressEvent(olay);
}
