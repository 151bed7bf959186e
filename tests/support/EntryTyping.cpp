#include "support/EntryTyping.h"

#include "birth/BirthDataChecks.h"
#include "birth/ExampleBirths.h"
#include "support/WindowControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

QString qText(const std::string& text)
{
    return QString::fromStdString(text);
}

/// An option button clicked on its round mark, as a user aims at it.
void clickOption(QRadioButton* option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

} // namespace

void typeInto(QWidget* field, const QString& text)
{
    QVERIFY(field != nullptr);
    QTest::mouseClick(field, Qt::LeftButton);
    if (auto* box = qobject_cast<QLineEdit*>(field)) {
        QCOMPARE(QApplication::focusWidget(), field);
        QTest::keyClick(box, Qt::Key_End);
        while (!box->text().isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    } else {
        auto* list = qobject_cast<QComboBox*>(field);
        QWidget* popupList = QApplication::focusWidget();
        QVERIFY(list != nullptr && popupList != nullptr && popupList != field);
        QTest::keyClick(popupList, Qt::Key_Home);
        if (list->itemText(0) != text) // searching from the first item would pass over it
            QTest::keyClicks(popupList, text);
        QTest::keyClick(popupList, Qt::Key_Return);
    }
}

void typeBirth(QWidget& entry, const modEphemeris::BirthData& birth)
{
    const EntryControls ui(entry);
    const birth::BirthDataFields fields = birth::FieldsFor(birth);
    typeInto(ui.txtName, qText(fields.name));
    typeInto(ui.cboMonth, qText(fields.month));
    typeInto(ui.cboDate, qText(fields.day));
    typeInto(ui.cboYear, qText(fields.year));
    typeInto(ui.cboHH, qText(fields.hour));
    typeInto(ui.cboMM, qText(fields.minute));
    typeInto(ui.txtZoneHour, qText(fields.zoneHour));
    typeInto(ui.txtZoneMinute, qText(fields.zoneMinute));
    if (ui.chkDST->isChecked() != fields.daylightSaving)
        QTest::mouseClick(ui.chkDST, Qt::LeftButton, {}, QPoint(6, ui.chkDST->height() / 2));
    typeInto(ui.txtLonD, qText(fields.longitudeDegrees));
    typeInto(ui.txtLonM, qText(fields.longitudeMinutes));
    clickOption(ui.optLong[fields.east ? 0 : 1]);
    typeInto(ui.txtLatD, qText(fields.latitudeDegrees));
    typeInto(ui.txtLatM, qText(fields.latitudeMinutes));
    clickOption(ui.optLat[fields.south ? 1 : 0]);
    const auto& place = birth::kWorkedExamplePlace;
    typeInto(ui.txtMCity, QString::fromUtf8(place[0].data(), qsizetype(place[0].size())));
    typeInto(ui.txtMState, QString::fromUtf8(place[1].data(), qsizetype(place[1].size())));
    typeInto(ui.txtMCountry, QString::fromUtf8(place[2].data(), qsizetype(place[2].size())));
}

void typeWorkedExample(QWidget& entry)
{
    typeBirth(entry, birth::WorkedExample());

    const QStringList typed{"txtName=ASHA RAO",
                            "txtZoneHour=5",
                            "txtZoneMinute=30",
                            "txtLonD=77",
                            "txtLonM=13",
                            "txtLatD=28",
                            "txtLatM=37",
                            "cboMonth=January",
                            "cboDate=1",
                            "cboYear=2000",
                            "cboHH=12",
                            "cboMM=0",
                            "DST=0",
                            "East=1",
                            "South=0"};
    const QStringList fields = entryFields(entry);
    for (const QString& field : typed)
        QVERIFY2(fields.contains(field), qPrintable(field));
}

QStringList entryFields(const QWidget& entry)
{
    const EntryControls ui(entry);
    QStringList fields;
    for (const QLineEdit* box :
         {ui.txtName, ui.txtZoneHour, ui.txtZoneMinute, ui.txtLonD, ui.txtLonM, ui.txtLatD,
          ui.txtLatM, ui.txtMCity, ui.txtMState, ui.txtMCountry})
        fields << box->objectName() + QLatin1Char('=') + box->text();
    for (const QComboBox* list :
         {ui.cboMonth, ui.cboDate, ui.cboYear, ui.cboHH, ui.cboMM, ui.cboSS})
        fields << list->objectName() + QLatin1Char('=') + list->currentText();
    fields << QStringLiteral("DST=%1").arg(ui.chkDST->checkState());
    fields << QStringLiteral("East=%1").arg(ui.optLong[0]->isChecked());
    fields << QStringLiteral("South=%1").arg(ui.optLat[1]->isChecked());
    return fields;
}
