// Scan-code write mode end to end: the window, the simulated radio and the
// package database on the test server that scripts/test starts. The link's
// tests cover the questions and the failures over a database in memory.
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "tests/db/test_database.h"
#include "window_fixture.h"

namespace zr::window::test {
namespace {

TEST_F(WindowTransfer, ScannedCodeIsRecordedAgainstTheWrittenRadio) {
  const auto server = db::TestServer();
  if (!server) {
    GTEST_SKIP() << "no test database server: ZR_TEST_DB_SERVER is not set (scripts/test starts one and sets it)";
  }
  const QString serial = QStringLiteral("SN12345678901234");  // FilledBlock's
  const db::AtCodeRow other{QStringLiteral("OTHER-RADIO"), QStringLiteral("BOX-9"),
                            QDateTime(QDate(2026, 1, 2), QTime(8, 0))};
  db::TestTable table(*server);
  table.Reset({{serial, std::nullopt, std::nullopt}, other});
  FrmMainOptions options = Options();
  options.database = *server;
  FrmMain& w = OpenOnRadio(FilledBlock(), {}, std::move(options));
  w.Combo1[1]->setCurrentIndex(5);  // the radio's own band: no question
  w.Option1[0]->click();
  const QDateTime before = table.ServerTime();
  // What a barcode scanner does: the code's characters, then Enter.
  QWidget* box = w.Text1[BoxIndex(Field::PackageCode)];
  QTest::keyClicks(box, QStringLiteral("BOX-0001"));
  QTest::keyClick(box, Qt::Key_Return);
  ASSERT_TRUE(WaitIdle());

  EXPECT_TRUE(presenter.shown.empty()) << presenter.Texts().join(QLatin1Char('|')).toStdString();
  const QList<db::AtCodeRow> rows = table.Rows();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[0], other);
  EXPECT_EQ(rows[1].serialNumber, serial);
  EXPECT_EQ(rows[1].packageCode, QStringLiteral("BOX-0001"));
  ASSERT_TRUE(rows[1].time.has_value());
  EXPECT_GE(*rows[1].time, before.addSecs(-1));
  EXPECT_EQ(w.Label7->text(), QStringLiteral("Waitting next..."));
  EXPECT_TRUE(w.TextOf(BoxIndex(Field::PackageCode)).isEmpty());
  EXPECT_EQ(w.State().PackageCode, QStringLiteral("BOX-0001"));
  EXPECT_TRUE(w.State().AssociationDone);
  EXPECT_EQ(RadioBlock()[0x03], 5);  // the radio was written
}

}  // namespace
}  // namespace zr::window::test
