#pragma once

#include "registration/addin_record.h"

namespace tandrel::registration {

// The Tandrel deliverable's entry in the VB6 IDE's list of add-ins: shown as "Tandrel 2.0", loaded at
// start-up and from the command line (5), safe where no user interface may appear (1).
inline constexpr AddinRecord kVb6Addin{
    .registryRoot = "HKEY_CURRENT_USER\\Software\\Microsoft\\Visual Basic\\6.0",
    .displayName = "Tandrel 2.0",
    .description = "Finds matching parentheses, quotation marks and keywords. \r\n",
    .loadBehavior = 5,
    .satelliteLibrary = "",
    .additionalKey = "",
    .commandLineSafe = 1,
};

// The record as the deliverable carries it; registration writes the IDE's entry from these bytes.
inline constexpr auto kVb6AddinRecord = StoreAddinRecord<StoredAddinRecordSize(kVb6Addin)>(kVb6Addin);

}  // namespace tandrel::registration
