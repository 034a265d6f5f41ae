// The layout of a destination folder beside its mirrors.
#pragma once

// Name of the folder of history generations (bk1 ... bk99) inside the
// destination; no mirror folder ever takes it.
extern const char* const HISTORY_FOLDER_NAME;
