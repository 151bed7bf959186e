#include "entry/FieldText.h"

#include <QTest>

/// How the number boxes' texts are read by the checks and the reading request.
class FieldTextTest : public QObject
{
    Q_OBJECT

private slots:
    void numericValue_data();
    void numericValue();
    void trimSpacesRemovesOnlyOuterSpaces();
};

void FieldTextTest::numericValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("digits") << "59" << true << 59.0;
    QTest::newRow("leading zeros") << "08" << true << 8.0;
    QTest::newRow("double zero") << "00" << true << 0.0;
    QTest::newRow("spaces around") << "  12 " << true << 12.0;
    QTest::newRow("minus sign") << "-13" << true << -13.0;
    QTest::newRow("pasted fraction") << "5.5" << true << 5.5;
    QTest::newRow("fraction without whole part") << ".5" << true << 0.5;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("spaces only") << "   " << false << 0.0;
    QTest::newRow("one minus") << "-" << false << 0.0;
    QTest::newRow("two minus") << "--" << false << 0.0;
    QTest::newRow("three minus") << "---" << false << 0.0;
    QTest::newRow("minus between digits") << "1-2" << false << 0.0;
    QTest::newRow("doubled minus before digits") << "--5" << false << 0.0;
    QTest::newRow("minus after digits") << "5-" << false << 0.0;
    QTest::newRow("letters after digits") << "12abc" << false << 0.0;
    QTest::newRow("space inside") << "1 2" << false << 0.0;
    QTest::newRow("exponent") << "1e3" << false << 0.0;
    QTest::newRow("plus sign") << "+5" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("decimal comma") << "1,5" << false << 0.0;
    QTest::newRow("lone point") << "." << false << 0.0;
    QTest::newRow("tab before digits") << "\t5" << false << 0.0;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0663") << false << 0.0;
}

void FieldTextTest::numericValue()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);

    const std::optional<double> read = FieldText::numericValue(text);
    QCOMPARE(read.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*read, value);
}

void FieldTextTest::trimSpacesRemovesOnlyOuterSpaces()
{
    QCOMPARE(FieldText::trimSpaces(QStringLiteral("  JOHN  DOE ")), QStringLiteral("JOHN  DOE"));
    QCOMPARE(FieldText::trimSpaces(QStringLiteral("    ")), QString());
    QCOMPARE(FieldText::trimSpaces(QStringLiteral("\tA")), QStringLiteral("\tA"));
}

QTEST_APPLESS_MAIN(FieldTextTest)
#include "FieldTextTest.moc"
