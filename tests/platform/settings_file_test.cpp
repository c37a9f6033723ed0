#include "platform/settings_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <functional>
#include <future>

namespace zr::platform {
namespace {

const QString kLanguage = QStringLiteral("language");
const QString kComPort = QStringLiteral("comPort");

class SettingsFileTest : public ::testing::Test {
 protected:
  QString PathOf(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

  QString WriteFile(const QByteArray& bytes) const {
    QFile file(PathOf("mysetup.ini"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }

  static QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }

  QTemporaryDir dir_;
  AnsiCodePage western_{"windows-1252"};
};

// Runs `call`, which may touch the FIFO at `fifo`. Whenever it blocks waiting
// for a writer, one comes and goes to let it on, so that the test fails
// instead of hanging.
bool FinishesWithoutAWriter(const QString& fifo, const std::function<void()>& call) {
  std::future<void> done = std::async(std::launch::async, call);
  bool unaided = true;
  while (done.wait_for(std::chrono::seconds(unaided ? 5 : 1)) != std::future_status::ready) {
    unaided = false;
    const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
  }
  return unaided;
}

TEST_F(SettingsFileTest, MissingFileGivesDefaultAndFirstWriteCreatesIt) {
  SettingsFile settings(PathOf("mysetup.ini"), western_);
  EXPECT_EQ(settings.GetString(kLanguage, kComPort, QStringLiteral("none")), QStringLiteral("none"));
  EXPECT_FALSE(QFile::exists(settings.Path()));

  ASSERT_TRUE(settings.WriteString(kLanguage, kComPort, QStringLiteral("3")));
  ASSERT_TRUE(settings.WriteString(kLanguage, QStringLiteral("CommHandle"), QStringLiteral("0")));
  ASSERT_TRUE(settings.WriteString(kLanguage, kComPort, QStringLiteral("12")));
  EXPECT_EQ(ReadFile(settings.Path()), QByteArray("[language]\r\ncomPort=12\r\nCommHandle=0\r\n"));
  EXPECT_EQ(settings.GetString(kLanguage, kComPort), QStringLiteral("12"));
}

TEST_F(SettingsFileTest, LookupIgnoresCaseBlanksAndOnePairOfQuotesInTheFirstMatchingSection) {
  const SettingsFile settings(WriteFile("comPort=1\n"
                                        "[other]\n"
                                        "comPort=2\n"
                                        "  [ LANGUAGE ]  ; the port\n"
                                        "; comPort=4\n"
                                        "empty=\n"
                                        "\tCOMPORT  =  7  \r\n"
                                        "comport=8\n"
                                        "double=\" a b \"\n"
                                        "single='x'\n"
                                        "mixed=\"x'\n"
                                        "nested=\"'x'\"\n"
                                        "[language]\n"
                                        "comPort=9\n"),
                              western_);
  const std::array<std::array<const char*, 3>, 9> cases{{
      {"language", "comPort", "7"}, {"Other", "COMPORT", "2"}, {"language", "empty", ""},
      {"language", "CommHandle", "default"}, {"nosuch", "comPort", "default"}, {"language", "double", " a b "},
      {"language", "single", "x"}, {"language", "mixed", "\"x'"}, {"language", "nested", "'x'"}}};
  for (const auto& [section, key, expected] : cases) {
    EXPECT_EQ(settings.GetString(QString::fromLatin1(section), QString::fromLatin1(key), QStringLiteral("default")),
              QString::fromLatin1(expected))
        << section << '/' << key;
  }
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
}

TEST_F(SettingsFileTest, TextIsInTheCodePageAndWhatCannotBeStoredIsRefused) {
  SettingsFile settings(PathOf("mysetup.ini"), AnsiCodePage("GBK"));
  const QString chinese = QString::fromUtf8("\u4e2d\u6587");
  const QByteArray gbk = QByteArray::fromHex("5bd6d0cec45d0d0ad6d0cec43dd6d0cec40d0a");
  ASSERT_TRUE(settings.WriteString(chinese, chinese, chinese));
  EXPECT_EQ(ReadFile(settings.Path()), gbk);
  EXPECT_EQ(settings.GetString(chinese, chinese), chinese);

  // Text the code page cannot hold would come back as something else; the
  // rest would break the file's lines.
  SettingsFile western(settings.Path(), western_);
  const std::array<std::array<QString, 3>, 7> refused{{{kLanguage, kComPort, chinese},
                                                       {kLanguage, kComPort, "4\r\n[language]"},
                                                       {kLanguage, "a=b", "1"}, {"a]b", kComPort, "1"},
                                                       {kLanguage, " ", "1"}, {QString(), kComPort, "1"},
                                                       {kLanguage, ";c", "1"}}};
  for (const auto& [section, key, value] : refused) {
    EXPECT_FALSE(western.WriteString(section, key, value)) << (section + '/' + key + '=' + value).toStdString();
  }
  EXPECT_EQ(ReadFile(settings.Path()), gbk);
}

TEST_F(SettingsFileTest, FailedWriteReportsFalseAndLeavesNoFile) {
  EXPECT_FALSE(SettingsFile(PathOf("missing/mysetup.ini"), western_).WriteString(kLanguage, kComPort, "3"));
  EXPECT_FALSE(QFileInfo::exists(PathOf("missing")));

  WriteFile("not a folder");
  EXPECT_FALSE(SettingsFile(PathOf("mysetup.ini/mysetup.ini"), western_).WriteString(kLanguage, kComPort, "3"));
  EXPECT_EQ(ReadFile(PathOf("mysetup.ini")), QByteArray("not a folder"));
}

// Root is not bound by permissions, so this runs only for other users.
TEST_F(SettingsFileTest, UnreadableFileIsNotReplaced) {
  const QString unreadable = WriteFile("[language]\r\ncomPort=3\r\n");
  ASSERT_TRUE(QFile::setPermissions(unreadable, QFileDevice::WriteOwner));
  if (access(unreadable.toLocal8Bit().constData(), R_OK) == 0) GTEST_SKIP() << "permissions do not bind this user";
  // Replacing it would drop its other settings.
  SettingsFile settings(unreadable, western_);
  EXPECT_EQ(settings.GetString(kLanguage, kComPort, QStringLiteral("d")), QStringLiteral("d"));
  EXPECT_FALSE(settings.WriteString(kLanguage, QStringLiteral("CommHandle"), QStringLiteral("0")));
  QFile::setPermissions(unreadable, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  EXPECT_EQ(ReadFile(unreadable), QByteArray("[language]\r\ncomPort=3\r\n"));
}

TEST_F(SettingsFileTest, OnlyASmallRegularFileIsReadAndAnythingElseIsLeftAlone) {
  const QString path = PathOf("mysetup.ini");
  const QByteArray setting("[language]\r\ncomPort=3\r\n");
  const QByteArray large = setting + QByteArray(1 << 20, ';');
  struct Case {
    const char* what;
    std::function<bool()> make;
    std::function<bool()> unchanged;
  };
  const std::vector<Case> cases{
      {"FIFO", [&] { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
       [&] {
         struct stat status {};
         return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
       }},
      {"link to /dev/zero", [&] { return QFile::link(QStringLiteral("/dev/zero"), path); },
       [&] { return QFileInfo(path).symLinkTarget() == QStringLiteral("/dev/zero"); }},
      {"folder", [&] { return QDir(dir_.path()).mkdir(QStringLiteral("mysetup.ini")); },
       [&] { return QFileInfo(path).isDir(); }},
      {"file over 1 MiB", [&] { return WriteFile(large) == path; }, [&] { return ReadFile(path) == large; }},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.make()) << c.what;
    SettingsFile settings(path, western_);
    QString value;
    bool written = true;
    EXPECT_TRUE(FinishesWithoutAWriter(path, [&] {
      value = settings.GetString(kLanguage, kComPort, QStringLiteral("default"));
      written = settings.WriteString(kLanguage, kComPort, QStringLiteral("4"));
    })) << c.what << " blocked";
    EXPECT_EQ(value, QStringLiteral("default")) << c.what;
    EXPECT_FALSE(written) << c.what;
    EXPECT_TRUE(c.unchanged()) << c.what;
    ASSERT_TRUE(QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path)) << c.what;
  }
}

TEST_F(SettingsFileTest, ALinkIsWrittenThroughAndStaysALink) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("shared")));
  const QString target = PathOf("shared/station.ini");
  QFile file(target);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[language]\r\ncomPort=3\r\n");
  file.close();
  ASSERT_TRUE(QFile::link(QStringLiteral("shared/station.ini"), PathOf("mysetup.ini")));

  SettingsFile settings(PathOf("mysetup.ini"), western_);
  ASSERT_TRUE(settings.WriteString(kLanguage, kComPort, QStringLiteral("12")));
  EXPECT_TRUE(QFileInfo(settings.Path()).isSymLink());
  EXPECT_EQ(ReadFile(target), QByteArray("[language]\r\ncomPort=12\r\n"));
  EXPECT_EQ(settings.GetString(kLanguage, kComPort), QStringLiteral("12"));

  // A dangling link names no file to write into, and stays as it is.
  ASSERT_TRUE(QFile::remove(target));
  EXPECT_FALSE(settings.WriteString(kLanguage, kComPort, QStringLiteral("13")));
  EXPECT_TRUE(QFileInfo(settings.Path()).isSymLink());
  EXPECT_FALSE(QFileInfo::exists(target));
}

// Root is not bound by permissions, so this runs only for other users.
TEST_F(SettingsFileTest, InAFolderThatTakesNoNewFileTheFileIsRewrittenInPlace) {
  const QString path = WriteFile("[language]\r\ncomPort=3\r\n");
  const QFileDevice::Permissions before = QFile::permissions(dir_.path());
  ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  if (access(dir_.path().toLocal8Bit().constData(), W_OK) == 0) {
    QFile::setPermissions(dir_.path(), before);
    GTEST_SKIP() << "permissions do not bind this user";
  }
  SettingsFile settings(path, western_);
  const bool written = settings.WriteString(kLanguage, kComPort, QStringLiteral("12"));
  QFile::setPermissions(dir_.path(), before);
  EXPECT_TRUE(written);
  EXPECT_EQ(ReadFile(path), QByteArray("[language]\r\ncomPort=12\r\n"));
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("mysetup.ini")});
}

}  // namespace
}  // namespace zr::platform
