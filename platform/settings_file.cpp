#include "platform/settings_file.h"

#ifndef _WIN32
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>
#endif

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>
#include <utility>
#include <vector>

#include "platform/regular_file.h"
#include "platform/replace_file.h"

namespace zr::platform {

namespace {

enum class LineKind { kOther, kBlank, kSection, kEntry };

// One line of the file. The raw bytes (terminator included) are what gets
// written back, so lines a write does not touch keep their exact bytes even
// when they do not decode cleanly.
struct IniLine {
  QByteArray raw;
  LineKind kind = LineKind::kOther;
  QString name;   // section name or key
  QString value;  // entry value
};

IniLine RawLine(QByteArray raw) {
  IniLine line;
  line.raw = std::move(raw);
  return line;
}

void Classify(const QString& text, IniLine& line) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) {
    line.kind = LineKind::kBlank;
    return;
  }
  if (trimmed.startsWith(QLatin1Char('['))) {
    const auto close = trimmed.indexOf(QLatin1Char(']'));
    if (close > 0) {
      line.kind = LineKind::kSection;
      line.name = trimmed.mid(1, close - 1).trimmed();
    }
    return;
  }
  if (trimmed.startsWith(QLatin1Char(';'))) return;
  const auto equals = trimmed.indexOf(QLatin1Char('='));
  if (equals <= 0) return;
  line.kind = LineKind::kEntry;
  line.name = trimmed.left(equals).trimmed();
  line.value = trimmed.mid(equals + 1).trimmed();
}

QByteArray WithoutTerminator(const QByteArray& raw) {
  QByteArray content = raw;
  if (content.endsWith('\n')) content.chop(1);
  if (content.endsWith('\r')) content.chop(1);
  return content;
}

// '\n' never occurs inside a double-byte character of the ANSI code pages,
// so splitting the bytes before decoding is safe.
std::vector<IniLine> ParseLines(const QByteArray& bytes, const AnsiCodePage& codePage) {
  std::vector<IniLine> lines;
  qsizetype start = 0;
  while (start < bytes.size()) {
    const qsizetype newline = bytes.indexOf('\n', start);
    const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
    IniLine line = RawLine(bytes.mid(start, end - start));
    Classify(codePage.Decode(WithoutTerminator(line.raw)), line);
    lines.push_back(std::move(line));
    start = end;
  }
  return lines;
}

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Lines [header, end) of the first section of that name; entries before the
// first header belong to no section.
struct SectionSpan {
  std::size_t header;
  std::size_t end;
};

std::optional<SectionSpan> FindSection(const std::vector<IniLine>& lines, const QString& section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != LineKind::kSection || !SameName(lines[i].name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && lines[end].kind != LineKind::kSection) ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<IniLine>& lines, const SectionSpan& span,
                                   const QString& key) {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    if (lines[i].kind == LineKind::kEntry && SameName(lines[i].name, key)) return i;
  }
  return std::nullopt;
}

QString Unquoted(const QString& value) {
  if (value.size() >= 2 && value.front() == value.back() &&
      (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))) {
    return value.mid(1, value.size() - 2);
  }
  return value;
}

// Far beyond any settings file the station writes.
constexpr qint64 kLargestSettingsFile = 1 << 20;

std::optional<QByteArray> ReadFileBytes(const QString& path) { return ReadRegularFile(path, kLargestSettingsFile); }

bool HasLineBreakOrNul(const QString& text) {
  return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) ||
         text.contains(QChar(u'\0'));
}

// Names and values that could not be read back as written would corrupt
// the file's structure or lose text; they are refused instead.
bool Storable(const QString& section, const QString& key, const QString& value,
              const AnsiCodePage& codePage) {
  if (section.trimmed().isEmpty() || key.trimmed().isEmpty()) return false;
  if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key) || HasLineBreakOrNul(value)) return false;
  if (section.contains(QLatin1Char(']')) || key.contains(QLatin1Char('='))) return false;
  const QString trimmedKey = key.trimmed();
  if (trimmedKey.startsWith(QLatin1Char(';')) || trimmedKey.startsWith(QLatin1Char('['))) return false;
  for (const QString* text : {&section, &key, &value}) {
    if (codePage.Decode(codePage.Encode(*text)) != *text) return false;
  }
  return true;
}

const QByteArray kNewLine("\r\n");

void EnsureTerminated(QByteArray& raw) {
  if (!raw.endsWith('\n')) raw.append(kNewLine);
}

QByteArray Joined(const std::vector<IniLine>& lines) {
  QByteArray bytes;
  for (const IniLine& line : lines) bytes.append(line.raw);
  return bytes;
}

}  // namespace

SettingsFile::SettingsFile(QString path, AnsiCodePage codePage)
    : path_(std::move(path)), codePage_(std::move(codePage)) {}

QString SettingsFile::GetString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
  const std::optional<QByteArray> bytes = ReadFileBytes(path_);
  if (!bytes) return defaultValue;
  const std::vector<IniLine> lines = ParseLines(*bytes, codePage_);
  const std::optional<SectionSpan> span = FindSection(lines, section.trimmed());
  if (!span) return defaultValue;
  const std::optional<std::size_t> at = FindKey(lines, *span, key.trimmed());
  if (!at) return defaultValue;
  return Unquoted(lines[*at].value);
}

bool SettingsFile::WriteString(const QString& section, const QString& key, const QString& value) {
  if (!Storable(section, key, value, codePage_)) return false;

  std::vector<IniLine> lines;
  if (QFile::exists(path_)) {
    // An existing file that cannot be read must not be replaced by one that
    // holds only this key.
    const std::optional<QByteArray> bytes = ReadFileBytes(path_);
    if (!bytes) return false;
    lines = ParseLines(*bytes, codePage_);
  }

  const QString sectionName = section.trimmed();
  const QString keyName = key.trimmed();
  const std::optional<SectionSpan> span = FindSection(lines, sectionName);
  if (!span) {
    if (!lines.empty()) EnsureTerminated(lines.back().raw);
    lines.push_back(RawLine(codePage_.Encode(QLatin1Char('[') + sectionName + QLatin1Char(']')) + kNewLine));
    lines.push_back(RawLine(codePage_.Encode(keyName + QLatin1Char('=') + value) + kNewLine));
  } else if (const std::optional<std::size_t> at = FindKey(lines, *span, keyName)) {
    IniLine& line = lines[*at];
    const QByteArray terminator = line.raw.mid(WithoutTerminator(line.raw).size());
    line.raw = codePage_.Encode(line.name + QLatin1Char('=') + value) + terminator;
  } else {
    // After the section's last non-blank line, so blank lines that separate
    // it from the next section stay where they are.
    std::size_t last = span->end - 1;
    while (last > span->header && lines[last].kind == LineKind::kBlank) --last;
    EnsureTerminated(lines[last].raw);
    const auto insertAt = lines.begin() + static_cast<std::ptrdiff_t>(last + 1);
    lines.insert(insertAt, RawLine(codePage_.Encode(keyName + QLatin1Char('=') + value) + kNewLine));
  }

  return StoreFileContents(path_, Joined(lines));
}

#ifndef _WIN32
// Windows: settings_path_windows.cpp.
QString SettingsPathFor(const SettingsPlace& place, const QProcessEnvironment& environment) {
  const QString besideExecutable = place.executableDir + QStringLiteral("/mysetup.ini");
  if (!place.installed && (place.executableDirTakesFiles || place.writableFileBesideExecutable)) {
    return besideExecutable;
  }
  QString configHome = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
  if (!QDir::isAbsolutePath(configHome)) {
    const QString home = environment.value(QStringLiteral("HOME"));
    if (!QDir::isAbsolutePath(home)) return place.installed ? QString() : besideExecutable;
    configHome = home + QStringLiteral("/.config");
  }
  return QDir::cleanPath(configHome + QStringLiteral("/zr93kw-setfactory/mysetup.ini"));
}

QString ProgramSettingsPath(SettingsFolder folder) {
  SettingsPlace place;
  place.executableDir = QCoreApplication::applicationDirPath();
  const QString canonicalDir = QFileInfo(place.executableDir).canonicalFilePath();
  for (const QString& bin : QStringLiteral(ZR_INSTALLED_BIN_DIRS).split(u':', Qt::SkipEmptyParts)) {
    place.installed = place.installed || (!canonicalDir.isEmpty() && QFileInfo(bin).canonicalFilePath() == canonicalDir);
  }
  const QByteArray executableDir = QFile::encodeName(place.executableDir);
  const QByteArray besideExecutable = QFile::encodeName(place.executableDir + QStringLiteral("/mysetup.ini"));
  place.executableDirTakesFiles = ::faccessat(AT_FDCWD, executableDir.constData(), W_OK | X_OK, AT_EACCESS) == 0;
  place.writableFileBesideExecutable = ::faccessat(AT_FDCWD, besideExecutable.constData(), W_OK, AT_EACCESS) == 0;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  if (!environment.contains(QStringLiteral("HOME"))) {
    if (const passwd* account = ::getpwuid(::getuid()); account != nullptr && account->pw_dir != nullptr) {
      environment.insert(QStringLiteral("HOME"), QFile::decodeName(account->pw_dir));
    }
  }
  const QString path = SettingsPathFor(place, environment);
  // A failure shows later, as a settings file that cannot be written.
  if (folder == SettingsFolder::kCreate && !path.isEmpty()) QDir().mkpath(QFileInfo(path).absolutePath());
  return path;
}
#endif

}  // namespace zr::platform
