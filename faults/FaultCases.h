// The fault cases of the suite, one function per row of the table.
#pragma once

#include "FaultWorld.h"

CFaultRow KilledDuringALargeCopy(CFaultWorld& world, int nPoints);
CFaultRow KilledDuringHistoryShifts(CFaultWorld& world, int nPoints);
CFaultRow KilledWithSeveralCopiesInFlight(CFaultWorld& world, int nPoints);
CFaultRow DiskFullAtTheSpaceCheck(CFaultWorld& world, char chSmallDrive);
CFaultRow DiskFullMidCopy(CFaultWorld& world, char chSmallDrive);
CFaultRow LockedSourceFile(CFaultWorld& world);
CFaultRow LockedMirrorFile(CFaultWorld& world);
CFaultRow SourceFileVanishedBeforeItsCopy(CFaultWorld& world);
CFaultRow SourceDriveRemovedMidRun(CFaultWorld& world, int nPoints);
CFaultRow FolderLinkLoops(CFaultWorld& world);
CFaultRow OddSourcePaths(CFaultWorld& world);
CFaultRow LeadBytesF0ToFC(CFaultWorld& world);
CFaultRow NamesOutsideTheCodePage(CFaultWorld& world);
CFaultRow EmptiedSource(CFaultWorld& world);
CFaultRow LongPaths(CFaultWorld& world);
CFaultRow HostileDataFiles(CFaultWorld& world, const std::string& corpusFolder, int nRandom);
