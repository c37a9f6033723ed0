#include "tools/radio-sim/sim_options.h"

#include <QCommandLineParser>

#include "tools/radio-sim/radio_model.h"
#include "tools/radio-sim/setup_error.h"

namespace zr::sim {

namespace {

constexpr int MaxPort = 255;

// A count or a time: plain decimal digits.
int ParseNumber(const QString& value, const QString& what, int minimum = 0) {
  bool ok = false;
  const int number = value.toInt(&ok, 10);
  if (!ok || number < minimum || value.startsWith(QLatin1Char('+'))) {
    throw SetupError(QStringLiteral("%1: \"%2\" is not a whole number of at least %3").arg(what, value).arg(minimum));
  }
  return number;
}

// "TEXT[:COUNT]": the text and the count, none when omitted.
std::pair<QString, FaultCount> SplitCount(const QString& value, const QString& what) {
  const qsizetype colon = value.lastIndexOf(QLatin1Char(':'));
  if (colon < 0) return {value, std::nullopt};
  return {value.left(colon), ParseNumber(value.mid(colon + 1), what)};
}

QString Usage() {
  return QStringLiteral(
      "Fault options, each may be given more than once:\n"
      "  --no-answer KIND[:COUNT]     ignore the first COUNT frames of KIND (default: all);\n"
      "                               KIND is program, read, write, end, read@LINE or write@LINE\n"
      "  --bad-checksum LINE[:COUNT]  data replies for LINE carry checksum + 1\n"
      "  --drop-write LINE[:COUNT]    acknowledge writes of LINE without keeping them\n"
      "LINE is an offset in the block (0x30) or a full address (0x02FA0030).\n");
}

}  // namespace

std::uint32_t ParseLineAddress(const QString& value, const QString& option) {
  bool ok = false;
  const bool hex = value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
  const std::uint32_t number = hex ? value.mid(2).toUInt(&ok, 16) : value.toUInt(&ok, 10);
  const std::uint32_t address = number < FactoryImageSize ? FactoryBase + number : number;
  if (!ok || !IsBlockLine(address)) {
    throw SetupError(
        QStringLiteral("%1: \"%2\" is not a line of the block (0x00, 0x10 ... 0xF0, or 0x02FA0000 ... 0x02FA00F0)")
            .arg(option, value));
  }
  return address;
}

NoAnswerRule ParseNoAnswer(const QString& value) {
  const QString what = QStringLiteral("--no-answer");
  auto [kindText, count] = SplitCount(value, what);
  NoAnswerRule rule;
  rule.count = count;
  const qsizetype at = kindText.indexOf(QLatin1Char('@'));
  const QString kind = at < 0 ? kindText : kindText.left(at);
  if (kind == QLatin1String("program")) {
    rule.kind = FrameKind::Program;
  } else if (kind == QLatin1String("read")) {
    rule.kind = FrameKind::Read;
  } else if (kind == QLatin1String("write")) {
    rule.kind = FrameKind::Write;
  } else if (kind == QLatin1String("end")) {
    rule.kind = FrameKind::End;
  } else {
    throw SetupError(
        QStringLiteral("--no-answer: unknown kind \"%1\" (program, read, write, end, read@LINE, write@LINE)")
            .arg(kindText));
  }
  if (at >= 0) {
    if (rule.kind != FrameKind::Read && rule.kind != FrameKind::Write) {
      throw SetupError(QStringLiteral("--no-answer: only read and write take a line: \"%1\"").arg(kindText));
    }
    rule.address = ParseLineAddress(kindText.mid(at + 1), what);
  }
  return rule;
}

LineRule ParseLineRule(const QString& value, const QString& option) {
  auto [line, count] = SplitCount(value, option);
  return {ParseLineAddress(line, option), count};
}

CommandLine ParseCommandLine(const QStringList& arguments, const QString& portDirFromEnvironment) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("A simulated ZR93KW radio on a pseudo-terminal, linked as <port-dir>/COM<n>."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Print the version and exit."));
  const QCommandLineOption portDir(QStringLiteral("port-dir"),
                                   QStringLiteral("Directory for the COM<n> link (default: $%1).").arg(PortDirVariable),
                                   QStringLiteral("DIR"));
  const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port number n of COM<n> (default 1)."),
                                QStringLiteral("N"), QStringLiteral("1"));
  const QCommandLineOption image(QStringLiteral("image"),
                                 QStringLiteral("256-byte block file, loaded when it exists, saved after each write."),
                                 QStringLiteral("FILE"));
  const QCommandLineOption model(QStringLiteral("model"),
                                 QStringLiteral("Model text at 0x10, at most 7 bytes (default %1).").arg(DefaultModel),
                                 QStringLiteral("TEXT"));
  const QCommandLineOption serial(
      QStringLiteral("serial"),
      QStringLiteral("Serial number at 0x30, at most 16 bytes (default %1).").arg(DefaultSerial),
      QStringLiteral("TEXT"));
  const QCommandLineOption triBand(QStringLiteral("tri-band"), QStringLiteral("Set bit 7 of byte 0x06."));
  const QCommandLineOption noAnswer(QStringLiteral("no-answer"),
                                    QStringLiteral("Ignore the first COUNT frames of KIND (repeatable)."),
                                    QStringLiteral("KIND[:COUNT]"));
  const QCommandLineOption repeatRequest(QStringLiteral("repeat-request"),
                                         QStringLiteral("Answer 0x0A to the first COUNT write frames."),
                                         QStringLiteral("COUNT"));
  const QCommandLineOption badChecksum(QStringLiteral("bad-checksum"),
                                       QStringLiteral("Data replies for LINE carry checksum + 1 (repeatable)."),
                                       QStringLiteral("LINE[:COUNT]"));
  const QCommandLineOption dropWrite(QStringLiteral("drop-write"),
                                     QStringLiteral("Acknowledge writes of LINE without keeping them (repeatable)."),
                                     QStringLiteral("LINE[:COUNT]"));
  const QCommandLineOption delay(QStringLiteral("delay-ms"), QStringLiteral("Wait N ms before each reply."),
                                 QStringLiteral("N"));
  const QCommandLineOption split(QStringLiteral("split-ms"), QStringLiteral("Send replies in two halves, N ms apart."),
                                 QStringLiteral("N"));
  const QCommandLineOption pace(QStringLiteral("pace"), QStringLiteral("Send at the pace of 921600 baud, 8N1."));
  const QCommandLineOption unplugAfter(QStringLiteral("unplug-after"),
                                       QStringLiteral("Pull the cable after answering N frames."), QStringLiteral("N"));
  const QCommandLineOption trace(QStringLiteral("trace"), QStringLiteral("Print frames and replies on stderr."));
  parser.addOptions({version, portDir, port, image, model, serial, triBand, noAnswer, repeatRequest, badChecksum, dropWrite, delay, split,
                     pace, unplugAfter, trace});

  if (!parser.parse(arguments)) throw SetupError(parser.errorText());
  if (parser.isSet(help)) return {std::nullopt, parser.helpText() + QLatin1Char('\n') + Usage()};
  if (parser.isSet(version)) return {std::nullopt, QStringLiteral("zr93kw-radio-sim " ZR_VERSION "\n")};
  if (!parser.positionalArguments().isEmpty()) {
    throw SetupError(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
  }

  SimOptions options;
  options.portDir = parser.isSet(portDir) ? parser.value(portDir) : portDirFromEnvironment;
  if (options.portDir.isEmpty()) {
    throw SetupError(QStringLiteral("no port directory: give --port-dir DIR or set %1").arg(PortDirVariable));
  }
  options.port = ParseNumber(parser.value(port), QStringLiteral("--port"), 1);
  if (options.port > MaxPort) throw SetupError(QStringLiteral("--port: %1 is above %2").arg(options.port).arg(MaxPort));

  options.block.imagePath = parser.value(image);
  if (parser.isSet(image) && options.block.imagePath.isEmpty())
    throw SetupError(QStringLiteral("--image: empty file name"));
  if (parser.isSet(model)) options.block.model = parser.value(model);
  if (parser.isSet(serial)) options.block.serial = parser.value(serial);
  options.block.triBand = parser.isSet(triBand);

  for (const QString& value : parser.values(noAnswer)) options.faults.noAnswer.push_back(ParseNoAnswer(value));
  if (parser.isSet(repeatRequest)) {
    options.faults.repeatRequests = ParseNumber(parser.value(repeatRequest), QStringLiteral("--repeat-request"));
  }
  for (const QString& value : parser.values(badChecksum)) {
    options.faults.badChecksum.push_back(ParseLineRule(value, QStringLiteral("--bad-checksum")));
  }
  for (const QString& value : parser.values(dropWrite)) {
    options.faults.droppedWrites.push_back(ParseLineRule(value, QStringLiteral("--drop-write")));
  }

  if (parser.isSet(delay)) {
    options.timing.delay = std::chrono::milliseconds(ParseNumber(parser.value(delay), QStringLiteral("--delay-ms")));
  }
  if (parser.isSet(split)) {
    options.timing.split = std::chrono::milliseconds(ParseNumber(parser.value(split), QStringLiteral("--split-ms"), 1));
  }
  options.timing.pace = parser.isSet(pace);
  if (parser.isSet(unplugAfter)) {
    options.unplugAfter = ParseNumber(parser.value(unplugAfter), QStringLiteral("--unplug-after"));
  }
  options.trace = parser.isSet(trace);
  return {options, {}};
}

}  // namespace zr::sim
