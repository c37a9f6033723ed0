#include "db/package_database.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "db/database_error.h"
#include "record/field_conversions.h"
#include "tests/db/test_database.h"

namespace zr::db {
namespace {

const QDateTime OldTime(QDate(2001, 2, 3), QTime(4, 5, 6));

// In I_Code order (byte order: the quote sorts first).
QList<AtCodeRow> StartRows() {
  return {
      {QStringLiteral("ZR'0000003"), QStringLiteral("BOX'3"), OldTime},
      {QStringLiteral("ZR0000000001"), QStringLiteral("BOX-0001"), OldTime},
      {QStringLiteral("ZR0000000002"), std::nullopt, std::nullopt},
  };
}

class PackageDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = TestServer();
    if (!server_) {
      GTEST_SKIP() << "no test database server: ZR_TEST_DB_SERVER is not set (scripts/test starts one and sets it)";
    }
    table_.emplace(*server_);
    table_->Reset(StartRows());
  }

  PackageDatabase Database() const { return PackageDatabase(*server_); }

  // The start rows with row `index` holding `code` and the time the table shows for it.
  QList<AtCodeRow> StartRowsWith(int index, const QString& code, const QList<AtCodeRow>& actual) const {
    QList<AtCodeRow> rows = StartRows();
    rows[index].packageCode = code;
    rows[index].time = actual.value(index).time;
    return rows;
  }

  std::optional<DatabaseSettings> server_;
  std::optional<TestTable> table_;
};

TEST_F(PackageDatabaseTest, SaveSetsCodeAndServerTimeOfThatRowOnly) {
  PackageDatabase database = Database();
  const QDateTime before = table_->ServerTime();
  EXPECT_TRUE(database.SaveAssociation(QStringLiteral("ZR0000000002"), QStringLiteral("BOX-0002")));
  const QDateTime after = table_->ServerTime();

  const QList<AtCodeRow> rows = table_->Rows();
  EXPECT_EQ(rows, StartRowsWith(2, QStringLiteral("BOX-0002"), rows));
  ASSERT_TRUE(rows.value(2).time.has_value());
  // The server's clock runs in a zone of its own: a time taken from the PC
  // would fall outside.
  const QString saved = rows[2].time->toString(Qt::ISODateWithMs);
  EXPECT_LE(before, *rows[2].time) << before.toString(Qt::ISODateWithMs).toStdString() << " > " << saved.toStdString();
  EXPECT_GE(after, *rows[2].time) << after.toString(Qt::ISODateWithMs).toStdString() << " < " << saved.toStdString();

  EXPECT_TRUE(database.AssociationExists(QStringLiteral("ZR0000000002"), QStringLiteral("BOX-0002")));
  EXPECT_FALSE(database.AssociationExists(QStringLiteral("ZR0000000001"), QStringLiteral("BOX-0002")));
  EXPECT_FALSE(database.AssociationExists(QStringLiteral("ZR0000000002"), QStringLiteral("BOX-0001")));
}

TEST_F(PackageDatabaseTest, SerialNumberWithoutRowChangesNothing) {
  PackageDatabase database = Database();
  EXPECT_TRUE(database.SaveAssociation(QStringLiteral("ZR9999999999"), QStringLiteral("BOX-0009")));
  EXPECT_FALSE(database.AssociationExists(QStringLiteral("ZR9999999999"), QStringLiteral("BOX-0009")));
  EXPECT_EQ(table_->Rows(), StartRows());
}

TEST_F(PackageDatabaseTest, LaterCodeReplacesEarlierOne) {
  PackageDatabase database = Database();
  database.SaveAssociation(QStringLiteral("ZR0000000001"), QStringLiteral("BOX-A"));
  database.SaveAssociation(QStringLiteral("ZR0000000001"), QStringLiteral("BOX-B"));
  EXPECT_FALSE(database.AssociationExists(QStringLiteral("ZR0000000001"), QStringLiteral("BOX-A")));
  EXPECT_FALSE(database.AssociationExists(QStringLiteral("ZR0000000001"), QStringLiteral("BOX-0001")));
  EXPECT_TRUE(database.AssociationExists(QStringLiteral("ZR0000000001"), QStringLiteral("BOX-B")));
  const QList<AtCodeRow> rows = table_->Rows();
  EXPECT_EQ(rows, StartRowsWith(1, QStringLiteral("BOX-B"), rows));
}

TEST_F(PackageDatabaseTest, ValuesTrimmedByTheCallerAreStoredWithoutTrailingBlanks) {
  // The write completion trims both values before it calls; the database side
  // takes them as given.
  PackageDatabase database = Database();
  const QString serial = TrimAtNul(QStringLiteral("ZR0000000002    "));
  const QString code = TrimAtNul(QStringLiteral("BOX-0002  "));
  database.SaveAssociation(serial, code);
  EXPECT_TRUE(database.AssociationExists(serial, code));
  const QList<AtCodeRow> rows = table_->Rows();
  EXPECT_EQ(rows, StartRowsWith(2, QStringLiteral("BOX-0002"), rows));
}

TEST_F(PackageDatabaseTest, CodesAreStoredAsDataWhateverTheyHold) {
  PackageDatabase database = Database();
  const QString serial = QStringLiteral("ZR'0000003");
  const QList<QString> codes = {
      QStringLiteral("'"), QStringLiteral("''"), QStringLiteral("--"), QStringLiteral(";"),
      QStringLiteral("%"), QStringLiteral("\\"), QStringLiteral("?"), QString::fromUtf8("包装箱编号七"),
      QStringLiteral("0123456789ABCDEF"), QStringLiteral("'; Delete From T_TI_ATCode; --"),
      QStringLiteral("x' Or '1'='1"),
      QString(),  // an empty box: an empty code, not NULL
  };
  for (const QString& code : codes) {
    SCOPED_TRACE(code.toStdString());
    database.SaveAssociation(serial, code);
    EXPECT_TRUE(database.AssociationExists(serial, code));
    const QList<AtCodeRow> rows = table_->Rows();
    EXPECT_EQ(rows, StartRowsWith(0, code.isNull() ? QStringLiteral("") : code, rows));
  }
  EXPECT_FALSE(database.AssociationExists(QStringLiteral("ZR0000000001"), QStringLiteral("x' Or '1'='1")));
}

TEST_F(PackageDatabaseTest, FailedStatementIsRaisedAndChangesNothing) {
  // Longer than the test table's 50-character column: the server refuses it
  // rather than cutting it.
  PackageDatabase database = Database();
  try {
    database.SaveAssociation(QStringLiteral("ZR0000000001"), QString(51, u'X'));
    FAIL() << "no error";
  } catch (const DatabaseError& error) {
    const QString message = QString::fromStdString(error.what());
    EXPECT_TRUE(message.startsWith(QStringLiteral("Database statement failed (Update T_TI_ATCode"))) << error.what();
  }
  EXPECT_EQ(table_->Rows(), StartRows());
}

TEST(PackageDatabaseConnection, FreeTdsWithoutServerFailsQuickly) {
  const DatabaseSettings nowhere{QStringLiteral("127.0.0.1,%1").arg(ClosedLoopbackPort()),
                                 QStringLiteral("FreeTDS")};
  const QString expected =
      QStringLiteral("Database connection to \"%1\" (ODBC driver \"FreeTDS\") failed: ").arg(nowhere.server);
  PackageDatabase database(nowhere);
  QElapsedTimer timer;
  timer.start();
  for (bool save : {true, false}) {
    try {
      save ? database.SaveAssociation(QStringLiteral("ZR0000000001"), QStringLiteral("BOX"))
           : database.AssociationExists(QStringLiteral("ZR0000000001"), QStringLiteral("BOX"));
      ADD_FAILURE() << "no error";
    } catch (const DatabaseError& error) {
      const QString message = QString::fromStdString(error.what());
      EXPECT_TRUE(message.startsWith(expected)) << error.what();
      // The driver itself answered, not the driver manager for want of it.
      EXPECT_TRUE(message.contains(QLatin1String("[FreeTDS]"))) << error.what();
    }
  }
  EXPECT_LT(timer.elapsed(), 10000);
}

}  // namespace
}  // namespace zr::db
