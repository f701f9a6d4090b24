#include "app/Crypt.h"
#include "app/PasswordStore.h"
#include "app/ui/TfrmCambiaPassword.h"
#include "app/ui/TfrmPassword.h"
#include "storage/IniFile.h"

#include "support/FakeContext.h"
#include "support/Files.h"
#include "support/Gui.h"
#include "support/TestMain.h"
#include "support/Typing.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace rf;
using rf::Test::FakeContext;
using rf::Test::FileWritesFail;
using rf::Test::MessageKind;
using rf::Test::readFile;
using rf::Test::typeText;
using rf::Test::writeFile;

namespace {
const QString WrongPassword = QStringLiteral("Attenzione: password errata.");
const QString ReadError =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura "
                   "della password. Si consiglia di reinstallare il software.");
const QString WrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString NotConfirmed =
    QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                   "E' necessario reinserire entrambi i valori.");
const QString ChangeError =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica "
                   "della password. Si consiglia di reinstallare il software.");
const QString Changed = QStringLiteral("Modifica della password completata con successo.");

// A password file as an installation leaves it, with lines of others around the value.
QByteArray passwordFile(const QString& stored)
{
    return "[Altro]\r\nChiave=uno\r\n[Accesso]\r\nValore=" + rf::Crypt::CodificaPassword(stored).toLatin1() +
           "\r\nExtra=due\r\n";
}

// The login window over a program folder, shown.
struct Login {
    explicit Login(FakeContext& fake) : window(fake.context())
    {
        window.show();
        txtPassword = rf::Test::required<QLineEdit>(&window, QStringLiteral("txtPassword"));
        cmdOK = rf::Test::required<QPushButton>(&window, QStringLiteral("cmdOK"));
    }
    TfrmPassword window;
    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QSignalSpy granted{&window, &TfrmPassword::accessGranted};
    QSignalSpy exit{&window, &TfrmPassword::exitRequested};
};

struct Change {
    explicit Change(FakeContext& fake) : window(fake.context())
    {
        window.show();
        txtPasswordOld = rf::Test::required<QLineEdit>(&window, QStringLiteral("txtPasswordOld"));
        txtPasswordNew = rf::Test::required<QLineEdit>(&window, QStringLiteral("txtPasswordNew"));
        txtConferma = rf::Test::required<QLineEdit>(&window, QStringLiteral("txtConferma"));
        cmdOK = rf::Test::required<QPushButton>(&window, QStringLiteral("cmdOK"));
    }
    void type(const QString& old, const QString& fresh, const QString& confirmation)
    {
        rf::Test::typeText(txtPasswordOld, old);
        rf::Test::typeText(txtPasswordNew, fresh);
        rf::Test::typeText(txtConferma, confirmation);
    }
    TfrmCambiaPassword window;
    QLineEdit* txtPasswordOld;
    QLineEdit* txtPasswordNew;
    QLineEdit* txtConferma;
    QPushButton* cmdOK;
    QSignalSpy closed{&window, &TfrmCambiaPassword::closed};
};

bool grants(FakeContext& fake, const QString& typed)
{
    Login login(fake);
    typeText(login.txtPassword, typed);
    QTest::mouseClick(login.cmdOK, Qt::LeftButton);
    return login.granted.count() == 1;
}
} // namespace

class PasswordWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void loginComparesStoredForm_data();
    void loginComparesStoredForm();
    void blanksOnlyKeepOKDisabledAndEnterIdle();
    void enterInPasswordRunsCheck();
    void missingPasswordRefusesEveryLogin_data();
    void missingPasswordRefusesEveryLogin();
    void unreadablePasswordReportsReadError_data();
    void unreadablePasswordReportsReadError();
    void loginSignalsItsWayOut();

    void showEmptiesFieldsAndOKNeedsAllThree();
    void changeRefusals_data();
    void changeRefusals();
    void changeWritesNewValueKeepingOtherLines_data();
    void changeWritesNewValueKeepingOtherLines();
    void failedChangeKeepsOldPassword_data();
    void failedChangeKeepsOldPassword();
    void enterWalksFieldsWithoutChanging();
    void closingEmitsClosed();
};

void PasswordWindowsTest::loginComparesStoredForm_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("granted");
    QTest::newRow("as set") << "primaveraverde"
                            << "primaveraverde" << true;
    QTest::newRow("mixed case and blanks") << "primaveraverde"
                                           << "  PrimaVeraVERDE  " << true;
    QTest::newRow("inner blank") << "primaveraverde"
                                 << "primavera verde" << false;
    QTest::newRow("prefix only") << "primaveraverde"
                                 << "primaveraverd" << false;
    QTest::newRow("lower accent typed lower") << QStringLiteral("caffè") << QStringLiteral("CAFFè") << true;
    QTest::newRow("lower accent typed upper") << QStringLiteral("caffè") << QStringLiteral("caffÈ") << false;
    QTest::newRow("upper accent typed lower") << QStringLiteral("CAFFÈ") << QStringLiteral("caffè") << false;
}

void PasswordWindowsTest::loginComparesStoredForm()
{
    QFETCH(QString, password);
    QFETCH(QString, typed);
    QFETCH(bool, granted);
    FakeContext fake;
    QVERIFY(writeFile(fake.file("unins000.dll"), passwordFile(rf::PasswordStore::storedForm(password))));
    Login login(fake);

    typeText(login.txtPassword, typed);
    QTest::mouseClick(login.cmdOK, Qt::LeftButton);

    QCOMPARE(login.granted.count(), granted ? 1 : 0);
    if (granted) {
        QCOMPARE(fake.messages().count(), 0);
        return;
    }
    QCOMPARE(fake.messages().count(), 1);
    QCOMPARE(fake.messages().last().kind, MessageKind::Plain);
    QCOMPARE(fake.messages().last().text, WrongPassword);
    QVERIFY(login.txtPassword->text().isEmpty());
    QCOMPARE(login.window.focusWidget(), login.txtPassword);
    QVERIFY(!login.cmdOK->isEnabled());
}

void PasswordWindowsTest::blanksOnlyKeepOKDisabledAndEnterIdle()
{
    FakeContext fake;
    QVERIFY(writeFile(fake.file("unins000.dll"), passwordFile(QStringLiteral("PRIMAVERAVERDE"))));
    Login login(fake);
    QVERIFY(login.window.findChild<QFrame*>(QStringLiteral("effPassword")));
    QCOMPARE(login.window.focusWidget(), login.txtPassword);

    typeText(login.txtPassword, QStringLiteral("   "));
    QVERIFY(!login.cmdOK->isEnabled());
    QTest::keyClick(login.txtPassword, Qt::Key_Return);
    QCOMPARE(fake.messages().count(), 0);
    QCOMPARE(login.granted.count(), 0);
    QCOMPARE(login.txtPassword->text(), QStringLiteral("   "));

    typeText(login.txtPassword, QStringLiteral("x"));
    QVERIFY(login.cmdOK->isEnabled());
    QTest::keyClick(login.txtPassword, Qt::Key_Backspace);
    QVERIFY(!login.cmdOK->isEnabled());
}

void PasswordWindowsTest::enterInPasswordRunsCheck()
{
    FakeContext fake;
    QVERIFY(writeFile(fake.file("unins000.dll"), passwordFile(QStringLiteral("PRIMAVERAVERDE"))));
    Login login(fake);

    typeText(login.txtPassword, QStringLiteral("estate"));
    QTest::keyClick(login.txtPassword, Qt::Key_Return);
    QCOMPARE(fake.messages().last().text, WrongPassword);
    QVERIFY(login.txtPassword->text().isEmpty());

    typeText(login.txtPassword, QStringLiteral("primaveraverde"));
    QTest::keyClick(login.txtPassword, Qt::Key_Enter);
    QCOMPARE(login.granted.count(), 1);
    QCOMPARE(fake.messages().count(), 1);
}

void PasswordWindowsTest::missingPasswordRefusesEveryLogin_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::newRow("no file") << QByteArray();
    QTest::newRow("empty value") << QByteArray("[Accesso]\r\nValore=\r\n");
    QTest::newRow("no key") << QByteArray("[Accesso]\r\nAltro=4E\r\n");
    QTest::newRow("no section") << QByteArray("[Altro]\r\nValore=4E\r\n");
}

void PasswordWindowsTest::missingPasswordRefusesEveryLogin()
{
    QFETCH(QByteArray, content);
    FakeContext fake;
    if (!content.isEmpty())
        QVERIFY(writeFile(fake.file("unins000.dll"), content));

    QVERIFY(!grants(fake, QStringLiteral("a")));
    QCOMPARE(fake.messages().last().text, WrongPassword);
    QCOMPARE(QFile::exists(fake.file("unins000.dll")), !content.isEmpty());
}

void PasswordWindowsTest::unreadablePasswordReportsReadError_data()
{
    QTest::addColumn<bool>("directory");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("value not hexadecimal") << false << QByteArray("[Accesso]\r\nValore=4E0Z\r\n");
    QTest::newRow("file is a folder") << true << QByteArray();
}

void PasswordWindowsTest::unreadablePasswordReportsReadError()
{
    QFETCH(bool, directory);
    QFETCH(QByteArray, content);
    FakeContext fake;
    if (directory)
        QVERIFY(QDir(fake.folder()).mkdir(QStringLiteral("unins000.dll")));
    else
        QVERIFY(writeFile(fake.file("unins000.dll"), content));
    Login login(fake);

    typeText(login.txtPassword, QStringLiteral("Prova"));
    QTest::mouseClick(login.cmdOK, Qt::LeftButton);

    QCOMPARE(fake.messages().count(), 1);
    QCOMPARE(fake.messages().last().kind, MessageKind::Plain);
    QCOMPARE(fake.messages().last().text, ReadError);
    QCOMPARE(login.txtPassword->text(), QStringLiteral("Prova"));
    QCOMPARE(login.granted.count(), 0);
}

void PasswordWindowsTest::loginSignalsItsWayOut()
{
    FakeContext fake;
    QVERIFY(writeFile(fake.file("unins000.dll"), passwordFile(QStringLiteral("PRIMAVERAVERDE"))));
    {
        Login login(fake);
        QSignalSpy change(&login.window, &TfrmPassword::changePasswordRequested);
        QVERIFY(rf::Test::click(&login.window, QStringLiteral("btnCambiaPassword")));
        QCOMPARE(change.count(), 1);
        QCOMPARE(login.exit.count(), 0);
        QVERIFY(rf::Test::click(&login.window, QStringLiteral("cmdEsci")));
        QCOMPARE(login.exit.count(), 1);
        QVERIFY(!login.window.isVisible());
    }
    {
        Login login(fake);
        login.window.close(); // the title bar or the system menu
        QCOMPARE(login.exit.count(), 1);
    }
    {
        Login login(fake);
        typeText(login.txtPassword, QStringLiteral("primaveraverde"));
        QTest::mouseClick(login.cmdOK, Qt::LeftButton);
        QCOMPARE(login.granted.count(), 1);
        login.window.hide();
        login.window.close();
        QCOMPARE(login.exit.count(), 0);
        login.window.resetForReturn();
        QVERIFY(login.txtPassword->text().isEmpty());
    }
}

void PasswordWindowsTest::showEmptiesFieldsAndOKNeedsAllThree()
{
    FakeContext fake;
    Change change(fake);
    QCOMPARE(change.window.focusWidget(), change.txtPasswordOld);
    for (const char* eff : {"effPasswordOld", "effPasswordNew", "effConferma"})
        QVERIFY(change.window.findChild<QFrame*>(QLatin1String(eff)));
    QVERIFY(!change.cmdOK->isEnabled());

    change.type(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("  "));
    QVERIFY(!change.cmdOK->isEnabled());
    typeText(change.txtConferma, QStringLiteral("c"));
    QVERIFY(change.cmdOK->isEnabled());

    change.txtConferma->setFocus();
    change.window.hide();
    change.window.show();
    for (QLineEdit* edit : {change.txtPasswordOld, change.txtPasswordNew, change.txtConferma})
        QVERIFY(edit->text().isEmpty());
    QCOMPARE(change.window.focusWidget(), change.txtPasswordOld);
    QVERIFY(!change.cmdOK->isEnabled());
}

void PasswordWindowsTest::changeRefusals_data()
{
    const QString refused =
        QStringLiteral("Attenzione: la nuova password può contenere al massimo 255 caratteri");
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("message"); // the message begins with this
    QTest::addColumn<QString>("focus");
    QTest::newRow("wrong old") << "estate"
                               << "nuova"
                               << "nuova" << WrongOld << "txtPasswordOld";
    QTest::newRow("not confirmed") << "primaveraverde"
                                   << "nuova"
                                   << "nuova2" << NotConfirmed << "txtPasswordNew";
    QTest::newRow("differ in case only") << "primaveraverde"
                                         << "Nuova"
                                         << "nuova" << NotConfirmed << "txtPasswordNew";
    QTest::newRow("256 characters") << "primaveraverde" << QString(256, QLatin1Char('x'))
                                    << QString(256, QLatin1Char('x')) << refused << "txtPasswordNew";
    QTest::newRow("euro sign") << "primaveraverde" << QStringLiteral("prezzo€") << QStringLiteral("prezzo€")
                               << refused << "txtPasswordNew";
}

void PasswordWindowsTest::changeRefusals()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, confirmation);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    FakeContext fake;
    const QByteArray before = passwordFile(QStringLiteral("PRIMAVERAVERDE"));
    QVERIFY(writeFile(fake.file("unins000.dll"), before));
    Change change(fake);

    change.type(old, fresh, confirmation);
    QTest::mouseClick(change.cmdOK, Qt::LeftButton);

    QCOMPARE(fake.messages().count(), 1);
    QCOMPARE(fake.messages().last().kind, MessageKind::Plain);
    QVERIFY2(fake.messages().last().text.startsWith(message), qPrintable(fake.messages().last().text));
    QCOMPARE(readFile(fake.file("unins000.dll")), before);
    QVERIFY(change.window.isVisible());
    QCOMPARE(change.closed.count(), 0);
    QCOMPARE(change.window.focusWidget()->objectName(), focus);
    // The field in focus is emptied; wrong old keeps the new pair, a refused new pair keeps the old.
    const bool oldRefused = focus == QLatin1String("txtPasswordOld");
    QCOMPARE(change.txtPasswordOld->text(), oldRefused ? QString() : old);
    QCOMPARE(change.txtPasswordNew->text(), oldRefused ? fresh : QString());
    QCOMPARE(change.txtConferma->text(), oldRefused ? confirmation : QString());
}

void PasswordWindowsTest::changeWritesNewValueKeepingOtherLines_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("stored");
    QTest::newRow("mixed case and blanks") << " PrimaveraVerde "
                                           << "  nuovaPassword 1 "
                                           << "NUOVAPASSWORD 1";
    QTest::newRow("same as old") << "primaveraverde"
                                 << "primaveraverde"
                                 << "PRIMAVERAVERDE";
    QTest::newRow("255 Latin-1 characters")
        << "primaveraverde" << QString(255, QChar(0xE9)) << QString(255, QChar(0xE9));
}

void PasswordWindowsTest::changeWritesNewValueKeepingOtherLines()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, stored);
    FakeContext fake;
    QVERIFY(writeFile(fake.file("unins000.dll"), passwordFile(QStringLiteral("PRIMAVERAVERDE"))));
    Change change(fake);

    change.type(old, fresh, fresh);
    QTest::mouseClick(change.cmdOK, Qt::LeftButton);

    QCOMPARE(fake.messages().count(), 1);
    QCOMPARE(fake.messages().last().kind, MessageKind::Plain);
    QCOMPARE(fake.messages().last().text, Changed);
    QCOMPARE(change.closed.count(), 1);
    QVERIFY(!change.window.isVisible());

    rf::IniFile ini(fake.file("unins000.dll"));
    QVERIFY(ini.load());
    QCOMPARE(ini.value(QStringLiteral("Accesso"), QStringLiteral("Valore")),
             rf::Crypt::CodificaPassword(stored));
    QCOMPARE(ini.value(QStringLiteral("Accesso"), QStringLiteral("Extra")), QStringLiteral("due"));
    QCOMPARE(ini.value(QStringLiteral("Altro"), QStringLiteral("Chiave")), QStringLiteral("uno"));

    fake.messages().clear();
    QVERIFY(grants(fake, fresh.toLower()));
    if (stored != QLatin1String("PRIMAVERAVERDE"))
        QVERIFY(!grants(fake, QStringLiteral("primaveraverde")));
}

void PasswordWindowsTest::failedChangeKeepsOldPassword_data()
{
    QTest::addColumn<bool>("unreadable");
    QTest::newRow("file cannot be written") << false;
    QTest::newRow("file cannot be read") << true;
}

void PasswordWindowsTest::failedChangeKeepsOldPassword()
{
    QFETCH(bool, unreadable);
#ifndef Q_OS_UNIX
    if (!unreadable)
        QSKIP("needs a file size limit to make writes fail");
#endif
    FakeContext fake;
    const QString path = fake.file("unins000.dll");
    if (unreadable)
        QVERIFY(QDir(fake.folder()).mkdir(QStringLiteral("unins000.dll")));
    else
        QVERIFY(writeFile(path, passwordFile(QStringLiteral("PRIMAVERAVERDE"))));
    const QByteArray before = readFile(path);
    Change change(fake);

    change.type(QStringLiteral("primaveraverde"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    {
        FileWritesFail failing;
        QTest::mouseClick(change.cmdOK, Qt::LeftButton);
    }

    QCOMPARE(fake.messages().count(), 1);
    QCOMPARE(fake.messages().last().kind, MessageKind::Plain);
    QCOMPARE(fake.messages().last().text, ChangeError);
    QVERIFY(change.window.isVisible());
    QCOMPARE(change.closed.count(), 0);
    QCOMPARE(change.txtPasswordOld->text(), QStringLiteral("primaveraverde"));
    QCOMPARE(change.txtPasswordNew->text(), QStringLiteral("nuova"));
    QCOMPARE(change.txtConferma->text(), QStringLiteral("nuova"));
    QCOMPARE(QDir(fake.folder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{QStringLiteral("unins000.dll")});
    if (unreadable)
        return;
    QCOMPARE(readFile(path), before);
    fake.messages().clear();
    QVERIFY(grants(fake, QStringLiteral("primaveraverde")));
}

void PasswordWindowsTest::enterWalksFieldsWithoutChanging()
{
    FakeContext fake;
    const QByteArray before = passwordFile(QStringLiteral("PRIMAVERAVERDE"));
    QVERIFY(writeFile(fake.file("unins000.dll"), before));
    Change change(fake);
    change.type(QStringLiteral("primaveraverde"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    QVERIFY(change.cmdOK->isEnabled());

    QLineEdit* const order[] = {change.txtPasswordOld, change.txtPasswordNew, change.txtConferma,
                                change.txtPasswordOld};
    for (int i = 0; i < 3; ++i) {
        order[i]->setFocus();
        QTest::keyClick(order[i], Qt::Key_Return);
        QCOMPARE(change.window.focusWidget(), order[i + 1]);
    }
    QTest::keyClick(change.txtConferma, Qt::Key_Enter);

    QCOMPARE(fake.messages().count(), 0);
    QCOMPARE(readFile(fake.file("unins000.dll")), before);
    QVERIFY(change.window.isVisible());
}

void PasswordWindowsTest::closingEmitsClosed()
{
    FakeContext fake;
    Change change(fake);
    QVERIFY(rf::Test::click(&change.window, QStringLiteral("cmdEsci")));
    QCOMPARE(change.closed.count(), 1);
    QVERIFY(!change.window.isVisible());

    change.window.show();
    change.window.close(); // the title bar
    QCOMPARE(change.closed.count(), 2);
    QCOMPARE(fake.messages().count(), 0);
}

RF_REGISTER_TEST(PasswordWindowsTest)
#include "PasswordWindowsTest.moc"
