// The Start command: the checks every start makes before anything is
// written, and on the source and destination pages the backup of the whole
// set: the time stamp, the data file saved, the run in its progress window,
// and how it ended, in the run log, the result window or an error, and the
// log panel.
#pragma once

#include "RunSpec.h"

class CDestinationPage;
class CPageHost;
class CRestorePage;
class CSettingsPage;
class CSourcePage;

class CBackupCommand {
public:
    CBackupCommand(CPageHost& host, const CSourcePage& sources, CDestinationPage& destination,
                   CRestorePage& restore, const CSettingsPage& settings)
        : m_host(host), m_sources(sources), m_destination(destination), m_restore(restore),
          m_settings(settings) {}
    CBackupCommand(const CBackupCommand&) = delete;
    CBackupCommand& operator=(const CBackupCommand&) = delete;

    // Sources, an existing destination folder, for a backup (bBackup) a
    // destination apart from every source, and with the extended functions
    // the set's network shares connected. True when the start is refused:
    // the user has been told, and nothing was written.
    bool RefusesStart(bool bBackup);
    // The checks, then the backup.
    void Start();
    // The same for the run of a data file opened from the shell, which
    // nobody may be watching: it asks no question.
    void StartUnattended();

private:
    bool RefuseBackupIntoItself();
    bool ConnectSetShares();
    CRunSpec SpecOfRun(bool bUnattended) const;
    void Run(bool bUnattended);
    void SaveBeforeRun();
    // strLogFailure: "" or the sentence that the run's record is missing.
    void ReportFailedRun(int nStatus, const CString& strLogFailure);
    void ReportFinishedRun(const CRunOutcome& outcome, const CString& strLogFailure);

    CPageHost& m_host;
    const CSourcePage& m_sources;
    CDestinationPage& m_destination;
    CRestorePage& m_restore;
    const CSettingsPage& m_settings;
};
