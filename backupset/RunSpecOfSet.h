// The engine's description of a run, built from a backup set: its stored
// option texts read the one way every reader of the data file reads them.
#pragma once

#include "RunSpec.h"

class CBackupSource;
class CMrqDoc;

// The history text as a number (not a number reads as 0), "する" as
// subfolders on (anything else off), the filter text as a number.
CSourceSpec SpecOfSource(const CBackupSource& source);

// The document's destination and entries in their order, with the
// never-copied extensions of the settings page.
CRunSpec SpecOfSet(const CMrqDoc& doc, const CString& strNoCopy);
