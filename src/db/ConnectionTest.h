#pragma once

class ActivityLog;
class Dialogs;
class MainConnection;

// The "TEST" button of the settings tab: opens the main connection with the current edits and closes
// it again, so that the next query connects with those edits.
class ConnectionTest {
public:
    ConnectionTest(MainConnection& connection, Dialogs& dialogs, ActivityLog& log);

    // Success: the "Database koppeling" box. Failure: the log holds the message and the time-stamped
    // line above it, no box. The connection is closed afterwards in both cases.
    void Button3Click();

private:
    MainConnection& m_connection;
    Dialogs& m_dialogs;
    ActivityLog& m_log;
};
