#include "db/package_database.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "db/database_error.h"
#include "tests/db/test_database.h"

namespace zr::db {
namespace {

const QDateTime OldTime(QDate(2001, 2, 3), QTime(4, 5, 6));
const QString Quoted = QStringLiteral("ZR'0000003");
const QString First = QStringLiteral("ZR0000000001");
const QString Second = QStringLiteral("ZR0000000002");

// In I_Code order (byte order: the quote sorts first).
QList<AtCodeRow> StartRows() {
  return {{Quoted, QStringLiteral("BOX'3"), OldTime}, {First, QStringLiteral("BOX-0001"), OldTime},
          {Second, std::nullopt, std::nullopt}};
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
    database_.emplace(*server_);
  }

  // The table holds the start rows but for row `index`, which holds `code`
  // (with whatever time the table shows for it).
  void ExpectRowsWith(int index, const QString& code) {
    const QList<AtCodeRow> rows = table_->Rows();
    QList<AtCodeRow> expected = StartRows();
    expected[index].packageCode = code;
    expected[index].time = rows.value(index).time;
    EXPECT_EQ(rows, expected);
  }

  std::optional<DatabaseSettings> server_;
  std::optional<TestTable> table_;
  std::optional<PackageDatabase> database_;
};

TEST_F(PackageDatabaseTest, SaveSetsCodeAndServerTimeOfThatRowOnly) {
  // A serial number without a row changes nothing.
  EXPECT_TRUE(database_->SaveAssociation(QStringLiteral("ZR9999999999"), QStringLiteral("BOX-0009")));
  EXPECT_FALSE(database_->AssociationExists(QStringLiteral("ZR9999999999"), QStringLiteral("BOX-0009")));
  EXPECT_EQ(table_->Rows(), StartRows());

  const QDateTime before = table_->ServerTime();
  EXPECT_TRUE(database_->SaveAssociation(Second, QStringLiteral("BOX-0002")));
  const QDateTime after = table_->ServerTime();
  ExpectRowsWith(2, QStringLiteral("BOX-0002"));
  // The server's clock runs in a zone of its own: a time taken from the PC
  // would fall outside.
  const std::optional<QDateTime> saved = table_->Rows().value(2).time;
  ASSERT_TRUE(saved.has_value());
  EXPECT_TRUE(before <= *saved && *saved <= after)
      << before.toString(Qt::ISODateWithMs).toStdString() << " <= " << saved->toString(Qt::ISODateWithMs).toStdString()
      << " <= " << after.toString(Qt::ISODateWithMs).toStdString();

  EXPECT_TRUE(database_->AssociationExists(Second, QStringLiteral("BOX-0002")));
  EXPECT_FALSE(database_->AssociationExists(First, QStringLiteral("BOX-0002")));
  EXPECT_FALSE(database_->AssociationExists(Second, QStringLiteral("BOX-0001")));
}

// Each save replaces the row's code with the next one, stored as data.
TEST_F(PackageDatabaseTest, CodesAreStoredAsDataWhateverTheyHold) {
  const QList<QString> codes = {
      QStringLiteral("'"), QStringLiteral("''"), QStringLiteral("--"), QStringLiteral(";"),
      QStringLiteral("%"), QStringLiteral("\\"), QStringLiteral("?"), QString::fromUtf8("包装箱编号七"),
      QStringLiteral("0123456789ABCDEF"), QStringLiteral("'; Delete From T_TI_ATCode; --"),
      QStringLiteral("x' Or '1'='1"),
      QString(),  // an empty box: an empty code, not NULL
  };
  for (const QString& code : codes) {
    SCOPED_TRACE(code.toStdString());
    database_->SaveAssociation(Quoted, code);
    EXPECT_TRUE(database_->AssociationExists(Quoted, code));
    ExpectRowsWith(0, code.isNull() ? QStringLiteral("") : code);
  }
  EXPECT_FALSE(database_->AssociationExists(First, QStringLiteral("x' Or '1'='1")));
}

TEST_F(PackageDatabaseTest, FailedStatementIsRaisedAndChangesNothing) {
  // Longer than the test table's 50-character column: the server refuses it
  // rather than cutting it.
  try {
    database_->SaveAssociation(First, QString(51, u'X'));
    FAIL() << "no error";
  } catch (const DatabaseError& error) {
    EXPECT_TRUE(QString::fromStdString(error.what()).startsWith(u"Database statement failed (Update T_TI_ATCode"))
        << error.what();
  }
  EXPECT_EQ(table_->Rows(), StartRows());
}

TEST(PackageDatabaseConnection, FreeTdsWithoutServerFailsQuickly) {
  const DatabaseSettings nowhere{ClosedServer, QStringLiteral("FreeTDS")};
  const QString expected = QStringLiteral(
      "Database connection failed (ODBC driver \"FreeTDS\", host 127.0.0.1, port 1, TDS version auto): ");
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
