// The game's data files as the player meets them: which ones are worth
// reading now, and a word to the player about each one that cannot be used.
#pragma once

// False once the window system has asked the run to end (a close request or
// the quit message waits in the queue): every data file read after that would
// only put off the end, so the readers give up at once, silently.
bool DataFilesWanted();

// One line on standard error: the file, why it cannot be used and the folder
// it was looked for in, since the data files are read from the working
// directory and a run from the wrong folder finds none of them.
void ReportUnusableDataFile(const char* fileName, const char* reason);

// Whether those lines are written at all; the fuzzers, which read thousands of
// broken files a second, turn them off.
void ShowDataFileReports(bool shown);
