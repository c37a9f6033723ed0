#pragma once

#include <QString>

namespace zr {

// Where scan-code write mode records which package each radio went into: the
// production database in the station, a fake in tests. Failures are raised as
// exceptions with the driver's words; the write's outcome then says
// "database failed".
class PackageAssociations {
 public:
  virtual ~PackageAssociations() = default;
  virtual bool SaveAssociation(const QString& serialNumber, const QString& packageCode) = 0;
  virtual bool AssociationExists(const QString& serialNumber, const QString& packageCode) = 0;
};

}  // namespace zr
