#pragma once

#include "db/DataQuery.h"

class MainConnection;

// The queries on the main connection with their design-time texts, parameters, declared columns and
// master links. Every query starts closed.
class DataModel {
public:
    explicit DataModel(MainConnection& connection);
    // The master links point into this object.
    DataModel(const DataModel&) = delete;
    DataModel& operator=(const DataModel&) = delete;

    DataQuery ADOTransparanties; // due subscriptions of a company; edited and posted by the scheduler
    DataQuery ADOTransparantie;  // the one subscription of a report run
    DataQuery ADOParameters;     // that subscription's stored layout parameters
    DataQuery ADOBedrijf;        // the company row
    DataQuery ADOConstanten;     // the SMS settings; its text is replaced before it opens
    DataQuery ADOEmail;          // a stored letter text; its text is replaced before it opens
};
