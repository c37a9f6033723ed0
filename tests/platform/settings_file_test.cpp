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
  QString PathOf(const QString& name) const { return dir_.filePath(name); }

  static bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  }
  // Writes the test's mysetup.ini and returns its path.
  QString WriteFile(const QByteArray& bytes) const {
    EXPECT_TRUE(WriteFile(PathOf("mysetup.ini"), bytes));
    return PathOf("mysetup.ini");
  }

  static QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }

  QTemporaryDir dir_;
  AnsiCodePage western_{1252};
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
  SettingsFile settings(PathOf("mysetup.ini"), AnsiCodePage(936));
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

// Only a small regular file is read, and a write that cannot replace or
// create one fails and leaves what is there; nothing blocks.
TEST_F(SettingsFileTest, AnythingButASmallRegularFileIsLeftAlone) {
  const QByteArray large = QByteArray("[language]\r\ncomPort=3\r\n") + QByteArray(1 << 20, ';');
  using Check = std::function<bool(const QString& path)>;
  struct Case { const char* what; const char* at; Check make; Check unchanged; };
  const Check nothing = [](const QString&) { return true; };
  const std::vector<Case> cases{
      {"FIFO", "mysetup.ini",
       [](const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
       [](const QString& path) {
         struct stat status {};
         return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
       }},
      {"link to /dev/zero", "mysetup.ini",
       [](const QString& path) { return QFile::link(QStringLiteral("/dev/zero"), path); },
       [](const QString& path) { return QFileInfo(path).symLinkTarget() == QStringLiteral("/dev/zero"); }},
      // A dangling link names no file to write into.
      {"dangling link", "mysetup.ini",
       [](const QString& path) { return QFile::link(QStringLiteral("gone.ini"), path); },
       [](const QString& path) { return QFileInfo(path).isSymLink() && !QFileInfo::exists(path); }},
      {"folder", "mysetup.ini", [](const QString& path) { return QDir().mkdir(path); },
       [](const QString& path) { return QFileInfo(path).isDir(); }},
      {"file over 1 MiB", "mysetup.ini", [&](const QString& path) { return WriteFile(path, large); },
       [&](const QString& path) { return ReadFile(path) == large; }},
      {"no folder", "missing/mysetup.ini", nothing,
       [](const QString& path) { return !QFileInfo::exists(QFileInfo(path).path()); }},
      {"a file for the folder", "file/mysetup.ini",
       [&](const QString& path) { return WriteFile(QFileInfo(path).path(), "not a folder"); },
       [&](const QString& path) { return ReadFile(QFileInfo(path).path()) == "not a folder"; }},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QString::number(i)));
    const QString path = PathOf(QString::number(i) + QLatin1Char('/') + QString::fromLatin1(c.at));
    ASSERT_TRUE(c.make(path)) << c.what;
    SettingsFile settings(path, western_);
    QString value;
    bool written = true;
    EXPECT_TRUE(FinishesWithoutAWriter(path, [&] {
      value = settings.GetString(kLanguage, kComPort, QStringLiteral("default"));
      written = settings.WriteString(kLanguage, kComPort, QStringLiteral("4"));
    })) << c.what << " blocked";
    EXPECT_EQ(value, QStringLiteral("default")) << c.what;
    EXPECT_FALSE(written) << c.what;
    EXPECT_TRUE(c.unchanged(path)) << c.what;
  }
}

TEST_F(SettingsFileTest, ALinkIsWrittenThroughAndStaysALink) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("shared")));
  const QString target = PathOf("shared/station.ini");
  ASSERT_TRUE(WriteFile(target, "[language]\r\ncomPort=3\r\n"));
  ASSERT_TRUE(QFile::link(QStringLiteral("shared/station.ini"), PathOf("mysetup.ini")));
  SettingsFile settings(PathOf("mysetup.ini"), western_);
  ASSERT_TRUE(settings.WriteString(kLanguage, kComPort, QStringLiteral("12")));
  EXPECT_TRUE(QFileInfo(settings.Path()).isSymLink());
  EXPECT_EQ(ReadFile(target), QByteArray("[language]\r\ncomPort=12\r\n"));
  EXPECT_EQ(settings.GetString(kLanguage, kComPort), QStringLiteral("12"));
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
