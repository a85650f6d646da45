#include "AktarmaOnerisi.h"
#include "LedgerTest.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QFocusFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>

namespace
{

QList<QAction*> komutlar(const QList<QAction*>& eylemler)
{
    QList<QAction*> sonuc;
    for (QAction* e : eylemler)
        sonuc << (e->menu() ? komutlar(e->menu()->actions()) : QList<QAction*>{e});
    return sonuc;
}

// Every window the program opens, each handed to `bak`: the main window; each window one of its
// buttons or menu commands opens, found by pressing them all, seen once as it opens and once
// more with each selector on its last choice and each check box ticked (the overview compared
// with the year before); and the windows of the start-up, listed here.
void herPencere(AnaForm& form, const std::function<void(QWidget*)>& bak)
{
    form.show();
    bak(&form);
    const auto incele = [&](const std::function<void()>& ac) {
        acilaniIncele(ac, [&](QWidget* pencere) {
            bak(pencere);
            for (auto* kutu : pencere->findChildren<QComboBox*>())
                if (kutu->isEnabled())
                    kutu->setCurrentIndex(kutu->count() - 1);
            for (auto* onay : pencere->findChildren<QAbstractButton*>())
                if (onay->isCheckable() && onay->isEnabled())
                    onay->setChecked(true);
            QApplication::processEvents();
            bak(pencere);
        });
    };
    for (QPushButton* dugme : form.findChildren<QPushButton*>())
        if (dugme->isEnabled())
            incele([dugme] { dugme->click(); });
    for (QAction* komut : komutlar(form.menuBar()->actions()))
        if (komut->isEnabled() && komut->text() != QStringLiteral("Çıkış"))
            incele([komut] { komut->trigger(); });
    const std::unique_ptr<QProgressDialog> ilerleme = AktarmaOnerisi::ilerlemePenceresi();
    ilerleme->show();
    bak(ilerleme.get());
}

QString adi(const QWidget* pencere, const QWidget* denetim)
{
    QString ad = denetim->objectName();
    if (const auto* e = qobject_cast<const QLabel*>(denetim); e && ad.isEmpty())
        ad = e->text();
    return pencere->objectName() + QStringLiteral(" / ") + ad;
}

// A label names a control, unless it shows a value that can be selected and copied.
QStringList etiketSorunlari(const QWidget* pencere)
{
    QStringList sorunlar;
    for (const QLabel* e : pencere->findChildren<QLabel*>()) {
        if (!e->isVisible() || e->text().isEmpty() ||
            (e->textInteractionFlags() & Qt::TextSelectableByMouse))
            continue;
        // What a screen reader is told: this label is the label for that control.
        bool bagli = false;
        for (const auto& [denetim, iliski] :
             QAccessible::queryAccessibleInterface(const_cast<QLabel*>(e))
                 ->relations(QAccessible::Labelled))
            bagli = bagli || (e->buddy() && denetim->object() == e->buddy());
        if (!bagli)
            sorunlar << adi(pencere, e) + QStringLiteral(": names nothing");
    }
    for (QLineEdit* kutu : pencere->findChildren<QLineEdit*>()) {
        const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(kutu);
        if (kutu->isVisible() && kutu->isReadOnly() &&
            (a->role() == QAccessible::EditableText || a->state().editable ||
             !a->state().readOnly || a->text(QAccessible::Value) != kutu->text()))
            sorunlar << adi(pencere, kutu) + QStringLiteral(": announced as editable");
    }
    return sorunlar;
}

// At least the caption's width and 4 px to spare, and what the style asks for around it.
bool sigiyor(int genislik, const QFontMetrics& olcu, const QString& metin, int ipucu)
{
    return genislik >= olcu.horizontalAdvance(QString(metin).remove(u'&')) + 4 && genislik >= ipucu;
}

// A list's first row, and its header, are as tall as the marks above capitals, the descent and
// 1 px above and below; each caption fits.
QStringList olcuSorunlari(const QWidget* pencere)
{
    QStringList sorunlar;
    for (const QAbstractItemView* liste : pencere->findChildren<QAbstractItemView*>()) {
        if (!liste->isVisible())
            continue;
        const QFontMetrics olcu(liste->font());
        const int gereken = -olcu.boundingRect(QStringLiteral("İĞÜÖ")).top() + olcu.descent() + 2;
        const QModelIndex ilk = liste->indexAt(QPoint(1, 1));
        if (ilk.isValid() && liste->visualRect(ilk).height() < gereken)
            sorunlar << adi(pencere, liste) + QStringLiteral(": rows too low");
        const auto* agac = qobject_cast<const QTreeView*>(liste);
        if (!agac || agac->isHeaderHidden())
            continue;
        const QHeaderView* baslik = agac->header();
        // Inside the lines a header section draws along its top and bottom edges.
        if (baslik->height() < gereken + 2)
            sorunlar << adi(pencere, liste) + QStringLiteral(": header too low");
        for (int s = 0; s < baslik->count(); ++s) {
            const QString metin = liste->model()->headerData(s, Qt::Horizontal).toString();
            if (!baslik->isSectionHidden(s) &&
                !sigiyor(baslik->sectionSize(s), baslik->fontMetrics(), metin,
                         baslik->sectionSizeHint(s)))
                sorunlar << adi(pencere, liste) + QStringLiteral(" / ") + metin;
        }
    }
    for (const QAbstractButton* d : pencere->findChildren<QAbstractButton*>())
        if (d->isVisible() && !d->text().isEmpty() &&
            !sigiyor(d->width(), d->fontMetrics(), d->text(), d->sizeHint().width()))
            sorunlar << adi(pencere, d);
    for (const QLabel* e : pencere->findChildren<QLabel*>())
        if (e->isVisible() && !e->wordWrap() && e->textFormat() != Qt::RichText &&
            !sigiyor(e->width(), e->fontMetrics(), e->text(), e->sizeHint().width()))
            sorunlar << adi(pencere, e);
    // Widened captions stay clear of their neighbours.
    QList<const QWidget*> denetimler;
    for (const QWidget* w : pencere->findChildren<QWidget*>())
        if (w->isVisible() && !qobject_cast<const QFocusFrame*>(w) &&
            (w->parentWidget() == pencere || qobject_cast<const QGroupBox*>(w->parentWidget()) ||
             w->parentWidget()->objectName() == QStringLiteral("İstemciAlanı")))
            denetimler << w;
    for (qsizetype i = 0; i < denetimler.size(); ++i)
        for (qsizetype j = i + 1; j < denetimler.size(); ++j)
            if (denetimler[i]->parentWidget() == denetimler[j]->parentWidget() &&
                denetimler[i]->geometry().intersects(denetimler[j]->geometry()))
                sorunlar << adi(pencere, denetimler[i]) + QStringLiteral(" overlaps ") +
                                adi(pencere, denetimler[j]);
    return sorunlar;
}

} // namespace

class TestReadability : public LedgerTest
{
    Q_OBJECT

private slots:
    // Something in every list, with the marks that get cut first in the first row, and every
    // button able to act.
    void init()
    {
        LedgerTest::init();
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
            ortam->anaGrupYaz(*d, "İĞÜÖŞÇ");
            ortam->altGrupYaz(*d, "İĞÜÖŞÇ", "ÖDEME");
            ortam->kayitYaz(*d, "İĞÜÖŞÇ", "ÖDEME", 2024, "Mart", 100, 90);
        }
        form = ortam->anaForm();
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
            grupSec(*form, *d, "İĞÜÖŞÇ", "ÖDEME");
            kayitListesi(*form, *d)->setCurrentItem(kayitListesi(*form, *d)->topLevelItem(0));
        }
    }

    void everyLabelNamesItsControl()
    {
        QStringList sorunlar;
        int pencereler = 0;
        herPencere(*form, [&](QWidget* pencere) {
            ++pencereler;
            sorunlar << etiketSorunlari(pencere);
        });
        QVERIFY2(sorunlar.isEmpty(), qPrintable(sorunlar.join(u'\n')));
        QVERIFY2(pencereler >= 14, qPrintable(QString::number(pencereler)));
    }

    void marksAndCaptionsFit()
    {
        QStringList sorunlar;
        herPencere(*form, [&](QWidget* pencere) { sorunlar << olcuSorunlari(pencere); });
        QVERIFY2(sorunlar.isEmpty(), qPrintable(sorunlar.join(u'\n')));
    }
};

QTEST_MAIN(TestReadability)
#include "tst_okunurluk.moc"
