#include "mail/CoveringLetter.h"
#include "FakeClock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using LineMap = QMap<int, QString>; // 1-based line number of the letter -> expected text
Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

const QStringList kDisclaimer = {
    "<BR><SMALL>** DISCLAIMER **<BR>",
    "De inhoud van dit bericht en de eventueel daarbij behorende bijlagen zijn persoonlijk gericht aan en "
    "derhalve uitsluitend bestemd voor de geadresseerde. Zij kunnen gegevens met betrekking tot een derde "
    "bevatten. ",
    "De ontvanger die niet de geadresseerde is, noch bevoegd is dit bericht namens geadresseerde te "
    "ontvangen, "
    "wordt verzocht de afzender onmiddellijk op de hoogte te stellen van de ontvangst. ",
    "Elk gebruik van de inhoud van dit bericht en/of van de daarbij behorende bijlagen door een ander dan de "
    "geadresseerde is onrechtmatig jegens afzender respectievelijk de hiervoor bedoelde derde.<BR>",
    "</SMALL><BR><BR>",
};

QString cell(const QString& color, const QString& text) {
    return QStringLiteral(R"(<td><font face="Arial" size="2" color="%1">%2</font></td>)").arg(color, text);
}

QStringList addressTexts(const QList<MailAddress>& addresses) {
    QStringList texts;
    for (const MailAddress& address : addresses)
        texts << (address.name.isEmpty() ? address.address : address.name + " <" + address.address + ">");
    return texts;
}

} // namespace

class CoveringLetterTest : public QObject {
    Q_OBJECT

private slots:
    void composesLetterSubjectSenderAndRecipients_data() {
        QTest::addColumn<std::optional<QString>>("storedText");
        QTest::addColumn<bool>("pdfExists");
        QTest::addColumn<QString>("reportName");
        QTest::addColumn<QString>("email1");
        QTest::addColumn<QString>("email2");
        QTest::addColumn<int>("letterLength"); // without the disclaimer
        QTest::addColumn<LineMap>("expectedLines");
        QTest::addColumn<QStringList>("expectedRecipients");

        const LineMap builtIn = {
            {1, "<table>"},
            {5, R"(<font face="Arial" size="2" color="#000000">In de bijlage ontvangt u het rapport )"
                "omzet ritten ÉÉn [a] met onderstaande kenmerken.</font><br><br>"},
            {9, cell("#000000", "14-03-2026 09:05")},
            {13, cell("#000000", "1.4.0.27")},
            {17, cell("#000000", "7")},
        };
        LineMap withPdf = builtIn;
        withPdf.insert(
            {{27, "<tr>"},
             {28, cell("#FF0000", "Rapport")},
             {29, cell("#FF0000", "zel_vodo_omzet Äb.pdf")},
             {30, "</tr>"},
             {31, "</table>"},
             {50, R"(<td><font face="Arial" size="2" color="#000000">Met vriendelijke groet,<br><br>)"
                  "Taxi \"De Ster\" & Zn</font></td>"},
             {55, "</table>"}});
        LineMap withoutPdf = builtIn;
        withoutPdf.insert({{26, "</tr>"}, {27, "</table>"}, {51, "</table>"}});

        QTest::newRow("built-in letter, PDF present")
            << std::optional<QString>() << true << "Omzet RITTEN ÉÉN [A]"
            << "a@taxi.nl"
            << "" << 55 << withPdf << QStringList{"a@taxi.nl"};
        QTest::newRow("built-in letter, no PDF: rows 27-30 left out")
            << std::optional<QString>() << false << "Omzet RITTEN ÉÉN [A]"
            << "a@taxi.nl"
            << "" << 51 << withoutPdf << QStringList{"a@taxi.nl"};
        QTest::newRow("stored letter: its own lines, markers kept")
            << std::optional<QString>("Beste klant,\r\nZie [A] en [E].\nGroet\r\rEinde\r\n") << true
            << "Omzet"
            << "a@taxi.nl, b@taxi.nl"
            << "c@taxi.nl" << 5
            << LineMap{{1, "Beste klant,"}, {2, "Zie [A] en [E]."}, {3, "Groet"}, {4, ""}, {5, "Einde"}}
            << QStringList{"a@taxi.nl", "b@taxi.nl", "c@taxi.nl"};
        QTest::newRow("empty stored letter: disclaimer only")
            << std::optional<QString>("") << true << "Omzet"
            << ""
            << " Jan <jan@taxi.nl> ;; ,d@taxi.nl " << 0 << LineMap{}
            << QStringList{"Jan <jan@taxi.nl>", "d@taxi.nl"};
        QTest::newRow("no recipients") << std::optional<QString>("x") << false << "Omzet"
                                       << " ; "
                                       << "" << 1 << LineMap{{1, "x"}} << QStringList{};
    }

    void composesLetterSubjectSenderAndRecipients() {
        QFETCH(std::optional<QString>, storedText);
        QFETCH(bool, pdfExists);
        QFETCH(QString, reportName);
        QFETCH(QString, email1);
        QFETCH(QString, email2);
        QFETCH(int, letterLength);
        QFETCH(LineMap, expectedLines);
        QFETCH(QStringList, expectedRecipients);

        QTemporaryDir dir;
        const QString pdfPath = dir.filePath("ZEL_VODO_Omzet ÄB.PDF");
        if (pdfExists) {
            QFile pdf(pdfPath);
            QVERIFY(pdf.open(QIODevice::WriteOnly));
        }
        FakeClock clock(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 59)));
        CompanySettings company;
        company.CompanyName = "Taxi \"De Ster\" & Zn";
        company.Postmaster = " post@taxi.nl ";
        MailSubscription subscription{reportName,
                                      7,
                                      email1,
                                      email2,
                                      QDateTime(QDate(2026, 3, 7), QTime(8, 0)),
                                      QDateTime(QDate(2026, 3, 14), QTime(8, 0))};

        const ReportMail mail =
            CoveringLetter(clock, "1.4.0.27").compose(subscription, company, pdfPath, storedText);

        QCOMPARE(mail.letter.size(), letterLength + kDisclaimer.size());
        QCOMPARE(mail.letter.mid(letterLength), kDisclaimer);
        for (auto it = expectedLines.cbegin(); it != expectedLines.cend(); ++it)
            QCOMPARE(mail.letter.at(it.key() - 1), it.value());
        QCOMPARE(mail.subject, reportName);
        QCOMPARE(mail.sender.name, company.CompanyName);
        QCOMPARE(mail.sender.address, QString("post@taxi.nl"));
        QCOMPARE(addressTexts(mail.recipients), expectedRecipients);
    }
};

QTEST_MAIN(CoveringLetterTest)
#include "CoveringLetterTest.moc"
