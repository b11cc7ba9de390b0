#include "mail/CoveringLetter.h"

#include "app/Clock.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <initializer_list>

namespace {

using Lines = std::initializer_list<const char*>;

const Lines kOpening = {
    R"(<table>)",
    R"(<tr>)",
    R"(<td>)",
    R"(<font face="Arial" size="2" color="#000000">Geachte mevrouw / mijnheer,</font><br><br>)",
};

const char* const kReportNameBefore =
    R"(<font face="Arial" size="2" color="#000000">In de bijlage ontvangt u het rapport )";
const char* const kReportNameAfter = R"( met onderstaande kenmerken.</font><br><br>)";

const Lines kParticulars = {
    R"(<table align="left" bordercolor="#99CC00" width="500" bgcolor="#FFFFFF" rules="rows">)",
    R"(<tr>)",
    R"(<td><font face="Arial" size="2" color="#000000">Verwerkingsdatum:</font></td>)",
    R"(<td><font face="Arial" size="2" color="#000000">[A]</font></td>)",
    R"(</tr>)",
    R"(<tr>)",
    R"(<td><font face="Arial" size="2" color="#000000">Versienummer rapport:</font></td>)",
    R"(<td><font face="Arial" size="2" color="#000000">[B]</font></td>)",
    R"(</tr>)",
    R"(<tr>)",
    R"(<td><font face="Arial" size="2" color="#000000">Interval (aantal dagen):</font></td>)",
    R"(<td><font face="Arial" size="2" color="#000000">[E]</font></td>)",
    R"(</tr>)",
    R"(<tr>)",
    R"(<td><font face="Arial" size="2" color="#FF0000"></font> </td>)",
    R"(<td><font face="Arial" size="2" color="#000000"></font> </td>)",
    R"(</tr>)",
    R"(<tr>)",
    R"(<td><font face="Arial" size="2" color="#FF0000"><br>Bijgesloten rapporten:</font></td>)",
    R"(<td><font face="Arial" size="2" color="#000000"></font></td>)",
    R"(</tr>)",
};

const char* const kPdfRowHead = R"(<td><font face="Arial" size="2" color="#FF0000">Rapport</font></td>)";
const char* const kPdfNameBefore = R"(<td><font face="Arial" size="2" color="#FF0000">)";
const char* const kPdfNameAfter = R"(</font></td>)";

const Lines kQuestions = {
    R"(</table>)",
    R"(</td>)",
    R"(</tr>)",
    R"(<tr>)",
    R"(<td>)",
    R"(<br>)",
    R"(<table align="left" width="400" bgcolor="#FFFFFF" rules="rows" border="0">)",
    R"(<tr>)",
    R"(<td><font face="Arial" size="2" color="#008000"><b>Veel gestelde vragen:</b></font></td>)",
    R"(</tr>)",
    R"(<tr>)",
    R"(<td><font face="Arial" size="2" color="#008000"><ul type="circle">)",
    R"(<li>Waarom ontvang ik dit rapport?<br><font face="Arial" size="2")",
    R"(color="#000000">Uw email adres werd ingesteld als ontvanger van het rapport in de bijlage en het rapport is actief.</font>)",
    R"(<li>Hoe stel ik het aantal dagen in van dit rapport?<br>)",
    R"(<font face="Arial" size="2" color="#000000">Uw systeembeheerder kan aangeven hoeveel dagen er tussen elk rapport moet zitten voor u een bijgewerkte versie ontvangt per email.</font>)",
    R"(</ul></font></td>)",
    R"(</tr>)",
    R"(<tr>)",
};

const char* const kCompanyBefore =
    R"(<td><font face="Arial" size="2" color="#000000">Met vriendelijke groet,<br><br>)";
const char* const kCompanyAfter = R"(</font></td>)";

const Lines kClosing = {
    R"(</tr>)", R"(</table>)", R"(</td>)", R"(</tr>)", R"(</table>)",
};

const Lines kDisclaimer = {
    R"(<BR><SMALL>** DISCLAIMER **<BR>)",
    R"(De inhoud van dit bericht en de eventueel daarbij behorende bijlagen zijn persoonlijk gericht aan en derhalve uitsluitend bestemd voor de geadresseerde. Zij kunnen gegevens met betrekking tot een derde bevatten. )",
    R"(De ontvanger die niet de geadresseerde is, noch bevoegd is dit bericht namens geadresseerde te ontvangen, wordt verzocht de afzender onmiddellijk op de hoogte te stellen van de ontvangst. )",
    R"(Elk gebruik van de inhoud van dit bericht en/of van de daarbij behorende bijlagen door een ander dan de geadresseerde is onrechtmatig jegens afzender respectievelijk de hiervoor bedoelde derde.<BR>)",
    R"(</SMALL><BR><BR>)",
};

void append(QStringList& lines, Lines block) {
    for (const char* line : block)
        lines << QString::fromUtf8(line);
}

// Only A to Z: the letter must not change accented or other letters of a report or file name.
QString lowerAsciiLetters(QString text) {
    for (QChar& c : text) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return text;
}

QString dateText(const QDateTime& moment) {
    return moment.toString(QStringLiteral("dd-MM-yyyy"));
}

// Lines as a text box would show them: "\r\n", "\n" and "\r" all end a line, and a final line break
// does not start another, empty line.
QStringList storedLines(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineBreak);
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QList<MailAddress> recipientsOf(const MailSubscription& subscription) {
    return MailAddress::parseList(subscription.tra_email_1) +
           MailAddress::parseList(subscription.tra_email_2);
}

} // namespace

CoveringLetter::CoveringLetter(const Clock& clock, QString version)
    : m_clock(clock), m_version(std::move(version)) {}

ReportMail CoveringLetter::compose(const MailSubscription& subscription, const CompanySettings& company,
                                   const QString& pdfPath, const std::optional<QString>& storedText) const {
    ReportMail mail;
    mail.letter = storedText ? storedLines(*storedText) : builtInLetter(subscription, company, pdfPath);
    append(mail.letter, kDisclaimer);
    mail.subject = subscription.tra_omschrijving;
    mail.sender = {company.CompanyName, company.Postmaster.trimmed()};
    mail.recipients = recipientsOf(subscription);
    return mail;
}

QStringList CoveringLetter::builtInLetter(const MailSubscription& subscription,
                                          const CompanySettings& company, const QString& pdfPath) const {
    QStringList lines;
    append(lines, kOpening);
    lines << QString::fromUtf8(kReportNameBefore) + lowerAsciiLetters(subscription.tra_omschrijving) +
                 QString::fromUtf8(kReportNameAfter);
    append(lines, kParticulars);
    if (QFileInfo(pdfPath).isFile()) {
        lines << QStringLiteral("<tr>") << QString::fromUtf8(kPdfRowHead)
              << QString::fromUtf8(kPdfNameBefore) + lowerAsciiLetters(QFileInfo(pdfPath).fileName()) +
                     QString::fromUtf8(kPdfNameAfter)
              << QStringLiteral("</tr>");
    }
    append(lines, kQuestions);
    lines << QString::fromUtf8(kCompanyBefore) + company.CompanyName + QString::fromUtf8(kCompanyAfter);
    append(lines, kClosing);

    const QList<std::pair<QString, QString>> markers = {
        {QStringLiteral("[A]"), m_clock.now().toString(QStringLiteral("dd-MM-yyyy HH:mm"))},
        {QStringLiteral("[B]"), m_version},
        {QStringLiteral("[C]"), dateText(subscription.tra_laatste_rapport)},
        {QStringLiteral("[D]"), dateText(subscription.tra_volgende_rapport)},
        {QStringLiteral("[E]"), QString::number(subscription.tra_dagen)},
    };
    // No marker spans a line break, so replacing line by line equals replacing in the joined text.
    for (const auto& [marker, value] : markers)
        lines.replaceInStrings(marker, value);
    return lines;
}
