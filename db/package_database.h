#pragma once

#include <QString>
#include <optional>

#include "db/database_settings.h"
#include "link/package_associations.h"

namespace zr::db {

// The association of a radio's serial number with the package code of its box,
// in table T_TI_ATCode: the row of the serial number (I_Code) gets the code
// (O_Code) and the server's time (O_Time). Rows are never added or removed.
//
// Each call opens its own connection, runs one statement with the values bound
// as parameters, and closes the connection before it returns. The values are
// used exactly as given: trimming them (TrimAtNul) is the caller's job. A null
// text counts as an empty one. Needs a QCoreApplication for Qt's ODBC driver.
class PackageDatabase : public PackageAssociations {
 public:
  explicit PackageDatabase(DatabaseSettings settings);

  // Sets O_Code and O_Time of the row whose I_Code is `serialNumber`. A serial
  // number without a row changes nothing and is no error. Returns true whenever
  // it returns; raises DatabaseError when the connection or statement fails.
  bool SaveAssociation(const QString& serialNumber, const QString& packageCode) override;

  // Whether the row of `serialNumber` holds `packageCode`. Raises DatabaseError.
  bool AssociationExists(const QString& serialNumber, const QString& packageCode) override;

  // Connects as a write would and runs the association check for
  // `serialNumber`; returns the package code its row holds, or nullopt when
  // the table has no row for it (a write would then record nothing). Raises
  // DatabaseError with the driver's words when the connection or statement fails.
  std::optional<QString> PackageCodeOf(const QString& serialNumber);

 private:
  DatabaseSettings settings_;
};

}  // namespace zr::db
