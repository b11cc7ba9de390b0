#pragma once

#include <QString>
#include <optional>

class DataQuery;

// The covering-letter text stored in table email under templateId (the subscription's
// tra_startwaarde_1), or nothing when the built-in letter applies: an id of 0 or below, or an id that
// names no row. A database failure is raised to the caller.
std::optional<QString> readStoredLetter(DataQuery& ADOEmail, int templateId);
