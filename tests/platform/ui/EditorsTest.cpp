#include "db/Dataset.h"
#include "platform/ui/BrowseEdit.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/HeaderBand.h"
#include "platform/ui/IntSpinEdit.h"
#include "platform/ui/LookupBox.h"
#include "platform/ui/LowerCaseEdit.h"
#include "platform/ui/MemoEdit.h"
#include "platform/ui/NumberEdit.h"
#include "platform/ui/RadioGroup.h"
#include "platform/ui/UpperCaseEdit.h"
#include "support/ScreenDriver.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace skmtest;
using db::Decimal;

namespace {

Decimal dec(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text));
}

// Editors read the workstation's locale; tests fix it.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleScope() { QLocale::setDefault(QLocale::c()); }
};

const QLocale indonesian(QLocale::Indonesian, QLocale::Indonesia);

} // namespace

TEST(NumberEdit, ShowsFormattedWithoutFocusAndPlainWhileEditing) {
    LocaleScope ls(indonesian);
    struct Case {
        QString mask;
        const char* typed;
        const char* value;
        QString shown;
    };
    const std::vector<Case> cases = {
        {"#,##0.00;(#,##0.00)", "1234567,5", "1234567.5", "1.234.567,50"},
        {"#,##0.00;(#,##0.00)", "-1234,567", "-1234.57", "(1.234,57)"},
        {"#,##0.00;(#,##0.00)", "(12)", "-12", "(12,00)"},
        {"#,##0;(#,##0)", "1.500.000", "1500000", "1.500.000"},
        {"#,##0;(#,##0)", "2,5", "3", "3"}, // rounded half away from zero
        {"#,##0.0000;(#,##0.0000)", "0,12345", "0.1235", "0,1235"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        auto* edit = new ui::NumberEdit(&w);
        edit->setObjectName("txtAmount");
        edit->setDisplayFormat(c.mask);
        layout->addWidget(edit);
        layout->addWidget(new QLineEdit(&w));
        ScreenDriver drv(&w);
        drv.show();
        QSignalSpy spy(edit, &ui::NumberEdit::valueChanged);
        drv.enter("txtAmount", c.typed);
        EXPECT_EQ(edit->value(), dec(c.value));
        EXPECT_EQ(edit->text(), c.shown);
        EXPECT_EQ(spy.count(), 1);
        EXPECT_DOUBLE_EQ(edit->toDouble(), dec(c.value).toDouble());
        drv.focus("txtAmount");
        EXPECT_FALSE(edit->text().contains('.')) << "no grouping while editing";
        EXPECT_EQ(edit->parse(edit->text()).value_or(Decimal()), dec(c.value));
    }
}

TEST(NumberEdit, EmptyBadInputAndReadOnly) {
    LocaleScope ls(indonesian);
    QWidget w;
    auto* layout = new QVBoxLayout(&w);
    auto* edit = new ui::NumberEdit(&w);
    edit->setObjectName("txtVolume");
    edit->setDecimals(2);
    layout->addWidget(edit);
    layout->addWidget(new QLineEdit(&w));
    ScreenDriver drv(&w);
    drv.show();
    EXPECT_TRUE(edit->isNull());
    edit->setValue(dec("12.5"));
    EXPECT_EQ(edit->text(), "12,50");
    drv.enter("txtVolume", "");
    EXPECT_TRUE(edit->isNull());
    EXPECT_TRUE(edit->value().isZero());
    edit->setNeverEmpty(true);
    EXPECT_FALSE(edit->isNull());
    EXPECT_EQ(edit->text(), "0,00");
    edit->setValue(QVariant());
    EXPECT_EQ(edit->text(), "0,00");
    // Not a number (the validator lets separators through): the previous value stays.
    edit->setValue(7);
    drv.enter("txtVolume", "1,2,3");
    EXPECT_EQ(edit->value(), dec("7"));
    EXPECT_EQ(edit->text(), "7,00");
    // Letters are refused as they are typed.
    drv.enter("txtVolume", "8abc");
    EXPECT_EQ(edit->value(), dec("8"));
    edit->setDisplayFormat("#,##0.00;(#,##0.00)");
    edit->setReadOnly(true);
    edit->setValue(dec("-5"));
    drv.focus("txtVolume");
    EXPECT_EQ(edit->text(), "(5,00)") << "read-only stays formatted";
    EXPECT_EQ(edit->variantValue().value<Decimal>(), dec("-5"));
}

TEST(DateEdit, EmptyTypedAndPickedDates) {
    LocaleScope ls(indonesian);
    QWidget w;
    auto* layout = new QVBoxLayout(&w);
    auto* date = new ui::DateEdit(&w);
    date->setObjectName("datSPK");
    layout->addWidget(date);
    layout->addWidget(new QLineEdit(&w));
    ScreenDriver drv(&w);
    drv.show();
    EXPECT_TRUE(date->isNull());
    QSignalSpy spy(date, &ui::DateEdit::dateChanged);
    struct Case {
        QString typed;
        QDate expected;
    };
    const QDate start(2013, 1, 25);
    date->setDate(start);
    EXPECT_EQ(date->text(), "25/01/2013");
    const std::vector<Case> cases = {
        {"3/2/2013", QDate(2013, 2, 3)},    {"04/02/13", QDate(2013, 2, 4)},
        {"31/02/2013", QDate(2013, 2, 4)}, // not a date: unchanged
        {"abc", QDate(2013, 2, 4)},         {"", QDate()},
        {"01/12/2024", QDate(2024, 12, 1)},
    };
    for (const Case& c : cases) {
        drv.enter("datSPK", c.typed);
        EXPECT_EQ(date->date(), c.expected) << c.typed.toStdString();
        EXPECT_EQ(date->text(), c.expected.isValid() ? c.expected.toString("dd/MM/yyyy") : "");
    }
    EXPECT_EQ(spy.count(), 5);
    date->setDate(QDate(2024, 2, 30)); // invalid = empty
    EXPECT_TRUE(date->isNull());
    QCalendarWidget* cal = date->showCalendar();
    ASSERT_NE(cal, nullptr);
    emit cal->clicked(QDate(2020, 5, 6));
    EXPECT_EQ(date->date(), QDate(2020, 5, 6));
}

namespace {

std::unique_ptr<db::Dataset> companies() {
    auto ds = std::make_unique<db::Dataset>();
    ds->loadRows({{"CompanyID", db::FieldType::Integer},
                  {"CompanyCode", db::FieldType::Text},
                  {"CompanyName", db::FieldType::Text}},
                 {{1, "KAL", "PT Kalveo Group"},
                  {7, "BDS", "CV Budi Santoso"},
                  {9, "MDR", "Mandor Sejahtera"}});
    return ds;
}

} // namespace

TEST(LookupBox, PicksByKeyOrTextAndFollowsTheDataset) {
    auto ds = companies();
    QWidget w;
    auto* layout = new QVBoxLayout(&w);
    auto* box = new ui::LookupBox(&w);
    box->setObjectName("cboCompany");
    box->setDataset(ds.get());
    box->setFields("CompanyID", "CompanyName",
                   {{"CompanyCode", "Kode", 60}, {"CompanyName", "Nama", 200}});
    layout->addWidget(box);
    layout->addWidget(new QLineEdit(&w));
    ScreenDriver drv(&w);
    drv.show();
    QSignalSpy spy(box, &ui::LookupBox::valueChanged);
    EXPECT_TRUE(box->isNull());

    drv.pickKey("cboCompany", 7);
    EXPECT_EQ(box->value().toInt(), 7);
    EXPECT_EQ(box->displayText(), "CV Budi Santoso");
    EXPECT_EQ(box->comboBox()->currentText(), "CV Budi Santoso");
    EXPECT_EQ(box->currentRow(), 1);

    drv.pickText("cboCompany", "mandor sejahtera");
    EXPECT_EQ(box->value().toInt(), 9);
    // Typing the shown text and leaving picks it; unknown text keeps the value.
    drv.enter("cboCompany", "PT Kalveo Group");
    EXPECT_EQ(box->value().toInt(), 1);
    drv.enter("cboCompany", "tidak ada");
    EXPECT_EQ(box->value().toInt(), 1);
    EXPECT_EQ(box->comboBox()->currentText(), "PT Kalveo Group");
    drv.enter("cboCompany", "");
    EXPECT_TRUE(box->isNull());
    EXPECT_EQ(spy.count(), 4);

    EXPECT_FALSE(box->setValue(99));
    EXPECT_TRUE(box->isNull());
    // The drop-down lists the columns with captions.
    EXPECT_EQ(box->model()->headerData(0, Qt::Horizontal).toString(), "Kode");
    EXPECT_EQ(box->model()->data(box->model()->index(2, 0)).toString(), "MDR");

    // Reopened dataset: the value stays while its row is there, else it empties.
    box->setValue(9);
    ds->loadRows({{"CompanyID", db::FieldType::Integer},
                  {"CompanyCode", db::FieldType::Text},
                  {"CompanyName", db::FieldType::Text}},
                 {{9, "MDR", "Mandor Sejahtera Baru"}});
    EXPECT_EQ(box->value().toInt(), 9);
    EXPECT_EQ(box->comboBox()->currentText(), "Mandor Sejahtera Baru");
    ds->loadRows({{"CompanyID", db::FieldType::Integer},
                  {"CompanyCode", db::FieldType::Text},
                  {"CompanyName", db::FieldType::Text}},
                 {{1, "KAL", "PT Kalveo Group"}});
    EXPECT_TRUE(box->isNull());
    EXPECT_EQ(box->comboBox()->currentText(), "");
}

TEST(CaseEdits, ConvertTypedAndSetText) {
    struct Case {
        ui::UpperCaseEdit::Case mode;
        QString typed;
        QString expected;
    };
    for (const Case& c : {Case{ui::UpperCaseEdit::Case::Upper, "spk-001a", "SPK-001A"},
                          Case{ui::UpperCaseEdit::Case::Lower, "Budi.Santoso", "budi.santoso"}}) {
        QWidget w;
        auto* layout = new QVBoxLayout(&w);
        auto* edit = new ui::UpperCaseEdit(c.mode, &w);
        edit->setObjectName("txtCode");
        layout->addWidget(edit);
        ScreenDriver drv(&w);
        drv.show();
        drv.type("txtCode", c.typed);
        EXPECT_EQ(edit->text(), c.expected);
        drv.key("txtCode", Qt::Key_Home);
        drv.type("txtCode", "x");
        EXPECT_EQ(edit->cursorPosition(), c.expected.size() + 1) << "typing appends at the end";
        edit->setText(c.typed);
        EXPECT_EQ(edit->text(), c.expected);
    }
    ui::LowerCaseEdit lower;
    lower.setText("ADMIN");
    EXPECT_EQ(lower.text(), "admin");
}

TEST(SmallEditors, BrowseMemoSpinRadioHeader) {
    QWidget w;
    auto* layout = new QVBoxLayout(&w);
    auto* browse = new ui::BrowseEdit(&w);
    browse->setObjectName("txtFile");
    auto* memo = new ui::MemoEdit(&w);
    memo->setObjectName("txtNote");
    memo->setMaxLength(10);
    auto* spin = new ui::IntSpinEdit(&w);
    spin->setObjectName("spnWeek");
    auto* radio = new ui::RadioGroup("Jenis", {"Volume", "Persentase"}, &w);
    radio->setObjectName("rgType");
    auto* header = new ui::HeaderBand(&w);
    header->setCaption("SPK Mandor - Entry");
    for (QWidget* c : std::initializer_list<QWidget*>{browse, memo, spin, radio, header})
        layout->addWidget(c);
    ScreenDriver drv(&w);
    drv.show();

    int browsed = 0;
    QObject::connect(browse, &ui::BrowseEdit::browseClicked, [&] {
        ++browsed;
        browse->setText("/data/spk.xls");
    });
    browse->setReadOnly(true);
    drv.type("txtFile", "abc");
    EXPECT_EQ(browse->text(), "");
    drv.click("btnBrowse");
    EXPECT_EQ(browsed, 1);
    EXPECT_EQ(browse->text(), "/data/spk.xls");

    drv.type("txtNote", "Pekerjaan pondasi");
    EXPECT_EQ(memo->text(), "Pekerjaan ");
    memo->setText("0123456789ABC");
    EXPECT_EQ(memo->text(), "0123456789");

    drv.enter("spnWeek", "-42");
    EXPECT_EQ(spin->value(), -42);

    QSignalSpy spy(radio, &ui::RadioGroup::itemIndexChanged);
    EXPECT_EQ(radio->itemIndex(), -1);
    drv.click("rgType_1");
    EXPECT_EQ(radio->itemIndex(), 1);
    drv.setItemIndex("rgType", 0);
    EXPECT_EQ(radio->itemIndex(), 0);
    radio->setItemIndex(-1);
    EXPECT_EQ(radio->itemIndex(), -1);
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(qvariant_cast<int>(spy.last().at(0)), -1);

    EXPECT_EQ(header->text(), " [ SPK Mandor - Entry ] ");
    EXPECT_TRUE(header->font().bold());
    EXPECT_EQ(header->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(header->palette().color(QPalette::WindowText), QColor(Qt::white));
    header->setTextColor(Qt::yellow);
    EXPECT_EQ(header->palette().color(QPalette::WindowText), QColor(Qt::yellow));
}
