#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Hasil.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using db::Dataset;
using db::Decimal;
using db::FieldDef;
using db::FieldType;

namespace {

std::vector<QVector<QVariant>> rows(std::initializer_list<QVector<QVariant>> list) {
    return std::vector<QVector<QVariant>>(list);
}

QVariant dec(const char* text) {
    return QVariant::fromValue(Decimal::fromString(QString::fromLatin1(text)));
}

// Lines of a work order: RAP2ID, volume, price.
void loadLines(Dataset& ds) {
    ds.loadRows({{"RAP2ID", FieldType::Integer}, {"SPKDQuantity", FieldType::Decimal},
                 {"SPKDPriceAmount", FieldType::Decimal}},
                rows({{10, dec("2.5"), dec("1000")}, {20, dec("3"), dec("250.50")}}));
}

} // namespace

TEST(Dataset, FieldsAreFoundWhateverTheirCase) {
    Dataset ds;
    loadLines(ds);
    EXPECT_EQ(ds.fieldIndex(u"spkdquantity"), 1);
    EXPECT_EQ(ds.fieldIndex(u"SPKDQUANTITY"), 1);
    EXPECT_EQ(ds.fieldIndex(u"nothing"), -1);
    EXPECT_THROW(ds.value(0, u"nothing"), db::DbError);
    EXPECT_EQ(ds.value(1, u"Rap2Id").toInt(), 20);
}

TEST(Dataset, CurrentRowAndIteration) {
    Dataset ds;
    loadLines(ds);
    EXPECT_EQ(ds.currentRow(), 0);
    int seen = 0;
    for (ds.first(); !ds.atEnd(); ds.next())
        seen += ds.asInt(u"RAP2ID");
    EXPECT_EQ(seen, 30);
    ds.close();
    EXPECT_EQ(ds.currentRow(), -1);
    EXPECT_TRUE(ds.fieldValue(u"RAP2ID").isNull());
    EXPECT_EQ(ds.asInt(u"RAP2ID"), 0);
}

TEST(Dataset, CalculatedFieldFollowsEdits) {
    Dataset ds;
    ds.addCalculatedField(QStringLiteral("SPKDTotalAmount"), FieldType::Float,
                          [](const Dataset& d, int r) {
                              return d.toDouble(d.value(r, u"SPKDQuantity")) *
                                     d.toDouble(d.value(r, u"SPKDPriceAmount"));
                          });
    loadLines(ds);
    EXPECT_DOUBLE_EQ(ds.value(0, u"SPKDTotalAmount").toDouble(), 2500.0);
    ds.setValue(0, u"SPKDQuantity", QStringLiteral("4"));
    EXPECT_DOUBLE_EQ(ds.value(0, u"SPKDTotalAmount").toDouble(), 4000.0);
    EXPECT_EQ(ds.rowState(0), Dataset::RowState::Modified);
    EXPECT_THROW(ds.setValue(0, u"SPKDTotalAmount", 1), db::DbError);
}

TEST(Dataset, LookupFieldFollowsItsSource) {
    Dataset units;
    units.loadRows({{"MeasurementID", FieldType::Integer}, {"MeasurementCode", FieldType::Text}},
                   rows({{1, QStringLiteral("LS")}, {2, QStringLiteral("M2")}}));
    Dataset lines;
    lines.addLookupField(QStringLiteral("MeasurementCode"), FieldType::Text,
                         QStringLiteral("MeasurementID"), &units, QStringLiteral("MeasurementID"),
                         QStringLiteral("MeasurementCode"));
    lines.loadRows({{"MeasurementID", FieldType::Integer}}, rows({{2}, {1}, {9}, {QVariant()}}));
    EXPECT_EQ(lines.value(0, u"MeasurementCode").toString(), QStringLiteral("M2"));
    EXPECT_EQ(lines.value(1, u"MeasurementCode").toString(), QStringLiteral("LS"));
    EXPECT_TRUE(lines.value(2, u"MeasurementCode").isNull());
    EXPECT_TRUE(lines.value(3, u"MeasurementCode").isNull());
    // The source re-opened with other rows: the lookup must not serve stale values.
    units.loadRows({{"MeasurementID", FieldType::Integer}, {"MeasurementCode", FieldType::Text}},
                   rows({{2, QStringLiteral("M3")}}));
    EXPECT_EQ(lines.value(0, u"MeasurementCode").toString(), QStringLiteral("M3"));
    EXPECT_TRUE(lines.value(1, u"MeasurementCode").isNull());
}

TEST(Dataset, BatchEditsStayLocalAndKeepTheirOrder) {
    Dataset ds;
    loadLines(ds);
    QSignalSpy inserted(&ds, &Dataset::rowInserted);
    QSignalSpy removed(&ds, &Dataset::rowRemoved);
    const int r = ds.appendRow({{QStringLiteral("rap2id"), 30},
                                {QStringLiteral("SPKDQuantity"), 1.25},
                                {QStringLiteral("SPKDPriceAmount"), QStringLiteral("100.10")}});
    EXPECT_EQ(r, 2);
    EXPECT_EQ(ds.currentRow(), 2);
    EXPECT_EQ(ds.rowState(2), Dataset::RowState::Inserted);
    EXPECT_EQ(Dataset::toDecimal(ds.value(2, u"SPKDPriceAmount")).toString(), QStringLiteral("100.1"));
    ds.deleteRow(0);
    ASSERT_EQ(ds.rowCount(), 2);
    EXPECT_EQ(ds.value(0, u"RAP2ID").toInt(), 20);
    EXPECT_EQ(ds.value(1, u"RAP2ID").toInt(), 30);
    EXPECT_EQ(ds.deletedCount(), 1);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_THROW(ds.appendRow({{QStringLiteral("nofield"), 1}}), db::DbError);
}

TEST(Dataset, AppendingToAClosedDatasetIsAnError) {
    Dataset ds;
    EXPECT_THROW(ds.appendRow(), db::DbError);
}

TEST(Dataset, CoercesValuesToTheFieldType) {
    struct Case {
        QVariant in;
        FieldType type;
        QVariant expected;
    };
    const Case cases[] = {
        {QStringLiteral("42"), FieldType::Integer, 42},
        {dec("7.9"), FieldType::Integer, 7},
        {3.5, FieldType::Decimal, dec("3.5")},
        {QStringLiteral("1.005"), FieldType::Decimal, dec("1.005")},
        {dec("1.5"), FieldType::Text, QStringLiteral("1.5")},
        {QDate(2026, 12, 11), FieldType::DateTime, QDateTime(QDate(2026, 12, 11), QTime(0, 0))},
        {QVariant(), FieldType::Integer, QVariant()},
    };
    for (const auto& c : cases) {
        const QVariant got = Dataset::coerce(c.in, c.type);
        EXPECT_EQ(got, c.expected) << c.in.toString().toStdString();
    }
}

TEST(Hasil, SplitsCodeAndMessage) {
    struct Case {
        const char* text;
        bool ok;
        const char* code;
        const char* message;
    };
    const Case cases[] = {
        {"00- SPK telah berhasil didata.", true, "00", "SPK telah berhasil didata."},
        {"01- No. SPK sudah ada.", false, "01", "No. SPK sudah ada."},
        {"", false, "", ""},
        {"00", true, "00", ""},
        {"0", false, "0", ""},
    };
    for (const auto& c : cases) {
        const db::Hasil h{QString::fromLatin1(c.text)};
        EXPECT_EQ(h.ok(), c.ok) << c.text;
        EXPECT_EQ(h.code(), QString::fromLatin1(c.code)) << c.text;
        EXPECT_EQ(h.message(), QString::fromLatin1(c.message)) << c.text;
    }
}
