#include "contracts/FiscalChecks.h"
#include "contracts/ui/TfrmCodFisc.h"
#include "contracts/ui/TfrmPartitaIva.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace rf;
using namespace rf::Test;

Q_DECLARE_METATYPE(rf::Test::MessageKind)

namespace {

const QString VatValidFrom = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                            "E' stato rilasciato dall'Ufficio IVA del Comune di ");

// A check dialog shown without a modal loop, so a test can type, click and look at the outcome.
template <typename Dialog> struct Shown {
    FakeContext fake;
    Dialog dialog{fake.context(), nullptr};
    QLineEdit* edit;

    explicit Shown(const char* editName)
        : edit(dialog.template findChild<QLineEdit*>(QLatin1String(editName)))
    {
        dialog.show();
    }
    bool active() { return QTest::qWaitForWindowActive(&dialog); }
    void click(const char* name) { QVERIFY(rf::Test::click(&dialog, QLatin1String(name))); }
};

} // namespace

class FiscalChecksTest : public QObject {
    Q_OBJECT
private slots:
    // Reference codes computed by hand with the published tables.
    void fiscalCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("valid");
        QTest::newRow("valid") << "RSSMRA85T10A562S" << true;
        QTest::newRow("valid, check letter from odd and even letters") << "VRDGPP80A01F205X" << true;
        QTest::newRow("check letter one past") << "RSSMRA85T10A562T" << false;
        QTest::newRow("two characters swapped") << "RSSMRA58T10A562S" << false;
        QTest::newRow("substituted digits, check recomputed") << "BNCLRAVLE45HRLMY" << true;
        QTest::newRow("one substitution, check recomputed") << "BNCLRA90E45H50MS" << true;
        QTest::newRow("substituted digits, old check letter") << "BNCLRAVLE45HRLMA" << false;
        QTest::newRow("accented letter and sign count 0") << QStringLiteral("RSSMRA85T10È56:N") << true;
        QTest::newRow("15 characters") << "RSSMRA85T10A562" << false;
        QTest::newRow("17 characters") << "RSSMRA85T10A562SS" << false;
    }
    void fiscalCode()
    {
        QFETCH(QString, code);
        QFETCH(bool, valid);
        QCOMPARE(rf::Fiscal::isValidFiscalCode(code), valid);
        if (code.size() == 16 && valid)
            QCOMPARE(rf::Fiscal::fiscalCheckCharacter(code), code.at(15));
    }

    void vatNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("office");
        QTest::newRow("valid") << "12345670405" << true << "Forlì";
        QTest::newRow("brackets in the name") << "24680130960" << true << "Monza (Milano 2)";
        QTest::newRow("office 120") << "13579241202" << true << "Bologna 2";
        QTest::newRow("eleven zeros") << "00000000000" << true << "";
        QTest::newRow("office 009") << "00000000091" << true << "Savona";
        QTest::newRow("wrong check digit") << "12345670406" << false << "Forlì";
        QTest::newRow("ten digits") << "1234567040" << false << "Forlì";
        QTest::newRow("twelve digits") << "123456704050" << false << "Forlì";
        QTest::newRow("a letter") << "1234567040A" << false << "Forlì";
    }
    void vatNumber()
    {
        QFETCH(QString, number);
        QFETCH(bool, valid);
        QFETCH(QString, office);
        QCOMPARE(rf::Fiscal::isValidVatNumber(number), valid);
        QCOMPARE(rf::Fiscal::vatOffice(number), office);
    }

    void vatOfficeTableHasItsRowsOnly()
    {
        QStringList known;
        for (int code = 0; code < 1000; ++code) {
            const QString name =
                rf::Fiscal::vatOffice(QStringLiteral("0000000%1").arg(code, 3, 10, QLatin1Char('0')) + "0");
            if (!name.isEmpty())
                known << QString::number(code);
        }
        QCOMPARE(known.size(), 104);
        QCOMPARE(known.first(), QStringLiteral("1"));
        QCOMPARE(known.mid(101), (QStringList{"102", "120", "121"}));
        QCOMPARE(rf::Fiscal::vatOffice("00000001010"), QStringLiteral("Bologna 2"));
        QCOMPARE(rf::Fiscal::vatOffice("00000001210"), QStringLiteral("Napoli 2"));
    }

    // The window as the contracts window runs it: modal, focus in the edit, Enter to "Controlla".
    void fiscalCodeWindowTypedInLowerCase()
    {
        FakeContext fake;
        TfrmCodFisc dialog(fake.context(), nullptr);
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("txtCodFisc"));
        auto* controlla = dialog.findChild<QPushButton*>(QStringLiteral("btnControlla"));
        QVERIFY(edit && controlla && dialog.findChild<QPushButton*>(QStringLiteral("btnChiudi")));
        QCOMPARE(dialog.windowTitle(), QStringLiteral(" Controllo codice fiscale"));
        QCOMPARE(edit->maxLength(), 16);
        QString typed;
        int result = -1;
        QVERIFY(rf::Test::driveModal([&] { result = dialog.exec(); },
                                     [&](QWidget*) {
                                         QTRY_VERIFY(edit->hasFocus());
                                         QTest::keyClicks(edit, QStringLiteral(" rssmra85t10a562s"));
                                         typed = edit->text();
                                         QTest::keyClick(edit, Qt::Key_Return);
                                         QTRY_VERIFY(controlla->hasFocus());
                                         QCOMPARE(fake.messages().count(), 0);
                                         QTest::keyClick(controlla, Qt::Key_Return);
                                     }));
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(typed, QStringLiteral("RSSMRA85T10A562S"));
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Information);
        QCOMPARE(fake.messages().last().text, QStringLiteral("Il codice fiscale digitato è VALIDO."));
    }

    void fiscalCodeWindowOutcome_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("valid, handed over in lower case") << "bnclravle45hrlmy" << MessageKind::Information
                                                          << "Il codice fiscale digitato è VALIDO." << false;
        QTest::newRow("wrong check letter") << "RSSMRA85T10A562T" << MessageKind::Warning
                                            << "Attenzione: il codice fiscale digitato è ERRATO." << false;
        QTest::newRow("15 characters")
            << "RSSMRA85T10A562" << MessageKind::Warning
            << "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici." << true;
        QTest::newRow("empty")
            << "" << MessageKind::Warning
            << "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici." << true;
    }
    void fiscalCodeWindowOutcome()
    {
        QFETCH(QString, code);
        QFETCH(MessageKind, kind);
        QFETCH(QString, text);
        QFETCH(bool, staysOpen);
        Shown<TfrmCodFisc> w("txtCodFisc");
        w.dialog.setCode(code);
        QVERIFY(w.active());
        w.click("btnControlla");
        QCOMPARE(w.fake.messages().count(), 1);
        QCOMPARE(w.fake.messages().last().kind, kind);
        QCOMPARE(w.fake.messages().last().text, text);
        QCOMPARE(w.dialog.isVisible(), staysOpen);
        if (staysOpen)
            QTRY_VERIFY(w.edit->hasFocus());
        else
            QCOMPARE(w.dialog.result(), int(QDialog::Accepted));
    }

    void vatWindowOutcome_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("valid, office named")
            << "12345670405" << MessageKind::Information << VatValidFrom + "Forlì." << false;
        QTest::newRow("eleven zeros, office unknown")
            << "00000000000" << MessageKind::Information << VatValidFrom + "." << false;
        QTest::newRow("office 120") << "13579241202" << MessageKind::Information
                                    << VatValidFrom + "Bologna 2." << false;
        QTest::newRow("letters and signs are not typed")
            << "12a345-67 0405" << MessageKind::Information << VatValidFrom + "Forlì." << false;
        QTest::newRow("ten digits")
            << "1234567040" << MessageKind::Warning
            << "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici." << true;
        QTest::newRow("wrong check digit")
            << "12345670406" << MessageKind::Warning
            << QStringLiteral(
                   "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                   "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
                   "rilasciato.")
            << false;
    }
    void vatWindowOutcome()
    {
        QFETCH(QString, typed);
        QFETCH(MessageKind, kind);
        QFETCH(QString, text);
        QFETCH(bool, staysOpen);
        Shown<TfrmPartitaIva> w("txtPartitaIva");
        QCOMPARE(w.dialog.windowTitle(), QStringLiteral(" Controllo partita IVA"));
        QCOMPARE(w.edit->maxLength(), 11);
        QVERIFY(w.active());
        QTRY_VERIFY(w.edit->hasFocus());
        QTest::keyClicks(w.edit, typed);
        w.click("btnControlla");
        QCOMPARE(w.fake.messages().count(), 1);
        QCOMPARE(w.fake.messages().last().kind, kind);
        QCOMPARE(w.fake.messages().last().text, text);
        QCOMPARE(w.dialog.isVisible(), staysOpen);
        if (staysOpen)
            QTRY_VERIFY(w.edit->hasFocus());
    }

    void vatWindowHandedOverNumberAndChiudi()
    {
        Shown<TfrmPartitaIva> w("txtPartitaIva");
        w.dialog.setNumber(QStringLiteral("12345670405"));
        QCOMPARE(w.edit->text(), QStringLiteral("12345670405"));
        w.click("btnChiudi");
        QVERIFY(!w.dialog.isVisible());
        QCOMPARE(w.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(w.fake.messages().count(), 0);
    }
};

RF_REGISTER_TEST(FiscalChecksTest)
#include "FiscalChecksTest.moc"
