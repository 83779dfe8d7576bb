// program_state.h: puts every program-wide record back as it is when the
// program starts, so that each test begins where a fresh process would,
// whichever tests ran before it in the same process.
#pragma once

// The program's records, the recording platform and the current folder.
void ResetProgramState();
