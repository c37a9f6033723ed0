#include "link/transfer_outcome.h"

#include <QStringList>

namespace zr {

QString EndName(TransferEnd end) {
  switch (end) {
    case TransferEnd::ReadComplete: return QStringLiteral("read complete");
    case TransferEnd::WriteComplete: return QStringLiteral("write complete");
    case TransferEnd::AssociationMissing: return QStringLiteral("association missing");
    case TransferEnd::WriteRefused: return QStringLiteral("write refused");
    case TransferEnd::ModelError: return QStringLiteral("model error");
    case TransferEnd::CommunicationFailed: return QStringLiteral("communication failed");
    case TransferEnd::PortNotOpened: return QStringLiteral("port not opened");
    case TransferEnd::DatabaseFailed: return QStringLiteral("database failed");
    case TransferEnd::RuntimeError: return QStringLiteral("run-time error");
    case TransferEnd::Interrupted: return QStringLiteral("interrupted");
  }
  return QString();
}

QString DescribeLines(const std::vector<int>& offsets) {
  if (offsets.empty()) return QStringLiteral("none");
  QStringList lines;
  for (int offset : offsets) {
    lines << QStringLiteral("0x") + QString::number(offset, 16).toUpper().rightJustified(2, QLatin1Char('0'));
  }
  return lines.join(QLatin1Char(' '));
}

}  // namespace zr
