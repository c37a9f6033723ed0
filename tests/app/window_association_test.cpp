// Scan-code write mode end to end: the window, the simulated radio and the
// package database on the test server that scripts/test starts.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "lang/messages.h"
#include "tests/db/test_database.h"
#include "window_transfer_fixture.h"

namespace zr::window::test {
namespace {

const QString Serial = QStringLiteral("SN12345678901234");  // FilledBlock's

class WindowAssociation : public WindowTransfer {
 protected:
  void SetUp() override {
    server_ = db::TestServer();
    if (!server_) {
      GTEST_SKIP() << "no test database server: ZR_TEST_DB_SERVER is not set (scripts/test starts one and sets it)";
    }
    table_.emplace(*server_);
    table_->Reset({{Serial, std::nullopt, std::nullopt},
                   {QStringLiteral("OTHER-RADIO"), QStringLiteral("BOX-9"), EarlierTime()}});
  }

  static QDateTime EarlierTime() { return QDateTime(QDate(2026, 1, 2), QTime(8, 0)); }

  // The window on the radio, in scan-code write mode, talking to `database`.
  FrmMain& OpenScanning(const db::DatabaseSettings& database, quint32 lcid = 0x0409) {
    FrmMainOptions options = Options();
    options.database = database;
    options.systemLcid = [lcid] { return lcid; };
    FrmMain& w = OpenOnRadio(FilledBlock(), {}, std::move(options));
    w.Combo1[1]->setCurrentIndex(5);  // the radio's own band: no question
    w.Option1[0]->click();
    return w;
  }

  // What a barcode scanner does: the code's characters, then Enter. (Qt's
  // test keyboard types ASCII only; other characters arrive as input.)
  void Scan(FrmMain& w, const QString& code) {
    auto* box = qobject_cast<QLineEdit*>(w.Text1[BoxIndex(Field::PackageCode)]);
    for (QChar c : code) {
      if (c.unicode() < 128) {
        QTest::keyClick(box, c.toLatin1());
      } else {
        box->insert(QString(c));
      }
    }
    QTest::keyClick(box, Qt::Key_Return);
  }

  std::optional<db::AtCodeRow> Row(const QString& serial) {
    for (const db::AtCodeRow& row : table_->Rows()) {
      if (row.serialNumber == serial) return row;
    }
    return std::nullopt;
  }

  std::optional<db::DatabaseSettings> server_;
  std::optional<db::TestTable> table_;
};

TEST_F(WindowAssociation, ScannedCodeIsRecordedAgainstTheWrittenRadio) {
  FrmMain& w = OpenScanning(*server_);
  // A second port the operator picks after the write: the list goes back to the write's port.
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), radio.PortDir() + QStringLiteral("/COM5")));
  const QDateTime before = table_->ServerTime();
  Scan(w, QStringLiteral("BOX-0001"));
  ASSERT_TRUE(WaitIdle());

  EXPECT_TRUE(presenter.shown.empty()) << presenter.Texts().join(QLatin1Char('|')).toStdString();
  const auto row = Row(Serial);
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->packageCode, QStringLiteral("BOX-0001"));
  ASSERT_TRUE(row->time.has_value());
  EXPECT_GE(*row->time, before.addSecs(-1));
  EXPECT_EQ(Row(QStringLiteral("OTHER-RADIO"))->packageCode, QStringLiteral("BOX-9"));
  EXPECT_EQ(w.Label7->text(), QStringLiteral("Waitting next..."));
  EXPECT_TRUE(w.TextOf(BoxIndex(Field::PackageCode)).isEmpty());
  EXPECT_EQ(w.State().PackageCode, QStringLiteral("BOX-0001"));
  EXPECT_TRUE(w.State().AssociationDone);
  EXPECT_EQ(RadioBlock()[0x03], 5);  // the radio was written

  QTest::qWait(1300);  // the refresh lists COM5
  const int other = w.Combo2->findText(QStringLiteral("COM5"));
  ASSERT_GE(other, 0);
  w.Combo2->setCurrentIndex(other);
  emit w.Combo2->activated(other);  // the operator's choice
  EXPECT_EQ(w.State().CurrentComPort, 5);
  QTest::qWait(1300);  // the next refresh keeps the port of the associated write
  EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("COM3"));
  EXPECT_EQ(w.State().CurrentComPort, 3);
}

TEST_F(WindowAssociation, ChineseWindowAsksForTheNextRadioInChinese) {
  FrmMain& w = OpenScanning(*server_, 0x0804);
  Scan(w, QString::fromUtf8("箱-01"));
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(w.Label7->text(), QString::fromUtf8("请换下一台机器..."));
  EXPECT_EQ(Row(Serial)->packageCode, QString::fromUtf8("箱-01"));
}

TEST_F(WindowAssociation, MissingRowAsksToRebuildUntilTheOperatorSaysNo) {
  table_->Reset({{QStringLiteral("OTHER-RADIO"), QStringLiteral("BOX-9"), EarlierTime()}});
  FrmMain& w = OpenScanning(*server_);
  presenter.answers = {MessageButton::Yes, MessageButton::No};
  Scan(w, QStringLiteral("BOX-0002"));
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(presenter.Texts(), QStringList(2, lang::AssociationFailedRetryText));
  EXPECT_EQ(table_->Rows().size(), 1);  // nothing inserted
  EXPECT_EQ(Row(QStringLiteral("OTHER-RADIO"))->packageCode, QStringLiteral("BOX-9"));
  // The operator gave up: the code still moves on and the window waits for the next radio.
  EXPECT_TRUE(w.State().AssociationDone);
  EXPECT_TRUE(w.TextOf(BoxIndex(Field::PackageCode)).isEmpty());
  EXPECT_EQ(w.Label7->text(), QStringLiteral("Waitting next..."));
}

TEST_F(WindowAssociation, ServerDownEndsTheWriteWithTheTransfersError) {
  db::DatabaseSettings down = *server_;
  down.server = QStringLiteral("127.0.0.1,%1").arg(db::ClosedLoopbackPort());
  FrmMain& w = OpenScanning(down);
  Scan(w, QStringLiteral("BOX-0003"));
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(presenter.Texts(), QStringList{lang::CannotOpenPortText});
  EXPECT_FALSE(w.State().AssociationDone);
  EXPECT_TRUE(w.Label7->text().isEmpty());
  EXPECT_EQ(w.TextOf(BoxIndex(Field::PackageCode)), QStringLiteral("BOX-0003"));  // not advanced
  EXPECT_EQ(RadioBlock()[0x03], 5);  // the radio itself was written
  EXPECT_FALSE(Row(Serial)->packageCode.has_value());
}

}  // namespace
}  // namespace zr::window::test
