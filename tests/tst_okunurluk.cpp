#include "AktarmaOnerisi.h"
#include "LedgerTest.h"

#include <QAccessible>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>

namespace
{

// Every window the program opens, to `bak`: the main window; each window its buttons and menu
// commands open, seen as it opens and again with each selector on its last choice and each check
// box ticked (the overview compared with the year before); the start-up's windows, listed here.
int herPencere(AnaForm& form, const std::function<void(QWidget*)>& bak)
{
    int pencereler = 1;
    form.show();
    bak(&form);
    const auto incele = [&](const std::function<void()>& ac) {
        acilaniIncele(ac, [&](QWidget* pencere) {
            // On a desktop the file dialog is the desktop's own.
            if (qobject_cast<QFileDialog*>(pencere))
                return;
            pencereler += 2;
            bak(pencere);
            for (auto* kutu : pencere->findChildren<QComboBox*>())
                kutu->setCurrentIndex(kutu->count() - 1);
            for (auto* onay : pencere->findChildren<QAbstractButton*>())
                onay->setChecked(onay->isCheckable());
            QApplication::processEvents();
            bak(pencere);
        });
    };
    for (QPushButton* dugme : form.findChildren<QPushButton*>())
        incele([dugme] { dugme->click(); });
    for (QAction* komut : form.findChildren<QAction*>())
        if (!komut->menu() && komut->text() != QStringLiteral("Çıkış"))
            incele([komut] { komut->trigger(); });
    const std::unique_ptr<QProgressDialog> ilerleme = AktarmaOnerisi::ilerlemePenceresi();
    ilerleme->show();
    bak(ilerleme.get());
    return pencereler + 1;
}

QString adi(const QWidget* pencere, const QWidget* denetim)
{
    return pencere->objectName() + " / " + denetim->objectName() + ' ' +
           denetim->property("text").toString();
}

// A label names a control, unless it shows a value that can be selected and copied.
QStringList etiketSorunlari(const QWidget* pencere)
{
    QStringList sorunlar;
    // What a screen reader is told: this label is the label for that control.
    for (const QLabel* e : pencere->findChildren<QLabel*>())
        if (e->isVisible() && !e->text().isEmpty() &&
            !(e->textInteractionFlags() & Qt::TextSelectableByMouse) &&
            !QAccessible::queryAccessibleInterface(const_cast<QLabel*>(e))
                 ->relations(QAccessible::Labelled)
                 .contains({QAccessible::queryAccessibleInterface(e->buddy()),
                            QAccessible::Relation(QAccessible::Labelled)}))
            sorunlar << adi(pencere, e) + ": names nothing";
    for (QLineEdit* kutu : pencere->findChildren<QLineEdit*>())
        if (const auto* a = QAccessible::queryAccessibleInterface(kutu);
            kutu->isVisible() && kutu->isReadOnly() &&
            (a->role() == QAccessible::EditableText || !a->state().readOnly ||
             a->text(QAccessible::Value) != kutu->text()))
            sorunlar << adi(pencere, kutu) + ": announced as editable";
    return sorunlar;
}

// At least the caption's width and 4 px to spare, and what the style asks for around it.
bool sigiyor(int genislik, const QFontMetrics& olcu, const QString& metin, int ipucu)
{
    return genislik >= olcu.horizontalAdvance(QString(metin).remove(u'&')) + 4 && genislik >= ipucu;
}

// A list's first row is as tall as the marks above capitals, the descent and 1 px above and
// below, its header as well inside the lines it draws at its edges; each caption fits.
QStringList olcuSorunlari(const QWidget* pencere)
{
    QStringList sorunlar;
    for (const QAbstractItemView* liste : pencere->findChildren<QAbstractItemView*>()) {
        if (!liste->isVisible())
            continue;
        const QFontMetrics olcu(liste->font());
        const int gereken = -olcu.boundingRect(QStringLiteral("İĞÜÖ")).top() + olcu.descent() + 2;
        if (const QModelIndex ilk = liste->indexAt(QPoint(1, 1));
            ilk.isValid() && liste->visualRect(ilk).height() < gereken)
            sorunlar << adi(pencere, liste) + ": rows too low";
        const auto* agac = qobject_cast<const QTreeView*>(liste);
        if (!agac || agac->isHeaderHidden())
            continue;
        const QHeaderView* baslik = agac->header();
        if (baslik->height() < gereken + 2)
            sorunlar << adi(pencere, liste) + ": header too low";
        for (int s = 0; s < baslik->count(); ++s) {
            const QString metin = liste->model()->headerData(s, Qt::Horizontal).toString();
            if (!baslik->isSectionHidden(s) &&
                !sigiyor(baslik->sectionSize(s), baslik->fontMetrics(), metin,
                         baslik->sectionSizeHint(s)))
                sorunlar << adi(pencere, liste) + " / " + metin;
        }
    }
    for (const QWidget* w : pencere->findChildren<QWidget*>()) {
        const auto* e = qobject_cast<const QLabel*>(w);
        const QString metin = w->property("text").toString();
        if ((qobject_cast<const QAbstractButton*>(w) ||
             (e && !e->wordWrap() && e->textFormat() != Qt::RichText)) &&
            w->isVisible() && !metin.isEmpty() &&
            !sigiyor(w->width(), w->fontMetrics(), metin, w->sizeHint().width()))
            sorunlar << adi(pencere, w);
    }
    return sorunlar;
}

} // namespace

class TestOkunurluk : public LedgerTest
{
    Q_OBJECT

private slots:
    // Every window walked once, with both rules; all the problems found are reported at once.
    // Something is in every list, the marks cut first in the first row; every button can act.
    void labelsNameControlsAndCaptionsFit()
    {
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
            ortam->anaGrupYaz(*d, "İĞÜÖŞÇ");
            ortam->altGrupYaz(*d, "İĞÜÖŞÇ", "ÖDEME");
            ortam->kayitYaz(*d, "İĞÜÖŞÇ", "ÖDEME", 2024, "Mart", 100, 90);
        }
        form = ortam->anaForm();
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
            grupSec(*form, *d, "İĞÜÖŞÇ", "ÖDEME");
            kayitListesi(*form, *d)->setCurrentIndex(kayitListesi(*form, *d)->model()->index(0, 1));
        }
        QStringList sorunlar;
        const auto bak = [&](QWidget* p) { sorunlar << etiketSorunlari(p) << olcuSorunlari(p); };
        QCOMPARE_GE(herPencere(*form, bak), 18);
        QVERIFY2(sorunlar.isEmpty(), qPrintable(sorunlar.join(u'\n')));
    }
};

QTEST_MAIN(TestOkunurluk)
#include "tst_okunurluk.moc"
