// The items of a list box as one text.
#pragma once

#include "String.h"

class CListBox;

// The texts of all items in order, with pszSeparator between two items and
// none at the end.
CString JoinListBoxItems(const CListBox& listBox, const char* pszSeparator);
