#pragma once

#include <QDialog>
#include <QList>
#include <QRect>

class QPushButton;

// The cycle the add dialogs share. The dialog waits, its inputs closed; the first button ("Yeni …
// Ekle") opens them for an entry and reads "Kaydet", which stores what was typed and waits again,
// as many times as the user likes. "Vazgeç" and Escape give up the entry being typed; "Kapat"
// closes while the dialog waits. Leaving an input lets the dialog tidy what it holds; Enter in
// any input tidies it and saves.
// A dialog opened to correct one thing has its inputs open from the start, and giving up closes
// it.
class EklemeFormu : public QDialog
{
    Q_OBJECT
public:
    void EkleKaydetDugmesi_Click();
    void VazgecDugmesi_Click();
    void KapatDugmesi_Click();

protected:
    explicit EklemeFormu(QWidget* sahibi);

    // The three buttons, placed as drawn in twips; the first reads `bekleyenMetin` while waiting.
    void dugmeleriKur(const QString& bekleyenMetin, QRect ekleKaydet, QRect vazgec, QRect kapat);
    // The inputs in the order Tab visits them, before the buttons; they start closed.
    void girdileriKoy(const QList<QWidget*>& kutular);
    bool giriste() const;
    void girdileriAc(bool acik);

    // Sets the inputs up for a new entry before they open.
    virtual void girisiHazirla() {}
    // Stores the entry; on success the dialog gives it up (waits again, or closes).
    virtual void kaydet() = 0;
    // Empties the inputs once they are closed.
    virtual void bosalt() = 0;
    virtual void kutudanCikildi(QWidget* kutu) { Q_UNUSED(kutu); }
    // True when the dialog corrects one thing instead of adding any number.
    virtual bool tekSeferlik() const { return false; }

    bool eventFilter(QObject* nesne, QEvent* olay) override;
    void keyPressEvent(QKeyEvent* olay) override;

    QPushButton* EkleKaydetDugmesi = nullptr;
    QPushButton* VazgecDugmesi = nullptr;
    QPushButton* KapatDugmesi = nullptr;

private:
    void giriseGec();

    QString yeniMetni;
    QList<QWidget*> girdiler;
};
