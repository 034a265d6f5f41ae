// The backup set's data file (.mrd): code page 932 text, TAB between
// fields, CR LF after every line.
//
//   mrq Backup File <TAB>HeaderVersion 2.1
//   destination<TAB>last backup
//   folder<TAB>-><TAB>mirror<TAB>history<TAB>note<TAB>subfolders<TAB>mode<TAB>extensions
//   ... one line per source entry
#pragma once

class CArchive;
class CMrqDoc;

extern const char* const DATAFILE_HEADER;  // "mrq Backup File " (trailing space)
extern const char* const DATAFILE_VERSION; // "HeaderVersion 2.1"

// Writes the set. A value holding a TAB, CR or LF could not be read back as
// it stands, so such bytes become blanks, in the document as well as in the
// file: what was saved and what the file reads back stay the same. (The
// last backup time may keep its TABs; they read back unchanged.) With a
// destination set, every entry first gets its mirror folder. Ends with an
// update of all views, hint 0.
void WriteDataFile(CMrqDoc& doc, CArchive& ar);

// Reads a set into an empty document. A file without the header gives an
// empty set; anything after the header is taken as it stands, line by line,
// whatever it holds, except a destination or source folder text that names
// no folder plainly (IsPlainPathText: "?", "*", or bytes that are no
// characters of the code page): it is left out, and its text goes to the
// document's m_refusedFolders. Over-long option values are stored by the
// rules of CBackupSource's setters.
void ReadDataFile(CMrqDoc& doc, CArchive& ar);
