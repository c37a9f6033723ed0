#pragma once

#include <QString>

#include "record/factory_image.h"

namespace zr {

// Keeps the radio's whole block before a write changes it.
class BlockBackup {
 public:
  virtual ~BlockBackup() = default;
  // Saves the block durably (flushed to disk) and returns the file's path.
  // Raises RuntimeError (record/runtime_error.h) with the cause in words when it cannot.
  virtual QString Save(const FactoryImage& block) = 0;
};

}  // namespace zr
