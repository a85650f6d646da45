#include "KilavuzFormu.h"

#include "DegiskenModulu.h"
#include "Doldurma.h"
#include "MesajKutusu.h"
#include "TurkceMetin.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

KilavuzFormu::KilavuzFormu(QWidget* sahibi) : QWidget(sahibi, Qt::Window)
{
    setObjectName(QStringLiteral("KılavuzFormu"));
    setWindowTitle(QStringLiteral("Morvane Kullanım Kılavuzu"));

    metinKutusu = new QTextBrowser(this);
    metinKutusu->setObjectName(QStringLiteral("KılavuzMetni"));
    metinKutusu->setAccessibleName(QStringLiteral("Kullanım Kılavuzu"));
    metinKutusu->setOpenExternalLinks(true);
    // The pictures' names are relative to the guide, as they are beside it in docs/.
    metinKutusu->setSource(QUrl(QStringLiteral("qrc:/kilavuz/kullanim-kilavuzu.md")),
                           QTextDocument::MarkdownResource);

    bulmaCubugu = new QWidget(this);
    auto* bulEtiketi = new QLabel(QStringLiteral("&Bul:"), bulmaCubugu);
    bulKutusu = new QLineEdit(bulmaCubugu);
    bulKutusu->setObjectName(QStringLiteral("BulKutusu"));
    bulKutusu->setAccessibleName(QStringLiteral("Bul"));
    bulKutusu->setClearButtonEnabled(true);
    bulEtiketi->setBuddy(bulKutusu);
    auto* onceki = new QPushButton(QStringLiteral("Önceki"), bulmaCubugu);
    auto* sonraki = new QPushButton(QStringLiteral("Sonraki"), bulmaCubugu);
    sonucEtiketi = new QLabel(bulmaCubugu);
    sonucEtiketi->setObjectName(QStringLiteral("BulmaSonucuEtiketi"));
    // A result to read, not the caption of a control.
    sonucEtiketi->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* cubuk = new QHBoxLayout(bulmaCubugu);
    cubuk->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w :
         std::initializer_list<QWidget*>{bulEtiketi, bulKutusu, onceki, sonraki, sonucEtiketi})
        cubuk->addWidget(w);
    cubuk->addStretch();
    bulmaCubugu->hide();

    auto* yerlesim = new QVBoxLayout(this);
    yerlesim->addWidget(metinKutusu);
    yerlesim->addWidget(bulmaCubugu);
    resize(880, 720);

    connect(bulKutusu, &QLineEdit::textEdited, this, [this] { bul(false, true); });
    connect(bulKutusu, &QLineEdit::returnPressed, this, [this] { bul(false); });
    connect(sonraki, &QPushButton::clicked, this, [this] { bul(false); });
    connect(onceki, &QPushButton::clicked, this, [this] { bul(true); });
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
            &KilavuzFormu::bulmayiAc);
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this,
            [this] { bul(false); });
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this,
            [this] { bul(true); });
}

void KilavuzFormu::goster(QWidget* sahibi)
{
    auto* form = sahibi->findChild<KilavuzFormu*>(QString(), Qt::FindDirectChildrenOnly);
    if (!form)
        form = new KilavuzFormu(sahibi);
    form->show();
    form->raise();
    form->activateWindow();
}

void KilavuzFormu::keyPressEvent(QKeyEvent* olay)
{
    if (olay->key() != Qt::Key_Escape)
        return QWidget::keyPressEvent(olay);
    if (bulmaCubugu->isVisible()) {
        bulmaCubugu->hide();
        metinKutusu->setFocus();
    } else {
        close();
    }
}

void KilavuzFormu::bulmayiAc()
{
    bulmaCubugu->show();
    bulKutusu->setFocus();
    bulKutusu->selectAll();
}

void KilavuzFormu::bul(bool geriye, bool yerinde)
{
    // Upper-casing by the Turkish rules keeps every letter in its place, so a match's place in
    // the folded text is its place in the document.
    const QString aranan = TurkceMetin::buyukHarf(bulKutusu->text());
    QTextCursor imlec = metinKutusu->textCursor();
    qsizetype yer = -1;
    if (!aranan.isEmpty()) {
        const QString metin = TurkceMetin::buyukHarf(metinKutusu->document()->toRawText());
        if (geriye) {
            if (imlec.selectionStart() > 0)
                yer = metin.lastIndexOf(aranan, imlec.selectionStart() - 1);
            if (yer < 0)
                yer = metin.lastIndexOf(aranan);
        } else {
            yer = metin.indexOf(aranan, yerinde ? imlec.selectionStart() : imlec.selectionEnd());
            if (yer < 0)
                yer = metin.indexOf(aranan);
        }
    }
    if (yer >= 0) {
        imlec.setPosition(int(yer));
        imlec.setPosition(int(yer + aranan.size()), QTextCursor::KeepAnchor);
        metinKutusu->setTextCursor(imlec);
    }
    const bool bulunamadi = !aranan.isEmpty() && yer < 0;
    QPalette renkler = QApplication::palette(bulKutusu);
    if (bulunamadi)
        renkler.setColor(QPalette::Text, Doldurma::uyariRengi);
    bulKutusu->setPalette(renkler);
    sonucEtiketi->setText(bulunamadi ? QStringLiteral("Bulunamadı") : QString());
}

void KilavuzFormu::hakkinda(QWidget* sahibi)
{
    QStringList satirlar{QStringLiteral("Morvane: ev bütçesi planlama ve izleme")};
    if (const QString surum = QApplication::applicationVersion(); !surum.isEmpty())
        satirlar << QStringLiteral("Sürüm ") + surum;
    satirlar << QString()
             << QStringLiteral("Veri dosyası: ") +
                    QDir::toNativeSeparators(DegiskenModulu::dosyaYolu())
             << QStringLiteral("SQLite ") + DegiskenModulu::sqliteSurumu()
             << QStringLiteral("Qt ") + QString::fromLatin1(qVersion());
    MesajKutusu::bilgi(sahibi, satirlar.join(u'\n'));
}
