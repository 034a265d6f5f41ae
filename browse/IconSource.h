// Whether the shell must open a file to find its icon. Most types show one
// icon for every file of the type, which the shell finds from the name
// alone. A few show an icon of each file's own: programs, shortcuts, icon,
// cursor and animated cursor files, and any type registered with the icon
// "%1" or with an icon handler. Asked by the name alone, the shell skips
// parsing the real path, which costs it a few hundred times more under
// wine: the difference between a large folder that opens at once and one
// that keeps the user waiting while its first screen of files is drawn.
#pragma once

// True when the file's icon is its own, so the shell must look at the
// file; false when its type's icon is the same for every file of the type
// (also for a name without an extension).
bool HasIconOfItsOwn(const char* pszPath);
