#include <QtTest>
class SmtpTransmissionTest : public QObject {
    Q_OBJECT
};
QTEST_MAIN(SmtpTransmissionTest)
#include "SmtpTransmissionTest.moc"
