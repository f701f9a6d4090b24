#include "app/GuideTexts.h"
#include "app/Product.h"
#include "app/ui/TfrmInfo.h"
#include "app/ui/TfrmSplash.h"
#include "common/ui/LinkLabel.h"
#include "common/ui/TfrmGuida.h"

#include "support/FakeContext.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace rf;
using rf::Test::FakeContext;

namespace {
const QColor LinkBlue(0x00, 0x00, 0x8B);
const QColor LinkOrange(0xFF, 0xA5, 0x00);
} // namespace

class GuideTest : public QObject {
    Q_OBJECT

private slots:
    void launcherTextIsIntroductionThenTheAppsThenItsOwnParagraphs()
    {
        const QStringList fleet = rf::Guide::fleetParagraphs();
        const QStringList planner = rf::Guide::plannerParagraphs();
        const QStringList contracts = rf::Guide::contractsParagraphs();
        const QStringList launcher = rf::Guide::launcherParagraphs();
        QCOMPARE(fleet.size(), 11);
        QCOMPARE(planner.size(), 7);
        QCOMPARE(contracts.size(), 10);
        QCOMPARE(launcher.size(), 33);
        QCOMPARE(launcher.mid(1, 11), fleet);
        QCOMPARE(launcher.mid(12, 7), planner);
        QCOMPARE(launcher.mid(19, 10), contracts);

        for (const QStringList& list : {fleet, planner, contracts, launcher}) {
            for (const QString& paragraph : list) {
                QVERIFY2(!paragraph.trimmed().isEmpty() && paragraph == paragraph.trimmed(),
                         qPrintable(paragraph));
                QVERIFY2(!paragraph.contains(QLatin1Char('\r')) && !paragraph.contains(QLatin1Char('\n')),
                         qPrintable(paragraph));
            }
        }

        const QString joined = rf::Guide::join(launcher);
        QVERIFY(!joined.endsWith(QLatin1String("\r\n")));
        QCOMPARE(joined.split(QStringLiteral("\r\n\r\n")), launcher);
        QCOMPARE(rf::Guide::join({QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("a\r\n\r\nb"));
    }

    void paragraphsOpenWithTheirFixedWords_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<bool>("whole");

        const auto row = [](const char* list, int index, const QString& opening, bool whole = false) {
            QTest::addRow("%s %d", list, index + 1) << QString::fromLatin1(list) << index << opening << whole;
        };
        row("fleet", 0,
            QStringLiteral("L'app Flotta Bici permette di creare una dettagliata scheda descrittiva di "
                           "ogni mezzo del parco biciclette, mountain bike, e-bike ecc. di cui la propria "
                           "ditta di noleggio dispone."));
        row("fleet", 1,
            QStringLiteral(
                "E' inoltre possibile annotare le condizioni applicate al noleggio della bicicletta"));
        row("fleet", 2,
            QStringLiteral("Nel caso in cui sia stata stipulata un'assicurazione per furto e danno della "
                           "bici a noleggio"));
        row("fleet", 3,
            QStringLiteral("I dati relativi alla bicicletta e alle condizioni di locazione potranno essere "
                           "importati in fase di emissione del contratto di noleggio per velocizzarne la "
                           "compilazione."),
            true);
        row("fleet", 4,
            QStringLiteral("Per registrare una nuova scheda, è sufficiente fare clic sul pulsante Nuovo, "
                           "compilare i campi di testo e premere Salva."));
        row("fleet", 5,
            QStringLiteral("Per aggiornare una scheda esistente, bisogna richiamarla nella finestra di "
                           "lavoro, apportare le modifiche desiderate e premere Salva."));
        row("fleet", 6,
            QStringLiteral("Il pulsante Carica foto permette di inserire l'immagine della bicicletta in "
                           "formato Jpeg o Bitmap nella scheda tecnica descrittiva."));
        row("fleet", 7,
            QStringLiteral("Il pulsante Duplica è utile se si deve registrare la scheda di una nuova "
                           "bicicletta che ha molti elementi in comune con quella di un veicolo già in "
                           "archivio."));
        row("fleet", 8,
            QStringLiteral(
                "Il programma consente di allegare a ciascuna scheda file esterni di qualsiasi genere"));
        row("fleet", 9,
            QStringLiteral("Il pulsante Trova consente di effettuare ricerche avanzate in archivio "
                           "funzionanti anche con chiave parziale"));
        row("fleet", 10,
            QStringLiteral("La scheda tecnica descrittiva completa di foto di ciascuna bicicletta può essere "
                           "visualizzata in anteprima o stampata su carta, mentre l'intero archivio della "
                           "flotta bici può essere esportato in un file di Excel."));
        row("planner", 0,
            QStringLiteral("L'app Planner Prenotazioni mette a disposizione un planning annuale"));
        row("planner", 1, QStringLiteral("Visualizzato il planner annuale"));
        row("planner", 2, QStringLiteral("Il pulsante Intervallo consente di registrare velocemente"));
        row("planner", 3,
            QStringLiteral("E' possibile registrare prenotazioni non solo per l'anno corrente"));
        row("planner", 4, QStringLiteral("E' quindi chiaro che il planner annuale va aperto"));
        row("planner", 5, QStringLiteral("Il pulsante Riepilogo permette di ottenere l'elenco"));
        row("planner", 6, QStringLiteral("Il planning annuale relativo a ciascuna bicicletta"));
        row("contracts", 0,
            QStringLiteral(
                "L'app Contratti di Noleggio consente di redigere contratti di noleggio di biciclette"));
        row("contracts", 1, QStringLiteral("Per inserire un contratto in archivio"));
        row("contracts", 2,
            QStringLiteral("Il contratto di noleggio messo a disposizione dal software occupa due pagine"));
        row("contracts", 3,
            QStringLiteral("L'app consente di gestire anche la Scheda di verifica stato veicolo"));
        row("contracts", 4, QStringLiteral("In ciascun contratto è possibile inserire"));
        row("contracts", 5, QStringLiteral("Spuntando la casella"));
        row("contracts", 6, QStringLiteral("Per trovare uno o più contratti di noleggio"));
        row("contracts", 7, QStringLiteral("La funzione Allega file"));
        row("contracts", 8,
            QStringLiteral(
                "Un apposito pulsante consente di visualizzare ed eventualmente modificare il logo"));
        row("contracts", 9,
            QStringLiteral("Gli archivi dei contratti di noleggio di biciclette possono essere esportati "
                           "in formato Excel."),
            true);
        row("launcher", 0,
            QStringLiteral("Rotaflux è un software rivolto alle ditte di noleggio di bici, e-bike, mountain "
                           "bike ecc. per gestire i contratti di locazione dei mezzi, il parco biciclette e "
                           "le prenotazioni dei clienti."));
        row("launcher", 29,
            QStringLiteral("Il software funziona anche in una rete locale se si ha necessità di condividere "
                           "gli archivi fra più postazioni di lavoro."),
            true);
        row("launcher", 30, QStringLiteral("Rotaflux può essere utilizzato anche su chiavetta USB."));
        row("launcher", 31,
            QStringLiteral("Conformemente alla normativa sulla privacy, l'accesso al software è protetto "
                           "da una password"));
        row("launcher", 32,
            QStringLiteral("Rotaflux è quindi lo strumento ideale per le ditte di noleggio bici"));
    }

    void paragraphsOpenWithTheirFixedWords()
    {
        QFETCH(QString, list);
        QFETCH(int, index);
        QFETCH(QString, opening);
        QFETCH(bool, whole);
        const QStringList paragraphs = list == QLatin1String("fleet")       ? rf::Guide::fleetParagraphs()
                                       : list == QLatin1String("planner")   ? rf::Guide::plannerParagraphs()
                                       : list == QLatin1String("contracts") ? rf::Guide::contractsParagraphs()
                                                                            : rf::Guide::launcherParagraphs();
        const QString paragraph = paragraphs.value(index);
        QVERIFY2(paragraph.startsWith(opening), qPrintable(paragraph));
        if (whole)
            QCOMPARE(paragraph, opening);
    }

    void passwordParagraphGivesTheFirstAccessPassword()
    {
        const QString paragraph = rf::Guide::launcherParagraphs().value(31);
        QVERIFY2(paragraph.contains(QStringLiteral("\"primaveraverde\" (scritta senza le virgolette)")),
                 qPrintable(paragraph));
    }

    void guideShowsTopicAndOpensQuotedPdfPath()
    {
        FakeContext fake;
        rf::TfrmGuida guide(fake.context(), nullptr);
        QCOMPARE(guide.windowTitle(), QStringLiteral(" Guida all'utilizzo del software"));
        auto* title = guide.findChild<QLabel*>(QStringLiteral("lblTitolo"));
        auto* text = guide.findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"));
        auto* link = guide.findChild<rf::LinkLabel*>(QStringLiteral("lnkWeb"));
        auto* icon = guide.findChild<QLabel*>(QStringLiteral("imgPDF"));
        QVERIFY(title && text && link && icon && guide.findChild<QLabel*>(QStringLiteral("imgLogo")));
        QCOMPARE(title->text(), QStringLiteral("Argomento della guida."));
        QVERIFY(text->isReadOnly());

        const QStringList planner = rf::Guide::plannerParagraphs();
        guide.setTopic(rf::Guide::PlannerTitle, rf::Guide::join(planner));
        QCOMPARE(title->text(), QStringLiteral("App Planner Prenotazioni"));
        // Each paragraph is a block of its own with one empty block between two paragraphs.
        const QStringList blocks = text->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(blocks.size(), planner.size() * 2 - 1);
        for (int i = 0; i < planner.size(); ++i)
            QCOMPARE(blocks.at(i * 2), planner.at(i));

        guide.show();
        QCOMPARE(guide.size(), QSize(670, 572));

        // Held on the icon the link turns orange; released elsewhere it is blue again and opens nothing.
        QCOMPARE(link->textColor(), LinkBlue);
        QTest::mousePress(icon, Qt::LeftButton);
        QCOMPARE(link->textColor(), LinkOrange);
        QTest::mouseRelease(icon, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(link->textColor(), LinkBlue);
        QVERIFY(fake.shell().opened.isEmpty());

        QTest::mousePress(link, Qt::LeftButton);
        QCOMPARE(link->textColor(), LinkOrange);
        QTest::mouseRelease(link, Qt::LeftButton);
        QCOMPARE(link->textColor(), LinkBlue);
        QTest::mouseClick(icon, Qt::LeftButton);
        const QString pdf = QLatin1Char('"') + fake.context().dataFolder() + QStringLiteral("Guida.pdf\"");
        QCOMPARE(fake.shell().opened, QStringList({pdf, pdf}));
    }

    void showGuideRunsModallyAndCloses()
    {
        FakeContext fake;
        QWidget owner;
        owner.show();
        bool sawGuide = false;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            poll.stop();
            auto* guide = qobject_cast<rf::TfrmGuida*>(modal);
            auto* close = modal->findChild<QPushButton*>(QStringLiteral("btnChiudi"));
            sawGuide =
                guide && close && guide->parentWidget() == &owner &&
                guide->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text() == rf::Guide::FleetTitle;
            if (close)
                QTest::mouseClick(close, Qt::LeftButton);
            else
                modal->close();
        });
        poll.start();
        rf::TfrmGuida::showGuide(fake.context(), &owner, rf::Guide::FleetTitle, rf::Guide::fleetParagraphs());
        QVERIFY(sawGuide);
        QVERIFY(owner.findChildren<rf::TfrmGuida*>().isEmpty());
    }

    void infoAndCreditsLinksOpenTheirAddresses()
    {
        FakeContext fake;
        const QString mail = QString::fromUtf8(rf::Product::SupportEmail);
        const QString site = QString::fromUtf8(rf::Product::WebSite);

        rf::TfrmInfo info(fake.context(), nullptr);
        QCOMPARE(info.windowTitle(), QStringLiteral(" Informazioni su Rotaflux"));
        auto* mailLink = info.findChild<rf::LinkLabel*>(QStringLiteral("lnkWeb"));
        QVERIFY(mailLink && info.findChild<QLabel*>(QStringLiteral("imgEmail")));
        QCOMPARE(mailLink->text(), mail);
        QTest::mouseClick(info.findChild<QLabel*>(QStringLiteral("imgEmail")), Qt::LeftButton);

        rf::TfrmSplash credits(fake.context(), nullptr);
        QVERIFY(credits.windowTitle().startsWith(QStringLiteral(" Rotaflux")));
        QVERIFY(credits.windowTitle().contains(QString::fromUtf8(rf::Product::Maker)));
        auto* webLink = credits.findChild<rf::LinkLabel*>(QStringLiteral("lnkWeb"));
        QVERIFY(webLink && credits.findChild<QLabel*>(QStringLiteral("imgWeb")));
        QCOMPARE(webLink->text(), site);
        QTest::mouseClick(webLink, Qt::LeftButton);

        QCOMPARE(fake.shell().opened,
                 QStringList({QStringLiteral("\"mailto:") + mail + QLatin1Char('"'), site}));
    }
};

RF_REGISTER_TEST(GuideTest)
#include "GuideTest.moc"
