#include "platform/settings_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace zr::platform {
namespace {

const QString kLanguage = QStringLiteral("language");
const QString kComPort = QStringLiteral("comPort");

class SettingsFileTest : public ::testing::Test {
 protected:
  QString PathOf(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

  QString WriteFile(const QByteArray& bytes) const {
    const QString path = PathOf("mysetup.ini");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }

  static QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }

  QTemporaryDir dir_;
  AnsiCodePage western_{"windows-1252"};
};

TEST_F(SettingsFileTest, MissingFileGivesDefaultAndFirstWriteCreatesIt) {
  SettingsFile settings(PathOf("mysetup.ini"), western_);
  EXPECT_EQ(settings.GetString(kLanguage, kComPort, QStringLiteral("none")), QStringLiteral("none"));
  EXPECT_TRUE(settings.GetString(kLanguage, kComPort).isEmpty());
  EXPECT_FALSE(QFile::exists(settings.Path()));

  ASSERT_TRUE(settings.WriteString(kLanguage, kComPort, QStringLiteral("3")));
  EXPECT_EQ(ReadFile(settings.Path()), QByteArray("[language]\r\ncomPort=3\r\n"));
  ASSERT_TRUE(settings.WriteString(kLanguage, QStringLiteral("CommHandle"), QStringLiteral("0")));
  ASSERT_TRUE(settings.WriteString(kLanguage, kComPort, QStringLiteral("12")));
  EXPECT_EQ(ReadFile(settings.Path()), QByteArray("[language]\r\ncomPort=12\r\nCommHandle=0\r\n"));
  EXPECT_EQ(settings.GetString(kLanguage, kComPort), QStringLiteral("12"));
}

TEST_F(SettingsFileTest, LookupIgnoresCaseAndBlanksAndUsesTheRightSection) {
  const SettingsFile settings(WriteFile("comPort=1\n"
                                        "[other]\n"
                                        "comPort=2\n"
                                        "  [ LANGUAGE ]  ; the port\n"
                                        "; comPort=4\n"
                                        "empty=\n"
                                        "\tCOMPORT  =  7  \r\n"
                                        "comport=8\n"
                                        "[language]\n"
                                        "comPort=9\n"),
                              western_);
  EXPECT_EQ(settings.GetString(kLanguage, kComPort), QStringLiteral("7"));
  EXPECT_EQ(settings.GetString(QStringLiteral("Other"), QStringLiteral("COMPORT")), QStringLiteral("2"));
  EXPECT_EQ(settings.GetString(kLanguage, QStringLiteral("empty"), QStringLiteral("d")), QString());
  EXPECT_EQ(settings.GetString(kLanguage, QStringLiteral("CommHandle"), QStringLiteral("d")), QStringLiteral("d"));
  EXPECT_EQ(settings.GetString(QStringLiteral("nosuch"), kComPort, QStringLiteral("d")), QStringLiteral("d"));
}

TEST_F(SettingsFileTest, OnePairOfSurroundingQuotesIsRemoved) {
  const SettingsFile settings(WriteFile("[s]\r\n"
                                        "double=\" a b \"\r\n"
                                        "single='x'\r\n"
                                        "mixed=\"x'\r\n"
                                        "nested=\"'x'\"\r\n"
                                        "lone=\"\r\n"
                                        "inner=a\"b\"\r\n"),
                              western_);
  const QString s = QStringLiteral("s");
  EXPECT_EQ(settings.GetString(s, QStringLiteral("double")), QStringLiteral(" a b "));
  EXPECT_EQ(settings.GetString(s, QStringLiteral("single")), QStringLiteral("x"));
  EXPECT_EQ(settings.GetString(s, QStringLiteral("mixed")), QStringLiteral("\"x'"));
  EXPECT_EQ(settings.GetString(s, QStringLiteral("nested")), QStringLiteral("'x'"));
  EXPECT_EQ(settings.GetString(s, QStringLiteral("lone")), QStringLiteral("\""));
  EXPECT_EQ(settings.GetString(s, QStringLiteral("inner")), QStringLiteral("a\"b\""));
}

TEST_F(SettingsFileTest, WritesKeepEveryOtherByte) {
  // LF endings, a byte that is not text in the code page, a line without a
  // terminator at the end: all must survive untouched.
  const QByteArray before =
      "; station settings\n"
      "orphan=1\n"
      "[Language]\n"
      "  ComPort = 5  ; old\n"
      "; \x81 note\n"
      "\n"
      "[other]\n"
      "x=1";
  SettingsFile settings(WriteFile(before), western_);

  ASSERT_TRUE(settings.WriteString(kLanguage, QStringLiteral("COMPORT"), QStringLiteral("6")));
  QByteArray expected = before;
  expected.replace("  ComPort = 5  ; old\n", "ComPort=6\n");
  EXPECT_EQ(ReadFile(settings.Path()), expected);

  ASSERT_TRUE(settings.WriteString(kLanguage, QStringLiteral("CommHandle"), QStringLiteral("0")));
  expected.replace("; \x81 note\n", "; \x81 note\nCommHandle=0\r\n");
  EXPECT_EQ(ReadFile(settings.Path()), expected);

  ASSERT_TRUE(settings.WriteString(QStringLiteral("new"), QStringLiteral("k"), QStringLiteral("v")));
  expected.append("\r\n[new]\r\nk=v\r\n");
  EXPECT_EQ(ReadFile(settings.Path()), expected);

  ASSERT_TRUE(settings.WriteString(QStringLiteral("other"), QStringLiteral("y"), QStringLiteral("2")));
  expected.replace("x=1\r\n", "x=1\r\ny=2\r\n");
  EXPECT_EQ(ReadFile(settings.Path()), expected);
  EXPECT_EQ(settings.GetString(QStringLiteral("OTHER"), QStringLiteral("x")), QStringLiteral("1"));
}

TEST_F(SettingsFileTest, TextIsInTheCodePage) {
  SettingsFile settings(PathOf("mysetup.ini"), AnsiCodePage("GBK"));
  const QString chinese = QString::fromUtf8("\u4e2d\u6587");
  ASSERT_TRUE(settings.WriteString(chinese, chinese, chinese));
  EXPECT_EQ(ReadFile(settings.Path()), QByteArray::fromHex("5bd6d0cec45d0d0ad6d0cec43dd6d0cec40d0a"));
  EXPECT_EQ(settings.GetString(chinese, chinese), chinese);

  // Text the code page cannot hold would come back as something else.
  SettingsFile western(settings.Path(), western_);
  EXPECT_FALSE(western.WriteString(kLanguage, kComPort, chinese));
  EXPECT_EQ(ReadFile(settings.Path()), QByteArray::fromHex("5bd6d0cec45d0d0ad6d0cec43dd6d0cec40d0a"));
}

TEST_F(SettingsFileTest, RefusesWhatWouldBreakTheFile) {
  const QByteArray before = "[language]\r\ncomPort=3\r\n";
  SettingsFile settings(WriteFile(before), western_);
  EXPECT_FALSE(settings.WriteString(kLanguage, kComPort, QStringLiteral("4\r\n[language]")));
  EXPECT_FALSE(settings.WriteString(kLanguage, QStringLiteral("a=b"), QStringLiteral("1")));
  EXPECT_FALSE(settings.WriteString(QStringLiteral("a]b"), kComPort, QStringLiteral("1")));
  EXPECT_FALSE(settings.WriteString(kLanguage, QStringLiteral(" "), QStringLiteral("1")));
  EXPECT_FALSE(settings.WriteString(QString(), kComPort, QStringLiteral("1")));
  EXPECT_FALSE(settings.WriteString(kLanguage, QStringLiteral(";c"), QStringLiteral("1")));
  EXPECT_EQ(ReadFile(settings.Path()), before);
}

TEST_F(SettingsFileTest, FailedWriteReportsFalseAndLeavesNoFile) {
  SettingsFile noFolder(PathOf("missing/mysetup.ini"), western_);
  EXPECT_FALSE(noFolder.WriteString(kLanguage, kComPort, QStringLiteral("3")));
  EXPECT_FALSE(QFileInfo::exists(PathOf("missing")));

  WriteFile("not a folder");
  SettingsFile underAFile(PathOf("mysetup.ini/mysetup.ini"), western_);
  EXPECT_FALSE(underAFile.WriteString(kLanguage, kComPort, QStringLiteral("3")));
  EXPECT_EQ(ReadFile(PathOf("mysetup.ini")), QByteArray("not a folder"));
}

// Root is not bound by permissions, so these run only for other users.
TEST_F(SettingsFileTest, ReadOnlyFolderAndUnreadableFileAreNotWritten) {
  const QString folder = PathOf("readonly");
  ASSERT_TRUE(QDir().mkdir(folder));
  const QString unreadable = WriteFile("[language]\r\ncomPort=3\r\n");
  const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
  ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  ASSERT_TRUE(QFile::setPermissions(unreadable, QFileDevice::WriteOwner));
  if (access(folder.toLocal8Bit().constData(), W_OK) == 0) {
    QFile::setPermissions(folder, owner);
    GTEST_SKIP() << "permissions do not bind this user";
  }

  SettingsFile inFolder(folder + QStringLiteral("/mysetup.ini"), western_);
  EXPECT_FALSE(inFolder.WriteString(kLanguage, kComPort, QStringLiteral("3")));
  QFile::setPermissions(folder, owner);
  EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));

  // Replacing a file that could not be read would drop its other settings.
  SettingsFile settings(unreadable, western_);
  EXPECT_EQ(settings.GetString(kLanguage, kComPort, QStringLiteral("d")), QStringLiteral("d"));
  EXPECT_FALSE(settings.WriteString(kLanguage, QStringLiteral("CommHandle"), QStringLiteral("0")));
  QFile::setPermissions(unreadable, owner);
  EXPECT_EQ(ReadFile(unreadable), QByteArray("[language]\r\ncomPort=3\r\n"));
}

}  // namespace
}  // namespace zr::platform
