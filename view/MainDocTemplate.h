// The program's one document template: the backup set, its main frame and
// the main view. The program, its tests and its benchmarks all open the
// same window through it.
#pragma once

#include "DocTemplate.h"

CSingleDocTemplate* NewMainDocTemplate();
