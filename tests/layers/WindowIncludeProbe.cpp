// Built with what the engine and the backup set give their users, which
// is the framework's base and nothing of its window layer. The test
// window_free_layers builds this file and passes only when the compiler
// stops at the window include below, having found everything above it.
#include "BackupJob.h"
#include "MrqDoc.h"
#include "String.h"

#include "Wnd.h"
